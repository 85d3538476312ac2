#include "platform/store/EntityDescription.h"

#include "platform/store/ManagedObject.h"

namespace store {

std::shared_ptr<ManagedObject> EntityDescription::makeObject() const {
    return factory_ ? factory_() : std::make_shared<ManagedObject>();
}

const AttributeDescription* EntityDescription::attributeNamed(const std::string& name) const {
    for (const auto& attribute : attributes_) {
        if (attribute.name == name) {
            return &attribute;
        }
    }
    return nullptr;
}

const RelationshipDescription* EntityDescription::relationshipNamed(const std::string& name) const {
    for (const auto& relationship : relationships_) {
        if (relationship.name == name) {
            return &relationship;
        }
    }
    return nullptr;
}

RelationshipDescription* EntityDescription::mutableRelationshipNamed(const std::string& name) {
    for (auto& relationship : relationships_) {
        if (relationship.name == name) {
            return &relationship;
        }
    }
    return nullptr;
}

}  // namespace store
