#include "platform/crypto/Cryptor.h"

#include <algorithm>
#include <climits>
#include <string>

#include "platform/crypto/OpenSSL.h"
#include "platform/crypto/OpenSSLContext.h"

namespace crypto {

namespace {

bool keyLengthFits(Cryptor::Algorithm algorithm, std::size_t length) {
    switch (algorithm) {
        case Cryptor::Algorithm::AES:
            return length == 16 || length == 24 || length == 32;
        case Cryptor::Algorithm::DES:
            return length == 8;
        case Cryptor::Algorithm::TripleDES:
            return length == 24;
        case Cryptor::Algorithm::CAST:
            return length >= 5 && length <= 16;
        case Cryptor::Algorithm::RC4:
            return length >= 1 && length <= 512;
    }
    return false;
}

std::string cipherName(Cryptor::Algorithm algorithm, std::size_t keyLength, bool ecb) {
    const std::string mode = ecb ? "-ECB" : "-CBC";
    switch (algorithm) {
        case Cryptor::Algorithm::AES:
            return "AES-" + std::to_string(keyLength * 8) + mode;
        case Cryptor::Algorithm::DES:
            return "DES" + mode;
        case Cryptor::Algorithm::TripleDES:
            return "DES-EDE3" + mode;
        case Cryptor::Algorithm::CAST:
            return "CAST5" + mode;
        case Cryptor::Algorithm::RC4:
            return "RC4";
    }
    return {};
}

bool hasVariableKey(Cryptor::Algorithm algorithm) {
    return algorithm == Cryptor::Algorithm::CAST || algorithm == Cryptor::Algorithm::RC4;
}

void report(Status* status, Status value) {
    if (status != nullptr) {
        *status = value;
    }
}

}  // namespace

std::unique_ptr<Cryptor> Cryptor::create(Operation operation, Algorithm algorithm,
                                         std::uint32_t options, std::span<const std::uint8_t> key,
                                         std::span<const std::uint8_t> iv, Status* status) {
    if ((options & ~(PKCS7Padding | ECBMode)) != 0 || !keyLengthFits(algorithm, key.size())) {
        report(status, Status::ParamError);
        return nullptr;
    }
    const OpenSSL* openssl = OpenSSL::functions();
    if (openssl == nullptr) {
        report(status, Status::Unimplemented);
        return nullptr;
    }
    const std::string name = cipherName(algorithm, key.size(), (options & ECBMode) != 0);
    EVP_CIPHER* cipher = OpenSSLContext::fetch([&](OSSL_LIB_CTX* context) {
        return openssl->EVP_CIPHER_fetch(context, name.c_str(), nullptr);
    });
    if (cipher == nullptr) {
        report(status, Status::Unimplemented);
        return nullptr;
    }
    EVP_CIPHER_CTX* context = openssl->EVP_CIPHER_CTX_new();
    if (context == nullptr) {
        openssl->EVP_CIPHER_free(cipher);
        report(status, Status::MemoryFailure);
        return nullptr;
    }
    const int encrypt = operation == Operation::Encrypt ? 1 : 0;
    const std::size_t blockSize =
        static_cast<std::size_t>(openssl->EVP_CIPHER_get_block_size(cipher));
    const std::size_t ivLength =
        static_cast<std::size_t>(openssl->EVP_CIPHER_get_iv_length(cipher));
    foundation::Data vector(ivLength, 0);
    std::copy_n(iv.begin(), std::min(iv.size(), ivLength), vector.begin());

    bool ready =
        openssl->EVP_CipherInit_ex2(context, cipher, nullptr, nullptr, encrypt, nullptr) == 1;
    openssl->EVP_CIPHER_free(cipher);
    if (ready && hasVariableKey(algorithm)) {
        ready = openssl->EVP_CIPHER_CTX_set_key_length(context, static_cast<int>(key.size())) == 1;
    }
    ready = ready &&
            openssl->EVP_CIPHER_CTX_set_padding(context, (options & PKCS7Padding) ? 1 : 0) == 1 &&
            openssl->EVP_CipherInit_ex2(context, nullptr, key.data(),
                                        vector.empty() ? nullptr : vector.data(), encrypt,
                                        nullptr) == 1;
    if (!ready) {
        openssl->EVP_CIPHER_CTX_free(context);
        report(status, Status::ParamError);
        return nullptr;
    }
    report(status, Status::Success);
    return std::unique_ptr<Cryptor>(
        new Cryptor(*openssl, context, operation, (options & PKCS7Padding) != 0, blockSize));
}

std::optional<foundation::Data> Cryptor::crypt(Operation operation, Algorithm algorithm,
                                               std::uint32_t options,
                                               std::span<const std::uint8_t> key,
                                               std::span<const std::uint8_t> iv,
                                               std::span<const std::uint8_t> input,
                                               Status* status) {
    auto cryptor = create(operation, algorithm, options, key, iv, status);
    if (!cryptor) {
        return std::nullopt;
    }
    foundation::Data output(cryptor->outputLength(input.size(), true));
    std::size_t updated = 0;
    std::size_t finished = 0;
    Status result = cryptor->update(input, output.data(), output.size(), &updated);
    if (result == Status::Success) {
        result = cryptor->final(output.data() + updated, output.size() - updated, &finished);
    }
    report(status, result);
    if (result != Status::Success) {
        return std::nullopt;
    }
    output.resize(updated + finished);
    return output;
}

Cryptor::Cryptor(const OpenSSL& openssl, EVP_CIPHER_CTX* context, Operation operation, bool padding,
                 std::size_t blockSize)
    : openssl_(openssl),
      context_(context),
      operation_(operation),
      padding_(padding),
      blockSize_(blockSize) {}

Cryptor::~Cryptor() {
    openssl_.EVP_CIPHER_CTX_free(context_);
}

std::size_t Cryptor::outputLength(std::size_t inputLength, bool final) const {
    const std::size_t total = pending_ + inputLength;
    if (final && operation_ == Operation::Encrypt && padding_ && blockSize_ > 1) {
        return (total / blockSize_ + 1) * blockSize_;
    }
    return total;
}

Status Cryptor::update(std::span<const std::uint8_t> input, std::uint8_t* output,
                       std::size_t available, std::size_t* moved) {
    *moved = 0;
    if (finished_) {
        return Status::ParamError;
    }
    if (available < outputLength(input.size(), false)) {
        return Status::BufferTooSmall;
    }
    // OpenSSL counts in int: feed very large input in slices.
    constexpr std::size_t slice = 1u << 30;
    for (std::size_t offset = 0; offset < input.size(); offset += slice) {
        const int length = static_cast<int>(std::min(slice, input.size() - offset));
        int written = 0;
        if (openssl_.EVP_CipherUpdate(context_, output + *moved, &written, input.data() + offset,
                                      length) != 1) {
            return Status::ParamError;
        }
        *moved += static_cast<std::size_t>(written);
        pending_ = pending_ + static_cast<std::size_t>(length) - static_cast<std::size_t>(written);
        totalInput_ += static_cast<std::size_t>(length);
    }
    return Status::Success;
}

Status Cryptor::final(std::uint8_t* output, std::size_t available, std::size_t* moved) {
    *moved = 0;
    if (finished_) {
        return Status::ParamError;
    }
    const bool adds = operation_ == Operation::Encrypt && padding_;
    if (blockSize_ > 1 && !adds && totalInput_ % blockSize_ != 0) {
        finished_ = true;
        return Status::AlignmentError;
    }
    if (available < outputLength(0, true)) {
        return Status::BufferTooSmall;
    }
    finished_ = true;
    int written = 0;
    if (openssl_.EVP_CipherFinal_ex(context_, output, &written) != 1) {
        return Status::DecodeError;
    }
    *moved = static_cast<std::size_t>(written);
    pending_ = 0;
    return Status::Success;
}

}  // namespace crypto
