#pragma once

// Typed reads of a mediation response's JSON: a value of the wrong type
// reads as absent. Values inserted into ping URLs are read as text: a string
// as it stands, a number as its text, nothing for other values.

#include <optional>
#include <string>

#include "platform/foundation/Value.h"

namespace GADMResponseValues {

std::optional<foundation::Array> arrayAt(const foundation::Dictionary& dictionary, const char* key);
std::optional<foundation::Dictionary> dictionaryAt(const foundation::Dictionary& dictionary,
                                                   const char* key);
std::optional<std::string> textOf(const foundation::Value& value);

}  // namespace GADMResponseValues
