#pragma once

// HMAC of data by the platform's algorithm numbers: 0 SHA-1, 1 MD5, 2 SHA-256,
// 3 SHA-384, 4 SHA-512, 5 SHA-224. The result is as long as the algorithm's
// digest; nullopt for an unknown algorithm.

#include <cstdint>
#include <optional>

#include "model/LowLevelCommonCryptor.h"
#include "platform/foundation/Data.h"

namespace CommonHMAC {

inline constexpr std::uint32_t kCCHmacAlgSHA1 = 0;
inline constexpr std::uint32_t kCCHmacAlgMD5 = 1;
inline constexpr std::uint32_t kCCHmacAlgSHA256 = 2;
inline constexpr std::uint32_t kCCHmacAlgSHA384 = 3;
inline constexpr std::uint32_t kCCHmacAlgSHA512 = 4;
inline constexpr std::uint32_t kCCHmacAlgSHA224 = 5;

// Without a key (an empty one).
std::optional<foundation::Data> HMACWithAlgorithm(const foundation::Data& data,
                                                  std::uint32_t algorithm);
// With a key given as bytes or as UTF-8 text; nullopt key means no key.
std::optional<foundation::Data> HMACWithAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm,
    const std::optional<LowLevelCommonCryptor::KeyMaterial>& key);

}  // namespace CommonHMAC
