#pragma once

// Property lists (XML and binary) to and from dynamic values. libplist
// writes both forms and reads XML (after a check of its nesting); binary
// property lists are read by our own validating reader. Property lists hold
// no null: writing a value that contains one fails. Dates are kept to the
// second.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

namespace foundation {

class PropertyList {
  public:
    static constexpr const char* kErrorDomain = "PropertyListSerialization";

    enum class Format { XML, Binary };

    // Reads XML or binary property list bytes (the format is detected and
    // reported through `format`). Malformed bytes, and collections nested
    // past kMaximumNestingDepth, give nullopt.
    static std::optional<Value> parse(const Data& data, Format* format = nullptr,
                                      Error* error = nullptr);

    // True when every element is a property-list type (no null anywhere).
    static bool isValid(const Value& value);

    static std::optional<Data> write(const Value& value, Format format, Error* error = nullptr);

    // File forms: a missing, unreadable or malformed file gives nullopt; a
    // write goes to a temporary file renamed over the target.
    static std::optional<Value> readFile(const std::string& path, Error* error = nullptr);
    static bool writeFile(const Value& value, const std::string& path, Format format = Format::XML,
                          Error* error = nullptr);
};

}  // namespace foundation
