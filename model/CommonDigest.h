#pragma once

// Digests of data: MD2, MD4 and MD5 (16 bytes), SHA-1 (20), SHA-224 (28),
// SHA-256 (32), SHA-384 (48) and SHA-512 (64).

#include "platform/foundation/Data.h"

namespace CommonDigest {

foundation::Data MD2Sum(const foundation::Data& data);
foundation::Data MD4Sum(const foundation::Data& data);
foundation::Data MD5Sum(const foundation::Data& data);
foundation::Data SHA1Hash(const foundation::Data& data);
foundation::Data SHA224Hash(const foundation::Data& data);
foundation::Data SHA256Hash(const foundation::Data& data);
foundation::Data SHA384Hash(const foundation::Data& data);
foundation::Data SHA512Hash(const foundation::Data& data);

}  // namespace CommonDigest
