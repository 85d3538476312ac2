#include "model/LowLevelCommonCryptor.h"

#include <cstddef>

namespace LowLevelCommonCryptor {

namespace {

std::optional<crypto::Cryptor::Algorithm> cryptorAlgorithm(std::uint32_t algorithm) {
    switch (algorithm) {
        case kCCAlgorithmAES:
            return crypto::Cryptor::Algorithm::AES;
        case kCCAlgorithmDES:
            return crypto::Cryptor::Algorithm::DES;
        case kCCAlgorithm3DES:
            return crypto::Cryptor::Algorithm::TripleDES;
        case kCCAlgorithmCAST:
            return crypto::Cryptor::Algorithm::CAST;
        case kCCAlgorithmRC4:
            return crypto::Cryptor::Algorithm::RC4;
        default:
            return std::nullopt;
    }
}

void store(std::int32_t* status, crypto::Status value) {
    if (status != nullptr) {
        *status = static_cast<std::int32_t>(value);
    }
}

std::optional<foundation::Data> runOperation(crypto::Cryptor::Operation operation,
                                             const foundation::Data& data, std::uint32_t algorithm,
                                             const KeyMaterial& key,
                                             const std::optional<KeyMaterial>& initializationVector,
                                             std::uint32_t options, std::int32_t* status) {
    foundation::Data keyBytes = bytesOf(key);
    std::optional<foundation::Data> ivBytes;
    if (initializationVector) {
        ivBytes = bytesOf(*initializationVector);
    }
    AdjustKeyLengths(algorithm, keyBytes, ivBytes ? &*ivBytes : nullptr);

    const auto cipher = cryptorAlgorithm(algorithm);
    if (!cipher) {
        store(status, crypto::Status::ParamError);
        return std::nullopt;
    }
    crypto::Status created = crypto::Status::Success;
    auto cryptor = crypto::Cryptor::create(operation, *cipher, options, keyBytes,
                                           ivBytes ? *ivBytes : foundation::Data{}, &created);
    if (!cryptor) {
        store(status, created);
        return std::nullopt;
    }
    return runCryptor(data, *cryptor, status);
}

}  // namespace

foundation::Data bytesOf(const KeyMaterial& material) {
    if (const auto* text = std::get_if<std::string>(&material)) {
        return foundation::dataFromString(*text);
    }
    return std::get<foundation::Data>(material);
}

void AdjustKeyLengths(std::uint32_t algorithm, foundation::Data& key, foundation::Data* iv) {
    const std::size_t length = key.size();
    switch (algorithm) {
        case kCCAlgorithmAES:
            if (length <= 16) {
                key.resize(16);
            } else if (length <= 24) {
                key.resize(24);
            } else {
                key.resize(32);
            }
            break;
        case kCCAlgorithmDES:
            key.resize(8);
            break;
        case kCCAlgorithm3DES:
            key.resize(24);
            break;
        case kCCAlgorithmCAST:
            if (length < 5) {
                key.resize(5);
            } else if (length > 16) {
                key.resize(16);
            }
            break;
        case kCCAlgorithmRC4:
            if (length > 512) {
                key.resize(512);
            }
            break;
        default:
            break;
    }
    if (iv != nullptr) {
        iv->resize(key.size());
    }
}

std::optional<foundation::Data> runCryptor(const foundation::Data& data, crypto::Cryptor& cryptor,
                                           std::int32_t* result) {
    foundation::Data buffer(cryptor.outputLength(data.size(), true));
    std::size_t updated = 0;
    crypto::Status status = cryptor.update(data, buffer.data(), buffer.size(), &updated);
    std::size_t finished = 0;
    if (status == crypto::Status::Success) {
        status = cryptor.final(buffer.data() + updated, buffer.size() - updated, &finished);
    }
    if (status != crypto::Status::Success) {
        store(result, status);
        return std::nullopt;
    }
    buffer.resize(updated + finished);
    return buffer;
}

std::optional<foundation::Data> dataEncryptedUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::int32_t* status) {
    return dataEncryptedUsingAlgorithm(data, algorithm, key, std::nullopt, 0, status);
}

std::optional<foundation::Data> dataEncryptedUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::uint32_t options,
                                                            std::int32_t* status) {
    return dataEncryptedUsingAlgorithm(data, algorithm, key, std::nullopt, options, status);
}

std::optional<foundation::Data> dataEncryptedUsingAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm, const KeyMaterial& key,
    const std::optional<KeyMaterial>& initializationVector, std::uint32_t options,
    std::int32_t* status) {
    return runOperation(crypto::Cryptor::Operation::Encrypt, data, algorithm, key,
                        initializationVector, options, status);
}

std::optional<foundation::Data> decryptedDataUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::int32_t* status) {
    return decryptedDataUsingAlgorithm(data, algorithm, key, std::nullopt, 0, status);
}

std::optional<foundation::Data> decryptedDataUsingAlgorithm(const foundation::Data& data,
                                                            std::uint32_t algorithm,
                                                            const KeyMaterial& key,
                                                            std::uint32_t options,
                                                            std::int32_t* status) {
    return decryptedDataUsingAlgorithm(data, algorithm, key, std::nullopt, options, status);
}

std::optional<foundation::Data> decryptedDataUsingAlgorithm(
    const foundation::Data& data, std::uint32_t algorithm, const KeyMaterial& key,
    const std::optional<KeyMaterial>& initializationVector, std::uint32_t options,
    std::int32_t* status) {
    return runOperation(crypto::Cryptor::Operation::Decrypt, data, algorithm, key,
                        initializationVector, options, status);
}

}  // namespace LowLevelCommonCryptor
