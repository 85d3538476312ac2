#include "platform/store/ManagedObject.h"

#include <algorithm>
#include <limits>

#include "platform/store/Context.h"
#include "platform/store/StoreError.h"

namespace store {

namespace {

bool fitsType(const foundation::Value& value, AttributeType type) {
    switch (type) {
        case AttributeType::Integer16:
        case AttributeType::Integer32:
        case AttributeType::Integer64:
            return value.isInteger() || value.isBoolean();
        case AttributeType::Decimal:
        case AttributeType::Double:
        case AttributeType::Float:
        case AttributeType::Boolean:
            return value.isNumber();
        case AttributeType::String:
            return value.isString();
        case AttributeType::Date:
            return value.isDate();
        case AttributeType::BinaryData:
            return value.isData();
        default:
            return true;
    }
}

std::pair<std::int64_t, std::int64_t> integerRange(AttributeType type) {
    switch (type) {
        case AttributeType::Integer16:
            return {std::numeric_limits<std::int16_t>::min(),
                    std::numeric_limits<std::int16_t>::max()};
        case AttributeType::Integer32:
            return {std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::max()};
        default:
            return {std::numeric_limits<std::int64_t>::min(),
                    std::numeric_limits<std::int64_t>::max()};
    }
}

void fill(foundation::Error* error, long code, std::string text) {
    if (error) {
        *error = makeStoreError(code, std::move(text));
    }
}

}  // namespace

foundation::Value ManagedObject::valueForKey(std::string_view key) const {
    willAccessValueForKey(key);
    foundation::Value value = primitiveValueForKey(key);
    didAccessValueForKey(key);
    return value;
}

void ManagedObject::setValue(foundation::Value value, const std::string& key) {
    if (!entity_ || !entity_->attributeNamed(key)) {
        return;
    }
    willChangeValueForKey(key);
    values_[key] = std::move(value);
    unloaded_.erase(key);
    didChangeValueForKey(key);
}

foundation::Value ManagedObject::primitiveValueForKey(std::string_view key) const {
    std::string name(key);
    if (unloaded_.contains(name)) {
        unloaded_.erase(name);
        auto context = context_.lock();
        const auto* attribute = entity_ ? entity_->attributeNamed(name) : nullptr;
        if (context && attribute) {
            values_[name] = context->loadAttribute(*this, *attribute);
        }
    }
    auto found = values_.find(name);
    return found == values_.end() ? foundation::Value() : found->second;
}

void ManagedObject::setPrimitiveValue(foundation::Value value, const std::string& key) {
    const auto* attribute = entity_ ? entity_->attributeNamed(key) : nullptr;
    if (!attribute) {
        return;
    }
    bool stored = !attribute->transient && attribute->attributeType != AttributeType::Undefined;
    if (stored) {
        snapshotIfNeeded();
    }
    values_[key] = std::move(value);
    unloaded_.erase(key);
    if (stored) {
        markChanged(key);
    }
}

ManagedObject::Relation& ManagedObject::relation(const std::string& key) {
    Relation& relation = relations_[key];
    if (!relation.loaded) {
        relation.loaded = true;
        auto context = context_.lock();
        const auto* description = entity_ ? entity_->relationshipNamed(key) : nullptr;
        if (context && description && !objectID_.isTemporaryID()) {
            relation.objects = context->loadRelation(*this, *description);
        }
    }
    return relation;
}

std::vector<std::shared_ptr<ManagedObject>> ManagedObject::objectsForKey(const std::string& key) {
    std::vector<std::shared_ptr<ManagedObject>> objects;
    if (!entity_ || !entity_->relationshipNamed(key)) {
        return objects;
    }
    for (const auto& weak : relation(key).objects) {
        if (auto object = weak.lock()) {
            objects.push_back(std::move(object));
        }
    }
    return objects;
}

std::shared_ptr<ManagedObject> ManagedObject::objectForKey(const std::string& key) {
    auto objects = objectsForKey(key);
    return objects.empty() ? nullptr : objects.front();
}

void ManagedObject::linkPrimitive(const std::string& key,
                                  const std::shared_ptr<ManagedObject>& object) {
    Relation& rel = relation(key);
    for (const auto& weak : rel.objects) {
        if (weak.lock() == object) {
            return;
        }
    }
    willChangeValueForKey(key);
    const auto* description = entity_->relationshipNamed(key);
    if (description && !description->isToMany()) {
        rel.objects.clear();
    }
    rel.objects.push_back(object);
    didChangeValueForKey(key);
}

void ManagedObject::unlinkPrimitive(const std::string& key, const ManagedObject* object) {
    Relation& rel = relation(key);
    auto found = std::find_if(rel.objects.begin(), rel.objects.end(),
                              [&](const auto& weak) { return weak.lock().get() == object; });
    if (found == rel.objects.end()) {
        return;
    }
    willChangeValueForKey(key);
    rel.objects.erase(found);
    didChangeValueForKey(key);
}

void ManagedObject::link(const RelationshipDescription& relationship,
                         const std::shared_ptr<ManagedObject>& object) {
    if (!relationship.isToMany()) {
        auto current = objectForKey(relationship.name);
        if (current == object) {
            return;
        }
        if (current) {
            unlink(relationship, current.get());
        }
    }
    linkPrimitive(relationship.name, object);
    if (relationship.inverseRelationship.empty() || !object->entity_) {
        return;
    }
    const auto* inverse = object->entity_->relationshipNamed(relationship.inverseRelationship);
    if (!inverse) {
        return;
    }
    if (!inverse->isToMany()) {
        // The object leaves its former owner's side of this relationship.
        auto former = object->objectForKey(inverse->name);
        if (former && former.get() != this) {
            former->unlinkPrimitive(relationship.name, object.get());
        }
    }
    object->linkPrimitive(inverse->name, shared_from_this());
}

void ManagedObject::unlink(const RelationshipDescription& relationship, ManagedObject* object) {
    unlinkPrimitive(relationship.name, object);
    if (!relationship.inverseRelationship.empty() && object->entity_ &&
        object->entity_->relationshipNamed(relationship.inverseRelationship)) {
        object->unlinkPrimitive(relationship.inverseRelationship, this);
    }
}

void ManagedObject::setObject(const std::shared_ptr<ManagedObject>& object,
                              const std::string& key) {
    const auto* relationship = entity_ ? entity_->relationshipNamed(key) : nullptr;
    if (!relationship) {
        return;
    }
    if (object) {
        link(*relationship, object);
    } else if (auto current = objectForKey(key)) {
        unlink(*relationship, current.get());
    }
}

void ManagedObject::addObject(const std::shared_ptr<ManagedObject>& object,
                              const std::string& key) {
    const auto* relationship = entity_ ? entity_->relationshipNamed(key) : nullptr;
    if (relationship && object) {
        link(*relationship, object);
    }
}

void ManagedObject::removeObject(const std::shared_ptr<ManagedObject>& object,
                                 const std::string& key) {
    const auto* relationship = entity_ ? entity_->relationshipNamed(key) : nullptr;
    if (relationship && object) {
        unlink(*relationship, object.get());
    }
}

void ManagedObject::setObjects(const std::vector<std::shared_ptr<ManagedObject>>& objects,
                               const std::string& key) {
    const auto* relationship = entity_ ? entity_->relationshipNamed(key) : nullptr;
    if (!relationship) {
        return;
    }
    for (const auto& current : objectsForKey(key)) {
        if (std::find(objects.begin(), objects.end(), current) == objects.end()) {
            unlink(*relationship, current.get());
        }
    }
    for (const auto& object : objects) {
        if (object) {
            link(*relationship, object);
        }
    }
}

void ManagedObject::snapshotIfNeeded() {
    if (!inserted_ && !snapshot_) {
        snapshot_ = Snapshot{values_, unloaded_, relations_};
    }
}

void ManagedObject::markChanged(const std::string& key) {
    changedKeys_.insert(key);
    if (auto context = context_.lock()) {
        context->objectDidChange(shared_from_this());
    }
}

void ManagedObject::willChangeValueForKey(std::string_view key) {
    snapshotIfNeeded();
    Observable::willChangeValueForKey(key);
}

void ManagedObject::didChangeValueForKey(std::string_view key) {
    markChanged(std::string(key));
    Observable::didChangeValueForKey(key);
}

bool ManagedObject::validateValue(foundation::Value& value, const std::string& key,
                                  foundation::Error* error) {
    std::string where = "\"" + key + "\" of " + (entity_ ? entity_->name() : "object");
    if (const auto* attribute = entity_ ? entity_->attributeNamed(key) : nullptr) {
        if (value.isNull()) {
            if (!attribute->optional) {
                fill(error, kValidationMissingMandatoryPropertyError,
                     "The value " + where + " is missing.");
                return false;
            }
        } else if (!fitsType(value, attribute->attributeType)) {
            fill(error, kValidationInvalidTypeError, "The value " + where + " has a wrong type.");
            return false;
        } else if (value.isInteger()) {
            auto [low, high] = integerRange(attribute->attributeType);
            if (value.integerValue() < low) {
                fill(error, kValidationNumberTooSmallError,
                     "The value " + where + " is too small.");
                return false;
            }
            if (value.integerValue() > high) {
                fill(error, kValidationNumberTooLargeError,
                     "The value " + where + " is too large.");
                return false;
            }
        }
    }
    return validateKey(key, value, error);
}

bool ManagedObject::validateAll(foundation::Error* error, bool applyChanges) {
    if (!entity_) {
        return true;
    }
    for (const auto& attribute : entity_->attributes()) {
        foundation::Value value = primitiveValueForKey(attribute.name);
        foundation::Value candidate = value;
        if (!validateValue(candidate, attribute.name, error)) {
            return false;
        }
        if (applyChanges && !(candidate == value && candidate.type() == value.type())) {
            setPrimitiveValue(std::move(candidate), attribute.name);
        }
    }
    for (const auto& relationship : entity_->relationships()) {
        auto count = static_cast<std::uint64_t>(objectsForKey(relationship.name).size());
        std::string where = "\"" + relationship.name + "\" of " + entity_->name();
        if (!relationship.isToMany() && !relationship.optional && count == 0) {
            fill(error, kValidationMissingMandatoryPropertyError,
                 "The relationship " + where + " is missing.");
            return false;
        }
        if (relationship.isToMany() && count < relationship.minCount) {
            fill(error, kValidationRelationshipLacksMinimumCountError,
                 "The relationship " + where + " has too few objects.");
            return false;
        }
        if (relationship.isToMany() && relationship.maxCount != 0 &&
            relationship.maxCount < std::numeric_limits<std::int64_t>::max() &&
            count > relationship.maxCount) {
            fill(error, kValidationRelationshipExceedsMaximumCountError,
                 "The relationship " + where + " has too many objects.");
            return false;
        }
    }
    return true;
}

}  // namespace store
