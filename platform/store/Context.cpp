#include "platform/store/Context.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/store/StoreError.h"

namespace store {

namespace {

enum PendingKind { kInsert, kUpdate, kDelete };

bool holds(const std::vector<std::shared_ptr<ManagedObject>>& list, const ManagedObject* o) {
    return std::any_of(list.begin(), list.end(), [&](const auto& item) { return item.get() == o; });
}

void removeFrom(std::vector<std::shared_ptr<ManagedObject>>& list, const ManagedObject* o) {
    std::erase_if(list, [&](const auto& item) { return item.get() == o; });
}

bool isStored(const AttributeDescription& attribute) {
    return !attribute.transient && attribute.attributeType != AttributeType::Undefined;
}

foundation::Error noStoreError() {
    return makeStoreError(kPersistentStoreOperationError, "The context has no store.");
}

}  // namespace

Context::~Context() = default;

std::shared_ptr<ManagedObject> Context::insertNewObject(const std::string& entityName) {
    if (!coordinator_) {
        return nullptr;
    }
    auto entity = coordinator_->managedObjectModel().entityNamed(entityName);
    if (!entity || entity->isAbstract()) {
        return nullptr;
    }
    auto object = entity->makeObject();
    if (!object) {
        return nullptr;
    }
    object->entity_ = entity;
    object->context_ = weak_from_this();
    object->objectID_ = ObjectID::makeTemporary(entityName);
    object->inserted_ = true;
    for (const auto& attribute : entity->attributes()) {
        object->values_[attribute.name] = attribute.defaultValue;
    }
    for (const auto& relationship : entity->relationships()) {
        object->relations_[relationship.name].loaded = true;
    }
    registered_[object->objectID_] = object;
    inserted_.push_back(object);
    notePending(object, kInsert);
    object->awakeFromInsert();
    return object;
}

void Context::deleteObject(const std::shared_ptr<ManagedObject>& object) {
    if (!object || object->deleted_ || object->context_.lock().get() != this) {
        return;
    }
    const auto& entity = *object->entity_;
    // Nullify: the object leaves both sides of its own relationships ...
    for (const auto& relationship : entity.relationships()) {
        for (const auto& related : object->objectsForKey(relationship.name)) {
            object->unlink(relationship, related.get());
        }
    }
    // ... and the relationships without inverse that point at it.
    std::vector<std::pair<std::string, std::string>> referrers;
    for (const auto& other : coordinator_->managedObjectModel().entities()) {
        for (const auto& relationship : other->relationships()) {
            if (relationship.destinationEntity == entity.name() &&
                relationship.inverseRelationship.empty()) {
                referrers.emplace_back(other->name(), relationship.name);
            }
        }
    }
    if (!referrers.empty()) {
        std::vector<std::shared_ptr<ManagedObject>> holders;
        for (const auto& [id, candidate] : registered_) {
            holders.push_back(candidate);
        }
        for (const auto& holder : holders) {
            for (const auto& [entityName, key] : referrers) {
                if (holder->entity_->name() != entityName) {
                    continue;
                }
                auto found = holder->relations_.find(key);
                if (found != holder->relations_.end() && found->second.loaded) {
                    holder->unlinkPrimitive(key, object.get());
                }
            }
        }
    }
    if (object->inserted_) {
        removeFrom(inserted_, object.get());
        removeFrom(updated_, object.get());
        registered_.erase(object->objectID_);
        object->inserted_ = false;
        object->deleted_ = true;
        object->changedKeys_.clear();
        notePending(object, kDelete);
        object->context_.reset();
        return;
    }
    object->snapshotIfNeeded();
    object->deleted_ = true;
    removeFrom(updated_, object.get());
    deleted_.push_back(object);
    notePending(object, kDelete);
}

std::shared_ptr<ManagedObject> Context::registerRow(const EntityDescription& entity,
                                                    SQLiteStore::Row row) {
    auto description = coordinator_->managedObjectModel().entityNamed(entity.name());
    auto object = description->makeObject();
    object->entity_ = description;
    object->context_ = weak_from_this();
    object->objectID_ =
        ObjectID::makePermanent(coordinator_->store()->identifier(), entity.name(), row.primaryKey);
    object->values_ = std::move(row.values);
    for (const auto& attribute : entity.attributes()) {
        if (!isStored(attribute)) {
            object->values_[attribute.name] = attribute.defaultValue;
        } else if (attribute.attributeType == AttributeType::BinaryData) {
            object->unloaded_.insert(attribute.name);
        }
    }
    registered_[object->objectID_] = object;
    object->awakeFromFetch();
    return object;
}

std::optional<std::vector<std::shared_ptr<ManagedObject>>> Context::executeFetchRequest(
    const FetchRequest& request, foundation::Error* error) {
    auto entity =
        coordinator_ ? coordinator_->managedObjectModel().entityNamed(request.entityName) : nullptr;
    if (!entity) {
        if (error) {
            *error = makeStoreError(kPersistentStoreOperationError,
                                    "The model has no entity \"" + request.entityName + "\".");
        }
        return std::nullopt;
    }
    if (!coordinator_->hasStore()) {
        if (error) {
            *error = noStoreError();
        }
        return std::nullopt;
    }
    std::vector<SQLiteStore::Row> rows;
    if (!coordinator_->store()->fetchRows(*entity, rows, error)) {
        return std::nullopt;
    }
    std::vector<std::shared_ptr<ManagedObject>> objects;
    objects.reserve(rows.size() + inserted_.size());
    const auto& storeID = coordinator_->store()->identifier();
    for (auto& row : rows) {
        auto id = ObjectID::makePermanent(storeID, entity->name(), row.primaryKey);
        auto found = registered_.find(id);
        auto object =
            found != registered_.end() ? found->second : registerRow(*entity, std::move(row));
        if (!object->deleted_) {
            objects.push_back(std::move(object));
        }
    }
    for (const auto& object : inserted_) {
        if (object->entity_->name() == entity->name()) {
            objects.push_back(object);
        }
    }
    if (request.predicate) {
        std::erase_if(objects, [&](const auto& object) { return !request.predicate(*object); });
    }
    if (!request.sortDescriptors.empty()) {
        std::stable_sort(objects.begin(), objects.end(), [&](const auto& a, const auto& b) {
            for (const auto& descriptor : request.sortDescriptors) {
                int order = descriptor.compareObjects(*a, *b);
                if (order != 0) {
                    return order < 0;
                }
            }
            return false;
        });
    }
    if (request.fetchOffset > 0) {
        objects.erase(objects.begin(),
                      objects.begin() + std::min(request.fetchOffset, objects.size()));
    }
    if (request.fetchLimit > 0 && objects.size() > request.fetchLimit) {
        objects.resize(request.fetchLimit);
    }
    return objects;
}

std::shared_ptr<ManagedObject> Context::objectRegisteredForID(const ObjectID& id) const {
    auto found = registered_.find(id);
    return found == registered_.end() ? nullptr : found->second;
}

std::shared_ptr<ManagedObject> Context::existingObjectWithID(const ObjectID& id,
                                                             foundation::Error* error) {
    if (auto object = objectRegisteredForID(id)) {
        return object;
    }
    auto notFound = [&](std::string why) -> std::shared_ptr<ManagedObject> {
        if (error) {
            *error = makeStoreError(kManagedObjectReferentialIntegrityError, std::move(why));
        }
        return nullptr;
    };
    if (!coordinator_ || !coordinator_->hasStore()) {
        return notFound("The context has no store.");
    }
    auto entity = coordinator_->managedObjectModel().entityNamed(id.entityName());
    if (!entity || id.isTemporaryID() ||
        id.storeIdentifier() != coordinator_->store()->identifier()) {
        return notFound("No object of this store has the ID " + id.URIRepresentation() + ".");
    }
    std::optional<SQLiteStore::Row> row;
    if (!coordinator_->store()->fetchRow(*entity, id.primaryKey(), row, error)) {
        return nullptr;
    }
    if (!row) {
        return notFound("The object " + id.URIRepresentation() + " no longer exists.");
    }
    return registerRow(*entity, std::move(*row));
}

foundation::Value Context::loadAttribute(const ManagedObject& object,
                                         const AttributeDescription& attribute) {
    foundation::Value value;
    if (coordinator_ && coordinator_->hasStore() && !object.objectID_.isTemporaryID()) {
        coordinator_->store()->fetchAttribute(*object.entity_, object.objectID_.primaryKey(),
                                              attribute, value, nullptr);
    }
    return value;
}

std::vector<std::weak_ptr<ManagedObject>> Context::loadRelation(
    ManagedObject& object, const RelationshipDescription& relationship) {
    std::vector<std::weak_ptr<ManagedObject>> result;
    if (!coordinator_ || !coordinator_->hasStore() || object.objectID_.isTemporaryID()) {
        return result;
    }
    auto destination =
        coordinator_->managedObjectModel().entityNamed(relationship.destinationEntity);
    std::vector<std::int64_t> keys;
    if (!destination ||
        !coordinator_->store()->fetchRelated(*object.entity_, relationship,
                                             object.objectID_.primaryKey(), keys, nullptr)) {
        return result;
    }
    for (auto key : keys) {
        auto id =
            ObjectID::makePermanent(coordinator_->store()->identifier(), destination->name(), key);
        if (auto related = existingObjectWithID(id, nullptr)) {
            result.push_back(related);
        }
    }
    return result;
}

bool Context::hasChanges() const {
    return !inserted_.empty() || !deleted_.empty() ||
           std::any_of(updated_.begin(), updated_.end(),
                       [](const auto& object) { return object->isUpdated(); });
}

std::vector<std::shared_ptr<ManagedObject>> Context::updatedObjects() const {
    std::vector<std::shared_ptr<ManagedObject>> result;
    for (const auto& object : updated_) {
        if (object->isUpdated()) {
            result.push_back(object);
        }
    }
    return result;
}

void Context::objectDidChange(const std::shared_ptr<ManagedObject>& object) {
    if (object->deleted_) {
        return;
    }
    if (!object->inserted_ && !holds(updated_, object.get())) {
        updated_.push_back(object);
    }
    notePending(object, kUpdate);
}

void Context::notePending(const std::shared_ptr<ManagedObject>& object, int kind) {
    const ManagedObject* raw = object.get();
    switch (kind) {
        case kInsert:
            pending_.inserted.push_back(object);
            break;
        case kUpdate:
            if (!holds(pending_.inserted, raw) && !holds(pending_.updated, raw) &&
                !holds(pending_.deleted, raw)) {
                pending_.updated.push_back(object);
            }
            break;
        default:
            removeFrom(pending_.updated, raw);
            if (holds(pending_.inserted, raw)) {
                // Inserted and deleted between two notifications: never announced.
                removeFrom(pending_.inserted, raw);
            } else if (!holds(pending_.deleted, raw)) {
                pending_.deleted.push_back(object);
            }
            break;
    }
    scheduleProcessing();
}

void Context::scheduleProcessing() {
    if (processingScheduled_) {
        return;
    }
    auto& mainLoop = foundation::RunLoop::main();
    std::weak_ptr<Context> weak = weak_from_this();
    if (weak.expired() || !mainLoop.isMain() || &foundation::RunLoop::current() != &mainLoop) {
        return;
    }
    processingScheduled_ = true;
    mainLoop.perform([weak] {
        if (auto context = weak.lock()) {
            context->processPendingChanges();
        }
    });
}

void Context::processPendingChanges() {
    processingScheduled_ = false;
    if (pending_.empty()) {
        return;
    }
    Changes changes = std::move(pending_);
    pending_ = Changes();
    post(false, changes);
}

bool Context::save(foundation::Error* error) {
    processPendingChanges();
    if (!hasChanges()) {
        return true;
    }
    if (!coordinator_ || !coordinator_->hasStore()) {
        if (error) {
            *error = noStoreError();
        }
        return false;
    }
    auto toSave = inserted_;
    for (const auto& object : updatedObjects()) {
        toSave.push_back(object);
    }
    for (const auto& object : toSave) {
        object->willSave();
    }
    for (const auto& object : inserted_) {
        if (!object->validateAll(error, true)) {
            return false;
        }
    }
    for (const auto& object : updatedObjects()) {
        if (!object->validateAll(error, true)) {
            return false;
        }
    }
    processPendingChanges();

    auto inserted = inserted_;
    auto updated = updatedObjects();
    auto deleted = deleted_;
    auto* store = coordinator_->store();
    std::map<const ManagedObject*, std::int64_t> newKeys;
    auto keyOf = [&](const ManagedObject& object) -> std::int64_t {
        if (!object.objectID_.isTemporaryID()) {
            return object.objectID_.primaryKey();
        }
        auto found = newKeys.find(&object);
        return found == newKeys.end() ? 0 : found->second;
    };
    auto writeRelations = [&](ManagedObject& object, bool all) {
        for (const auto& relationship : object.entity_->relationships()) {
            if (!all && !object.changedKeys_.contains(relationship.name)) {
                continue;
            }
            std::vector<std::int64_t> destinations;
            for (const auto& related : object.objectsForKey(relationship.name)) {
                if (related->deleted_ || related->context_.lock().get() != this) {
                    continue;
                }
                if (auto key = keyOf(*related); key > 0) {
                    destinations.push_back(key);
                }
            }
            if (all && destinations.empty()) {
                continue;
            }
            if (!store->replaceRelated(*object.entity_, relationship, keyOf(object), destinations,
                                       error)) {
                return false;
            }
        }
        return true;
    };

    bool written = store->begin(error);
    for (std::size_t i = 0; written && i < inserted.size(); ++i) {
        auto& object = *inserted[i];
        std::map<std::string, foundation::Value> values;
        for (const auto& attribute : object.entity_->attributes()) {
            if (isStored(attribute)) {
                values[attribute.name] = object.primitiveValueForKey(attribute.name);
            }
        }
        std::int64_t key = 0;
        written = store->insertRow(*object.entity_, values, key, error);
        newKeys[&object] = key;
    }
    for (std::size_t i = 0; written && i < updated.size(); ++i) {
        auto& object = *updated[i];
        std::map<std::string, foundation::Value> values;
        for (const auto& name : object.changedKeys_) {
            const auto* attribute = object.entity_->attributeNamed(name);
            if (attribute && isStored(*attribute)) {
                values[name] = object.primitiveValueForKey(name);
            }
        }
        written = store->updateRow(*object.entity_, object.objectID_.primaryKey(), values, error);
    }
    for (std::size_t i = 0; written && i < inserted.size(); ++i) {
        written = writeRelations(*inserted[i], true);
    }
    for (std::size_t i = 0; written && i < updated.size(); ++i) {
        written = writeRelations(*updated[i], false);
    }
    for (std::size_t i = 0; written && i < deleted.size(); ++i) {
        written = store->deleteRow(*deleted[i]->entity_, deleted[i]->objectID_.primaryKey(), error);
    }
    written = written && store->commit(error);
    if (!written) {
        store->rollback();
        return false;
    }

    for (const auto& object : inserted) {
        registered_.erase(object->objectID_);
        object->objectID_ = ObjectID::makePermanent(store->identifier(), object->entity_->name(),
                                                    newKeys[object.get()]);
        object->inserted_ = false;
        registered_[object->objectID_] = object;
    }
    for (const auto& list : {inserted, updated}) {
        for (const auto& object : list) {
            object->changedKeys_.clear();
            object->snapshot_.reset();
        }
    }
    for (const auto& object : deleted) {
        registered_.erase(object->objectID_);
        object->changedKeys_.clear();
        object->snapshot_.reset();
        object->context_.reset();
    }
    inserted_.clear();
    updated_.clear();
    deleted_.clear();
    for (const auto& list : {inserted, updated}) {
        for (const auto& object : list) {
            object->didSave();
        }
    }
    post(true, Changes{inserted, updated, deleted});
    return true;
}

void Context::detach(const std::shared_ptr<ManagedObject>& object) {
    registered_.erase(object->objectID_);
    object->inserted_ = false;
    object->deleted_ = true;
    object->changedKeys_.clear();
    object->context_.reset();
}

void Context::rollback() {
    pending_ = Changes();
    Changes changes;
    for (const auto& object : inserted_) {
        detach(object);
        changes.deleted.push_back(object);
    }
    std::vector<std::shared_ptr<ManagedObject>> restored = updated_;
    for (const auto& object : deleted_) {
        if (!holds(restored, object.get())) {
            restored.push_back(object);
        }
    }
    std::vector<std::pair<std::shared_ptr<ManagedObject>, std::set<std::string>>> reverted;
    for (const auto& object : restored) {
        for (const auto& key : object->changedKeys_) {
            object->announceWillChange(key);
        }
        if (object->snapshot_) {
            object->values_ = std::move(object->snapshot_->values);
            object->unloaded_ = std::move(object->snapshot_->unloaded);
            object->relations_ = std::move(object->snapshot_->relations);
            object->snapshot_.reset();
        }
        reverted.emplace_back(object, std::move(object->changedKeys_));
        object->changedKeys_.clear();
        if (object->deleted_) {
            object->deleted_ = false;
            changes.inserted.push_back(object);
        } else {
            changes.updated.push_back(object);
        }
    }
    inserted_.clear();
    updated_.clear();
    deleted_.clear();
    for (const auto& [object, keys] : reverted) {
        for (const auto& key : keys) {
            object->announceDidChange(key);
        }
    }
    if (!changes.empty()) {
        post(false, changes);
    }
}

std::uint64_t Context::addObjectsDidChangeObserver(ChangesCallback callback) {
    observers_.push_back(Observer{nextToken_, false, std::move(callback)});
    return nextToken_++;
}

std::uint64_t Context::addDidSaveObserver(ChangesCallback callback) {
    observers_.push_back(Observer{nextToken_, true, std::move(callback)});
    return nextToken_++;
}

void Context::removeObserver(std::uint64_t token) {
    std::erase_if(observers_, [&](const Observer& o) { return o.token == token; });
}

void Context::post(bool onSave, const Changes& changes) {
    std::vector<Observer> observers;
    for (const auto& observer : observers_) {
        if (observer.onSave == onSave) {
            observers.push_back(observer);
        }
    }
    for (const auto& observer : observers) {
        bool stillThere = std::any_of(observers_.begin(), observers_.end(),
                                      [&](const Observer& o) { return o.token == observer.token; });
        if (stillThere) {
            observer.callback(*this, changes);
        }
    }
}

}  // namespace store
