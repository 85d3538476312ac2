#pragma once

// The nettle hash that computes each digest algorithm, for the digests and the
// message authentication codes built on them.

#include <nettle/nettle-meta.h>

#include "platform/crypto/Digest.h"

namespace crypto {

const nettle_hash& nettleHash(Digest::Algorithm algorithm);

}  // namespace crypto
