#include "model/CommonCryptor.h"

#include <cstdint>

#include "model/CommonCryptoErrorDomain.h"

namespace CommonCryptor {

namespace {

using namespace LowLevelCommonCryptor;

std::optional<foundation::Data> run(bool encrypt, const foundation::Data& data,
                                    std::uint32_t algorithm, const KeyMaterial& key,
                                    foundation::Error* error) {
    std::int32_t status = 0;
    auto result =
        encrypt ? dataEncryptedUsingAlgorithm(data, algorithm, key, kCCOptionPKCS7Padding, &status)
                : decryptedDataUsingAlgorithm(data, algorithm, key, kCCOptionPKCS7Padding, &status);
    if (!result && error != nullptr) {
        *error = CommonCryptoErrorDomain::errorWithCCCryptorStatus(status);
    }
    return result;
}

std::optional<foundation::Data> encrypted(const foundation::Data& data, std::uint32_t algorithm,
                                          const KeyMaterial& key, foundation::Error* error) {
    return run(true, data, algorithm, key, error);
}

std::optional<foundation::Data> decrypted(const foundation::Data& data, std::uint32_t algorithm,
                                          const KeyMaterial& key, foundation::Error* error) {
    return run(false, data, algorithm, key, error);
}

}  // namespace

std::optional<foundation::Data> AES256EncryptedDataUsingKey(const foundation::Data& data,
                                                            const KeyMaterial& key,
                                                            foundation::Error* error) {
    return encrypted(data, kCCAlgorithmAES, key, error);
}

std::optional<foundation::Data> decryptedAES256DataUsingKey(const foundation::Data& data,
                                                            const KeyMaterial& key,
                                                            foundation::Error* error) {
    return decrypted(data, kCCAlgorithmAES, key, error);
}

std::optional<foundation::Data> DESEncryptedDataUsingKey(const foundation::Data& data,
                                                         const KeyMaterial& key,
                                                         foundation::Error* error) {
    return encrypted(data, kCCAlgorithmDES, key, error);
}

std::optional<foundation::Data> decryptedDESDataUsingKey(const foundation::Data& data,
                                                         const KeyMaterial& key,
                                                         foundation::Error* error) {
    return decrypted(data, kCCAlgorithmDES, key, error);
}

std::optional<foundation::Data> CASTEncryptedDataUsingKey(const foundation::Data& data,
                                                          const KeyMaterial& key,
                                                          foundation::Error* error) {
    return encrypted(data, kCCAlgorithmCAST, key, error);
}

std::optional<foundation::Data> decryptedCASTDataUsingKey(const foundation::Data& data,
                                                          const KeyMaterial& key,
                                                          foundation::Error* error) {
    return decrypted(data, kCCAlgorithmCAST, key, error);
}

}  // namespace CommonCryptor
