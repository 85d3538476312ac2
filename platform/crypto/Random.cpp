#include "platform/crypto/Random.h"

#include <openssl/rand.h>

#include <algorithm>
#include <climits>

namespace crypto {

std::optional<foundation::Data> Random::bytes(std::size_t count) {
    foundation::Data data(count);
    for (std::size_t offset = 0; offset < count; offset += INT_MAX) {
        const int length = static_cast<int>(std::min<std::size_t>(INT_MAX, count - offset));
        if (RAND_bytes(data.data() + offset, length) != 1) {
            return std::nullopt;
        }
    }
    return data;
}

}  // namespace crypto
