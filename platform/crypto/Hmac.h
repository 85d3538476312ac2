#pragma once

// Keyed-hash message authentication codes over MD5, SHA-1 and SHA-2.

#include <cstdint>
#include <span>

#include "platform/crypto/Digest.h"
#include "platform/foundation/Data.h"

namespace crypto {

class Hmac {
  public:
    // The code of the data under the key (an empty key is allowed), as long as
    // a digest of the algorithm. Empty for MD2 and MD4, which have no HMAC here.
    static foundation::Data compute(Digest::Algorithm algorithm, std::span<const std::uint8_t> key,
                                    std::span<const std::uint8_t> data);
};

}  // namespace crypto
