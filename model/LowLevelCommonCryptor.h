#pragma once

// Cipher operations over data, addressed by the platform's algorithm and option
// numbers: algorithm 0 AES, 1 DES, 2 triple DES, 3 CAST, 4 RC4; option 1 PKCS#7
// padding, option 2 ECB mode. Keys and vectors are fitted to the algorithm
// first (AdjustKeyLengths). Failures answer nullopt and, when asked, the status
// (0 or -4300 to -4305).

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/crypto/Cryptor.h"
#include "platform/foundation/Data.h"

namespace LowLevelCommonCryptor {

// A key or initialisation vector: bytes, or text taken as its UTF-8 bytes.
using KeyMaterial = std::variant<foundation::Data, std::string>;

// The bytes of a key or vector.
foundation::Data bytesOf(const KeyMaterial& material);

inline constexpr std::uint32_t kCCAlgorithmAES = 0;
inline constexpr std::uint32_t kCCAlgorithmDES = 1;
inline constexpr std::uint32_t kCCAlgorithm3DES = 2;
inline constexpr std::uint32_t kCCAlgorithmCAST = 3;
inline constexpr std::uint32_t kCCAlgorithmRC4 = 4;
inline constexpr std::uint32_t kCCOptionPKCS7Padding = 1;
inline constexpr std::uint32_t kCCOptionECBMode = 2;

// Encryption; the shorter forms pass no vector (zeros) and options 0.
std::optional<foundation::Data> dataEncryptedUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::int32_t* status);
std::optional<foundation::Data> dataEncryptedUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::uint32_t options,
                                                            std::int32_t* status);
std::optional<foundation::Data> dataEncryptedUsingAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm, const KeyMaterial& key,
    const std::optional<KeyMaterial>& initializationVector, std::uint32_t options,
    std::int32_t* status);

// Decryption, likewise.
std::optional<foundation::Data> decryptedDataUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::int32_t* status);
std::optional<foundation::Data> decryptedDataUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::uint32_t options,
                                                            std::int32_t* status);
std::optional<foundation::Data> decryptedDataUsingAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm, const KeyMaterial& key,
    const std::optional<KeyMaterial>& initializationVector, std::uint32_t options,
    std::int32_t* status);

// Runs a created cryptor over the whole of `data` and finishes it: the output,
// or nullopt with the failing status in `result` (when given).
std::optional<foundation::Data> runCryptor(const foundation::Data& data, crypto::Cryptor& cryptor,
                                           std::int32_t* result);

// Fits a key to its algorithm by zero-padding or truncating it. AES keeps 16,
// 24 and 32 bytes as they are and pads any other length up to the next of
// them (longer keys are cut to 32); DES takes 8 bytes, triple DES 24; CAST
// 5 to 16 (shorter to 5, longer cut to 16); RC4 at most 512; other algorithms
// are left alone. The vector, when there is one, is then given the key's
// length.
void AdjustKeyLengths(std::uint32_t algorithm, foundation::Data& key, foundation::Data* iv);

}  // namespace LowLevelCommonCryptor
