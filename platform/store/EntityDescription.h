#pragma once

// The description of one entity of a model: its name, the class that makes its
// objects, and its attributes and relationships in declaration order.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/store/AttributeDescription.h"
#include "platform/store/RelationshipDescription.h"

namespace store {

class ManagedObject;

class EntityDescription {
  public:
    using ObjectFactory = std::function<std::shared_ptr<ManagedObject>()>;

    EntityDescription(std::string name, std::string managedObjectClassName, bool abstract = false)
        : name_(std::move(name)),
          managedObjectClassName_(std::move(managedObjectClassName)),
          abstract_(abstract) {}

    const std::string& name() const { return name_; }
    const std::string& managedObjectClassName() const { return managedObjectClassName_; }
    bool isAbstract() const { return abstract_; }

    // Makes the objects of this entity; plain `ManagedObject`s without one.
    void setObjectFactory(ObjectFactory factory) { factory_ = std::move(factory); }
    std::shared_ptr<ManagedObject> makeObject() const;

    const std::vector<AttributeDescription>& attributes() const { return attributes_; }
    const std::vector<RelationshipDescription>& relationships() const { return relationships_; }
    void setAttributes(std::vector<AttributeDescription> attributes) {
        attributes_ = std::move(attributes);
    }
    void setRelationships(std::vector<RelationshipDescription> relationships) {
        relationships_ = std::move(relationships);
    }
    void addAttribute(AttributeDescription attribute) {
        attributes_.push_back(std::move(attribute));
    }
    void addRelationship(RelationshipDescription relationship) {
        relationships_.push_back(std::move(relationship));
    }

    const AttributeDescription* attributeNamed(const std::string& name) const;
    const RelationshipDescription* relationshipNamed(const std::string& name) const;
    RelationshipDescription* mutableRelationshipNamed(const std::string& name);

  private:
    std::string name_;
    std::string managedObjectClassName_;
    bool abstract_;
    ObjectFactory factory_;
    std::vector<AttributeDescription> attributes_;
    std::vector<RelationshipDescription> relationships_;
};

}  // namespace store
