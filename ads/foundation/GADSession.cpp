#include "ads/foundation/GADSession.h"

#include "platform/crypto/Digest.h"

std::uint64_t GADSession::GADMakeSessionID(const foundation::UUID& uuid) {
    foundation::Data digest = crypto::Digest::md5(uuid.bytes());
    std::uint64_t identifier = 0;
    for (int i = 15; i >= 8; --i) {
        identifier = (identifier << 8) | digest[static_cast<std::size_t>(i)];
    }
    return identifier;
}
