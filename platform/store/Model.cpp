#include "platform/store/Model.h"

namespace store {

std::shared_ptr<const EntityDescription> Model::entityNamed(const std::string& name) const {
    for (const auto& entity : entities_) {
        if (entity->name() == name) {
            return entity;
        }
    }
    return nullptr;
}

}  // namespace store
