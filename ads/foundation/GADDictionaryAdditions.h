#pragma once

// Dictionary helpers: typed reads, JSON text, and the setters that store
// flags and numbers as the request texts "1", "0" and short floats.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

namespace GADObjectValidation {

// The value under the key when it is of the type; nullopt otherwise. Any
// number (boolean, integer or real) answers for a numeric type.
std::optional<foundation::Value> gad_objectForKey(const foundation::Dictionary& dictionary,
                                                  std::string_view key,
                                                  foundation::Value::Type type);
// Sets the value only when there is one (nothing is removed).
void gad_setIfNotNilObject(foundation::Dictionary& dictionary,
                           const std::optional<foundation::Value>& value, const std::string& key);
// "1" or "0".
void gad_setStringForBoolValue(foundation::Dictionary& dictionary, bool value,
                               const std::string& key);
// "1" for true; false removes the key.
void gad_setStringIfTrueForBoolValue(foundation::Dictionary& dictionary, bool value,
                                     const std::string& key);
// The short text of the number ("320", "0.5").
void gad_setStringForCGFloat(foundation::Dictionary& dictionary, double value,
                             const std::string& key);

}  // namespace GADObjectValidation

namespace GADJSONAdditions {

// JSON text of the dictionary, pretty or compact; nullopt and the private
// error 2 "Invalid JSON object." when it holds something JSON cannot.
std::optional<std::string> gad_JSONStringPretty(const foundation::Dictionary& dictionary,
                                                bool pretty, foundation::Error* error = nullptr);

}  // namespace GADJSONAdditions
