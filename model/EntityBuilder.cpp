#include "model/EntityBuilder.h"

#include "model/EntityFactory.h"
#include "platform/foundation/ClassRegistry.h"

namespace {

std::shared_ptr<EntityFactory> factoryNamed(const std::string& className) {
    RegisterEntityClasses();
    return foundation::ClassRegistry::shared().make<EntityFactory>(className);
}

}  // namespace

std::vector<std::shared_ptr<store::EntityDescription>> BuildEntityDescriptions(
    const std::vector<std::string>& classNames) {
    std::map<std::string, std::shared_ptr<store::EntityDescription>> entities;
    for (const auto& className : classNames) {
        auto factory = factoryNamed(className);
        if (!factory || !factory->getEntityAttributes) {
            continue;
        }
        bool abstract = factory->isEntityAbstract ? factory->isEntityAbstract() : false;
        auto entity = std::make_shared<store::EntityDescription>(className, className, abstract);
        for (const auto* row = factory->getEntityAttributes(); row && row->name; ++row) {
            auto type = static_cast<store::AttributeType>(row->type);
            entity->addAttribute(
                store::AttributeDescription(row->name, type, row->indexed, row->optional,
                                            type == store::AttributeType::Undefined));
        }
        entity->setObjectFactory(factory->makeObject);
        entities[className] = entity;
    }
    for (const auto& className : classNames) {
        AddEntityRelationships(className, entities);
    }
    std::vector<std::shared_ptr<store::EntityDescription>> result;
    for (auto& [name, entity] : entities) {
        result.push_back(entity);
    }
    return result;
}

void AddEntityRelationships(
    const std::string& className,
    std::map<std::string, std::shared_ptr<store::EntityDescription>>& entities) {
    auto factory = factoryNamed(className);
    auto found = entities.find(className);
    if (!factory || !factory->getEntityRelationships || found == entities.end()) {
        return;
    }
    auto& entity = *found->second;
    for (const auto* row = factory->getEntityRelationships(); row && row->name; ++row) {
        store::RelationshipDescription relationship;
        relationship.name = row->name;
        relationship.indexed = row->indexed;
        relationship.optional = row->optional;
        relationship.minCount =
            static_cast<std::uint64_t>(static_cast<std::int64_t>(row->minCount));
        relationship.maxCount =
            static_cast<std::uint64_t>(static_cast<std::int64_t>(row->maxCount));
        relationship.deleteRule = static_cast<store::DeleteRule>(row->deleteRule);
        relationship.destinationEntity = row->destination ? row->destination : "";
        auto destination = entities.find(relationship.destinationEntity);
        if (row->inverse && destination != entities.end()) {
            if (auto* inverse = destination->second->mutableRelationshipNamed(row->inverse)) {
                relationship.inverseRelationship = row->inverse;
                inverse->inverseRelationship = relationship.name;
            }
        }
        entity.addRelationship(std::move(relationship));
    }
}
