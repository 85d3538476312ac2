#include "model/CommonHMAC.h"

#include "platform/crypto/Hmac.h"

namespace CommonHMAC {

namespace {

std::optional<crypto::Digest::Algorithm> digestOf(std::uint32_t algorithm) {
    switch (algorithm) {
        case kCCHmacAlgSHA1:
            return crypto::Digest::Algorithm::SHA1;
        case kCCHmacAlgMD5:
            return crypto::Digest::Algorithm::MD5;
        case kCCHmacAlgSHA256:
            return crypto::Digest::Algorithm::SHA256;
        case kCCHmacAlgSHA384:
            return crypto::Digest::Algorithm::SHA384;
        case kCCHmacAlgSHA512:
            return crypto::Digest::Algorithm::SHA512;
        case kCCHmacAlgSHA224:
            return crypto::Digest::Algorithm::SHA224;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<foundation::Data> HMACWithAlgorithm(const foundation::Data& data,
                                                  std::uint32_t algorithm) {
    return HMACWithAlgorithm(data, algorithm, std::nullopt);
}

std::optional<foundation::Data> HMACWithAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm,
    const std::optional<LowLevelCommonCryptor::KeyMaterial>& key) {
    const auto digest = digestOf(algorithm);
    if (!digest) {
        return std::nullopt;
    }
    const foundation::Data keyBytes =
        key ? LowLevelCommonCryptor::bytesOf(*key) : foundation::Data{};
    return crypto::Hmac::compute(*digest, keyBytes, data);
}

}  // namespace CommonHMAC
