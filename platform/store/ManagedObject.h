#pragma once

// An object of the store: the values of its entity's attributes, the objects
// of its relationships, key-value access, observation and validation, and the
// hooks a subclass overrides (`willSave`, `validateKey`, awake calls).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/Observable.h"
#include "platform/foundation/Value.h"
#include "platform/store/EntityDescription.h"
#include "platform/store/ObjectID.h"

namespace store {

class Context;

class ManagedObject : public foundation::Observable,
                      public std::enable_shared_from_this<ManagedObject> {
  public:
    ManagedObject() = default;
    virtual ~ManagedObject() = default;
    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    const std::shared_ptr<const EntityDescription>& entity() const { return entity_; }
    const ObjectID& objectID() const { return objectID_; }
    // The context the object lives in; empty once that context is gone.
    std::shared_ptr<Context> managedObjectContext() const { return context_.lock(); }

    bool isInserted() const { return inserted_; }
    bool isDeleted() const { return deleted_; }
    // Changed since the last save (and not inserted or deleted).
    bool isUpdated() const { return !inserted_ && !deleted_ && !changedKeys_.empty(); }
    bool hasChanges() const { return inserted_ || deleted_ || !changedKeys_.empty(); }
    const std::set<std::string>& changedKeys() const { return changedKeys_; }

    // Key-value access to attributes, with change notification to the
    // observers of the key. An unknown key reads as null and is not written.
    foundation::Value valueForKey(std::string_view key) const override;
    void setValue(foundation::Value value, const std::string& key);
    // The stored value itself, without notification.
    foundation::Value primitiveValueForKey(std::string_view key) const;
    void setPrimitiveValue(foundation::Value value, const std::string& key);

    // Relationships. The inverse side, when the model names one, follows.
    std::vector<std::shared_ptr<ManagedObject>> objectsForKey(const std::string& key);
    std::shared_ptr<ManagedObject> objectForKey(const std::string& key);
    void setObject(const std::shared_ptr<ManagedObject>& object, const std::string& key);
    void addObject(const std::shared_ptr<ManagedObject>& object, const std::string& key);
    void removeObject(const std::shared_ptr<ManagedObject>& object, const std::string& key);
    void setObjects(const std::vector<std::shared_ptr<ManagedObject>>& objects,
                    const std::string& key);

    void willAccessValueForKey(std::string_view) const {}
    void didAccessValueForKey(std::string_view) const {}
    // Marks the key changed and tells the context and the key's observers
    // (registered with `addObserver`, see foundation::Observable).
    void willChangeValueForKey(std::string_view key);
    void didChangeValueForKey(std::string_view key);

    // Validates a candidate value for the key (the model's rules, then the
    // subclass's `validateKey`), which may replace the value. Errors are
    // filled in only where the rule provides one.
    bool validateValue(foundation::Value& value, const std::string& key, foundation::Error* error);
    bool validateForInsert(foundation::Error* error) { return validateAll(error, false); }
    bool validateForUpdate(foundation::Error* error) { return validateAll(error, false); }
    bool validateForDelete(foundation::Error*) { return true; }

    virtual void awakeFromInsert() {}
    virtual void awakeFromFetch() {}
    // Called on inserted and updated objects before their changes are written.
    virtual void willSave() {}
    virtual void didSave() {}

  protected:
    // The subclass's rule for one key (`validateName`, `validateUrl`, ...).
    virtual bool validateKey(const std::string& key, foundation::Value& value,
                             foundation::Error* error) {
        return true;
    }

  private:
    friend class Context;

    struct Relation {
        bool loaded = false;
        std::vector<std::weak_ptr<ManagedObject>> objects;
    };
    struct Snapshot {
        std::map<std::string, foundation::Value> values;
        std::set<std::string> unloaded;
        std::map<std::string, Relation> relations;
    };

    bool validateAll(foundation::Error* error, bool applyChanges);
    Relation& relation(const std::string& key);
    void snapshotIfNeeded();
    void markChanged(const std::string& key);
    // Observer notification without marking a change (rollback).
    void announceWillChange(const std::string& key) { Observable::willChangeValueForKey(key); }
    void announceDidChange(const std::string& key) { Observable::didChangeValueForKey(key); }
    // Relationship edits without the inverse side.
    void linkPrimitive(const std::string& key, const std::shared_ptr<ManagedObject>& object);
    void unlinkPrimitive(const std::string& key, const ManagedObject* object);
    void link(const RelationshipDescription& relationship,
              const std::shared_ptr<ManagedObject>& object);
    void unlink(const RelationshipDescription& relationship, ManagedObject* object);

    std::shared_ptr<const EntityDescription> entity_;
    std::weak_ptr<Context> context_;
    ObjectID objectID_;
    bool inserted_ = false;
    bool deleted_ = false;
    mutable std::map<std::string, foundation::Value> values_;
    // Stored binary attributes not read from the file yet.
    mutable std::set<std::string> unloaded_;
    std::map<std::string, Relation> relations_;
    std::set<std::string> changedKeys_;
    std::optional<Snapshot> snapshot_;
};

}  // namespace store
