#include "platform/crypto/Random.h"

#include <sys/random.h>

#include <cerrno>

namespace crypto {

std::optional<foundation::Data> Random::bytes(std::size_t count) {
    foundation::Data data(count);
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t read = getrandom(data.data() + filled, count - filled, 0);
        if (read < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        filled += static_cast<std::size_t>(read);
    }
    return data;
}

}  // namespace crypto
