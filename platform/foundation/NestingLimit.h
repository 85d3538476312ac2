#pragma once

// How deep the readers of stored and outside data (JSON, property lists, XML
// and HTML trees) let arrays, dictionaries or elements nest. A document past
// it is refused as malformed: no real document comes near it, and the
// recursive conversions behind the readers stay far from the end of the stack.

namespace foundation {

inline constexpr int kMaximumNestingDepth = 512;

}  // namespace foundation
