#pragma once

// The persistent store coordinator: the model and the store file it is
// opened on, and the mapping from object URIs back to object IDs.

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/foundation/Error.h"
#include "platform/store/Model.h"
#include "platform/store/ObjectID.h"
#include "platform/store/SQLiteStore.h"

namespace store {

class Coordinator {
  public:
    explicit Coordinator(std::shared_ptr<Model> model) : model_(std::move(model)) {}

    const Model& managedObjectModel() const { return *model_; }

    // Opens the store file at `path` (created when missing). One store per
    // coordinator: a second call fails. A damaged or foreign file gives an
    // error and stays as it is.
    bool addPersistentStore(const std::filesystem::path& path, foundation::Error* error);
    bool hasStore() const { return store_ != nullptr; }
    SQLiteStore* store() const { return store_.get(); }

    // The ID a URI names, when it names an entity of this model in this
    // coordinator's store (permanent) or a temporary ID; nullopt otherwise.
    std::optional<ObjectID> managedObjectIDForURIRepresentation(std::string_view uri) const;

  private:
    std::shared_ptr<Model> model_;
    std::unique_ptr<SQLiteStore> store_;
};

}  // namespace store
