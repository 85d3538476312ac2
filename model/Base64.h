#pragma once

// Base64 of data in lines: a line feed after every 76 characters and one at
// the end, as mail bodies and pasted blocks carry it.

#include <string>

#include "platform/foundation/Data.h"

namespace Base64 {

// Standard "=" padded Base64 with "\n" after every 76 characters (also when
// the text ends exactly there) and a final "\n": 57 bytes give 76 characters
// and two line feeds; empty data gives "\n".
std::string base64(const foundation::Data& data);

}  // namespace Base64
