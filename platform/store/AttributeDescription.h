#pragma once

// One attribute of an entity: its name, type code and flags, and the value a
// new object starts with.

#include <cstdint>
#include <string>

#include "platform/foundation/Value.h"

namespace store {

// The platform's attribute type codes.
enum class AttributeType : std::uint64_t {
    Undefined = 0,
    Integer16 = 100,
    Integer32 = 200,
    Integer64 = 300,
    Decimal = 400,
    Double = 500,
    Float = 600,
    String = 700,
    Boolean = 800,
    Date = 900,
    BinaryData = 1000,
};

struct AttributeDescription {
    AttributeDescription() = default;
    AttributeDescription(std::string name, AttributeType type, bool indexed = false,
                         bool optional = true, bool transient = false,
                         foundation::Value defaultValue = {})
        : name(std::move(name)),
          attributeType(type),
          indexed(indexed),
          optional(optional),
          transient(transient),
          defaultValue(std::move(defaultValue)) {}

    std::string name;
    AttributeType attributeType = AttributeType::Undefined;
    bool indexed = false;
    bool optional = true;
    // Transient attributes live in memory only and are never written.
    bool transient = false;
    foundation::Value defaultValue;
};

}  // namespace store
