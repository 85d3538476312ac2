#include "platform/crypto/Hmac.h"

#include <nettle/hmac.h>

#include <vector>

#include "platform/crypto/NettleHash.h"

namespace crypto {

foundation::Data Hmac::compute(Digest::Algorithm algorithm, std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> data) {
    // MD2 and MD4 have no HMAC here.
    if (algorithm == Digest::Algorithm::MD2 || algorithm == Digest::Algorithm::MD4) {
        return {};
    }
    const nettle_hash& hash = nettleHash(algorithm);
    // The outer, inner and running contexts of the hash, one after the other.
    std::vector<std::uint8_t> contexts(3 * hash.context_size);
    std::uint8_t* outer = contexts.data();
    std::uint8_t* inner = outer + hash.context_size;
    std::uint8_t* state = inner + hash.context_size;
    hmac_set_key(outer, inner, state, &hash, key.size(), key.data());
    hmac_update(state, &hash, data.size(), data.data());
    foundation::Data code(hash.digest_size);
    hmac_digest(outer, inner, state, &hash, code.size(), code.data());
    return code;
}

}  // namespace crypto
