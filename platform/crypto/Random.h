#pragma once

// Cryptographically strong random bytes, for keys, nonces and identifiers.

#include <cstddef>
#include <optional>

#include "platform/foundation/Data.h"

namespace crypto {

class Random {
  public:
    // `count` random bytes, or nullopt when the system's randomness source
    // cannot be read.
    static std::optional<foundation::Data> bytes(std::size_t count);
};

}  // namespace crypto
