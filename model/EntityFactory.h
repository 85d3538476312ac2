#pragma once

// The descriptor tables an entity class gives about itself, and the class side
// of such a class (`EntityFactory`): its tables and a maker of its objects,
// registered by class name so the entity builder can find it.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/store/ManagedObject.h"

// One attribute; a row without a name ends a table.
struct attribute_desc_s {
    const char* name;
    unsigned indexed : 1;
    unsigned optional : 1;
    // Attribute type code (100 Integer 16, 200 Integer 32, 700 String,
    // 900 Date, 1000 Binary Data); 0 makes the attribute transient.
    std::uint64_t type;
};

// One relationship; a row without a name ends a table.
struct relationship_desc_s {
    const char* name;
    unsigned indexed : 1;
    unsigned optional : 1;
    std::int32_t minCount;
    // -1, widened with its sign, means unbounded (to-many).
    std::int32_t maxCount;
    // Delete rule code (1 = nullify).
    std::uint64_t deleteRule;
    const char* destination;
    // nullptr: no inverse.
    const char* inverse;
};

struct EntityFactory {
    // Required.
    std::function<const attribute_desc_s*()> getEntityAttributes;
    // Optional: empty when the class has no relationships table.
    std::function<const relationship_desc_s*()> getEntityRelationships;
    // Optional: empty when the class does not say (then it is concrete).
    std::function<bool()> isEntityAbstract;
    std::function<std::shared_ptr<store::ManagedObject>()> makeObject;
};

// Registers Barcode, Action and Classification by name in the class
// registry (as EntityFactory and as store::ManagedObject). Idempotent.
void RegisterEntityClasses();
