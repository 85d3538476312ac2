#pragma once

// JSON text to and from dynamic values, as the platform's JSON serialisation
// does it: objects become dictionaries, numbers keep integer/real/boolean
// kinds, null stays null.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

namespace foundation {

class JSON {
  public:
    // Domain of the errors this class reports.
    static constexpr const char* kErrorDomain = "JSONSerialization";

    // AllowFragments accepts a top level that is not an array or a dictionary
    // ("3", "\"a\"", "null").
    enum ReadOptions { Strict, AllowFragments };

    enum class Style { Compact, Pretty };

    // Parses UTF-8 JSON text. Malformed text, invalid UTF-8, arrays and
    // objects nested past kMaximumNestingDepth or a fragment without
    // allowFragments give nullopt and fill `error` when given.
    static std::optional<Value> parse(std::string_view text, ReadOptions options = Strict,
                                      Error* error = nullptr);
    static std::optional<Value> parse(const Data& data, ReadOptions options = Strict,
                                      Error* error = nullptr);

    // True when the value can be written: an array or dictionary at the top,
    // holding only strings, numbers (finite), null, arrays and dictionaries.
    static bool isValidJSONObject(const Value& value);

    // Writes a valid JSON object (see isValidJSONObject); other values give
    // nullopt. Keys come out in the dictionary's (sorted) order; "/" is not
    // escaped; reals that are whole numbers print without a fraction.
    static std::optional<std::string> write(const Value& value, Style style = Style::Compact,
                                            Error* error = nullptr);

    // As `write`, but also for a single scalar at the top (a fragment).
    static std::optional<std::string> writeFragment(const Value& value,
                                                    Style style = Style::Compact,
                                                    Error* error = nullptr);
};

}  // namespace foundation
