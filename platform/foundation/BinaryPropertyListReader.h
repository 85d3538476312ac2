#pragma once

// Reads binary property lists ("bplist00") into dynamic values, checking
// every offset, length, reference and nesting level before it is used, so
// that no stored or received file can crash, hang or exhaust the reader.

#include <optional>

#include "platform/foundation/Data.h"
#include "platform/foundation/Value.h"

namespace foundation {

class BinaryPropertyListReader {
  public:
    // The value of a well-formed binary property list; nullopt for anything
    // malformed (bad offsets or lengths, reference cycles, nesting past
    // kMaximumNestingDepth, invalid UTF-16, null objects, non-string keys).
    // UIDs read as {"CF$UID": n}.
    static std::optional<Value> read(const Data& data);
};

}  // namespace foundation
