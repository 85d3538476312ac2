#pragma once

// The managed object context: the objects in use, their pending inserts,
// changes and deletions, fetches, and saves that write all pending changes in
// one transaction. It belongs to the main thread. Make it with
// std::make_shared: its objects keep a weak reference to it.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/store/Coordinator.h"
#include "platform/store/FetchRequest.h"
#include "platform/store/ManagedObject.h"

namespace store {

class Context : public std::enable_shared_from_this<Context> {
  public:
    // The objects a change notification is about.
    struct Changes {
        std::vector<std::shared_ptr<ManagedObject>> inserted;
        std::vector<std::shared_ptr<ManagedObject>> updated;
        std::vector<std::shared_ptr<ManagedObject>> deleted;
        bool empty() const { return inserted.empty() && updated.empty() && deleted.empty(); }
    };
    using ChangesCallback = std::function<void(Context& context, const Changes& changes)>;

    Context() = default;
    explicit Context(std::shared_ptr<Coordinator> coordinator)
        : coordinator_(std::move(coordinator)) {}
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    const std::shared_ptr<Coordinator>& persistentStoreCoordinator() const { return coordinator_; }
    void setPersistentStoreCoordinator(std::shared_ptr<Coordinator> coordinator) {
        coordinator_ = std::move(coordinator);
    }

    // insertNewObjectForEntityForName:inManagedObjectContext: ; nullptr for an
    // entity the model does not know.
    std::shared_ptr<ManagedObject> insertNewObject(const std::string& entityName);
    template <typename T>
    std::shared_ptr<T> insertNewObject(const std::string& entityName) {
        return std::dynamic_pointer_cast<T>(insertNewObject(entityName));
    }
    // Marks the object deleted (an unsaved one is simply dropped) and removes
    // it from every relationship that holds it.
    void deleteObject(const std::shared_ptr<ManagedObject>& object);

    // Stored objects and pending inserts of the entity, without pending
    // deletions; nullopt with `error` when the store cannot be read.
    std::optional<std::vector<std::shared_ptr<ManagedObject>>> executeFetchRequest(
        const FetchRequest& request, foundation::Error* error);
    template <typename T>
    std::optional<std::vector<std::shared_ptr<T>>> executeFetchRequestAs(
        const FetchRequest& request, foundation::Error* error) {
        auto objects = executeFetchRequest(request, error);
        if (!objects) {
            return std::nullopt;
        }
        std::vector<std::shared_ptr<T>> result;
        for (auto& object : *objects) {
            if (auto typed = std::dynamic_pointer_cast<T>(object)) {
                result.push_back(std::move(typed));
            }
        }
        return result;
    }

    // The object with this ID, read from the store when it is not in use;
    // nullptr with `error` when there is none.
    std::shared_ptr<ManagedObject> existingObjectWithID(const ObjectID& id,
                                                        foundation::Error* error);
    std::shared_ptr<ManagedObject> objectRegisteredForID(const ObjectID& id) const;

    bool hasChanges() const;
    std::vector<std::shared_ptr<ManagedObject>> insertedObjects() const { return inserted_; }
    std::vector<std::shared_ptr<ManagedObject>> updatedObjects() const;
    std::vector<std::shared_ptr<ManagedObject>> deletedObjects() const { return deleted_; }

    // Writes every pending change in one transaction: `willSave` on inserted
    // and updated objects, validation (a failure writes nothing and keeps the
    // changes pending), then the rows. Temporary IDs become permanent.
    bool save(foundation::Error* error);
    // Forgets pending changes: inserted objects leave, changed and deleted
    // objects return to their saved state.
    void rollback();
    // Sends the change notification for what changed since the last one.
    // Also done by `save` and, on the main thread, at the end of the run-loop
    // turn in which the first change was made.
    void processPendingChanges();

    // Notifications of changes (objects did change) and of saves; the token
    // removes the observer.
    std::uint64_t addObjectsDidChangeObserver(ChangesCallback callback);
    std::uint64_t addDidSaveObserver(ChangesCallback callback);
    void removeObserver(std::uint64_t token);

    // Called by managed objects.
    void objectDidChange(const std::shared_ptr<ManagedObject>& object);
    foundation::Value loadAttribute(const ManagedObject& object,
                                    const AttributeDescription& attribute);
    std::vector<std::weak_ptr<ManagedObject>> loadRelation(
        ManagedObject& object, const RelationshipDescription& relationship);

  private:
    struct Observer {
        std::uint64_t token;
        bool onSave;
        ChangesCallback callback;
    };

    std::shared_ptr<ManagedObject> registerRow(const EntityDescription& entity,
                                               SQLiteStore::Row row);
    void notePending(const std::shared_ptr<ManagedObject>& object, int kind);
    void post(bool onSave, const Changes& changes);
    void scheduleProcessing();
    void detach(const std::shared_ptr<ManagedObject>& object);

    std::shared_ptr<Coordinator> coordinator_;
    std::map<ObjectID, std::shared_ptr<ManagedObject>> registered_;
    std::vector<std::shared_ptr<ManagedObject>> inserted_;
    std::vector<std::shared_ptr<ManagedObject>> updated_;
    std::vector<std::shared_ptr<ManagedObject>> deleted_;
    // Changes not yet announced by processPendingChanges.
    Changes pending_;
    bool processingScheduled_ = false;
    std::vector<Observer> observers_;
    std::uint64_t nextToken_ = 1;
};

}  // namespace store
