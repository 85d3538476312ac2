#include "model/CommonDigest.h"

#include "platform/crypto/Digest.h"

namespace CommonDigest {

using crypto::Digest;

foundation::Data MD2Sum(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::MD2, data);
}

foundation::Data MD4Sum(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::MD4, data);
}

foundation::Data MD5Sum(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::MD5, data);
}

foundation::Data SHA1Hash(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::SHA1, data);
}

foundation::Data SHA224Hash(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::SHA224, data);
}

foundation::Data SHA256Hash(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::SHA256, data);
}

foundation::Data SHA384Hash(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::SHA384, data);
}

foundation::Data SHA512Hash(const foundation::Data& data) {
    return Digest::compute(Digest::Algorithm::SHA512, data);
}

}  // namespace CommonDigest
