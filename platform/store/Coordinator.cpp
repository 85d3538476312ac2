#include "platform/store/Coordinator.h"

#include "platform/store/StoreError.h"

namespace store {

bool Coordinator::addPersistentStore(const std::filesystem::path& path, foundation::Error* error) {
    if (store_) {
        if (error) {
            *error = makeStoreError(kPersistentStoreOperationError,
                                    "The coordinator already has a store.");
        }
        return false;
    }
    store_ = SQLiteStore::open(path, *model_, error);
    return store_ != nullptr;
}

std::optional<ObjectID> Coordinator::managedObjectIDForURIRepresentation(
    std::string_view uri) const {
    auto id = ObjectID::fromURIRepresentation(uri);
    if (!id || !model_->entityNamed(id->entityName())) {
        return std::nullopt;
    }
    if (!id->isTemporaryID() && (!store_ || id->storeIdentifier() != store_->identifier())) {
        return std::nullopt;
    }
    return id;
}

}  // namespace store
