#pragma once

// A managed object model: the set of entity descriptions a store is opened
// with. Built in code; fixed once a coordinator uses it.

#include <memory>
#include <string>
#include <vector>

#include "platform/store/EntityDescription.h"

namespace store {

class Model {
  public:
    Model() = default;
    explicit Model(std::vector<std::shared_ptr<EntityDescription>> entities)
        : entities_(std::move(entities)) {}

    const std::vector<std::shared_ptr<EntityDescription>>& entities() const { return entities_; }
    void setEntities(std::vector<std::shared_ptr<EntityDescription>> entities) {
        entities_ = std::move(entities);
    }

    // nullptr for a name the model does not know.
    std::shared_ptr<const EntityDescription> entityNamed(const std::string& name) const;

  private:
    std::vector<std::shared_ptr<EntityDescription>> entities_;
};

}  // namespace store
