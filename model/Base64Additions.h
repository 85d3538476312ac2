#pragma once

// Base64 conversions of the decryption texts: a lenient decoder that reads
// what it can from any text, and an encoder without line breaks.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"

namespace Base64Additions {

// Decodes the alphabet characters of the text and skips every other byte, so
// text split by line feeds or blanks decodes as if they were absent. Decoding
// stops at the first "=": one or two values of an open group give one byte,
// three give two. Values of an incomplete group at the end without "=" are
// dropped. Never fails; an empty text gives empty data.
foundation::Data base64DataFromString(std::string_view text);

// Standard Base64 of the first `length` bytes of the data (at most all of
// them), "=" padded, without line breaks; "" for no bytes.
std::string base64StringFromData(const foundation::Data& data, std::uint64_t length);

}  // namespace Base64Additions
