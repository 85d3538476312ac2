#pragma once

// A symmetric cipher run over data in steps: AES (128, 192 or 256 bits by key
// length), DES, triple DES, CAST and RC4; CBC mode unless ECB is asked for,
// optional PKCS#7 padding. Wrong key lengths, unaligned input and bad padding
// are reported as statuses, never as garbage output.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/crypto/Status.h"
#include "platform/foundation/Data.h"

typedef struct evp_cipher_ctx_st EVP_CIPHER_CTX;

namespace crypto {

struct OpenSSL;

class Cryptor {
  public:
    enum class Operation { Encrypt, Decrypt };
    enum class Algorithm { AES, DES, TripleDES, CAST, RC4 };

    // Option bits, numbered as the platform numbers them.
    static constexpr std::uint32_t PKCS7Padding = 1;
    static constexpr std::uint32_t ECBMode = 2;

    // A cryptor for the operation, or nullptr with the reason in `status`:
    // ParamError for unknown option bits or a key length the algorithm does not
    // take (AES 16/24/32, DES 8, triple DES 24, CAST 5-16, RC4 1-512 bytes),
    // Unimplemented when the algorithm is missing on this machine. An empty
    // initialisation vector stands for zeros; a short one is filled up with
    // zero bytes and only the first block of a long one is used.
    static std::unique_ptr<Cryptor> create(Operation operation, Algorithm algorithm,
                                           std::uint32_t options, std::span<const std::uint8_t> key,
                                           std::span<const std::uint8_t> iv, Status* status);

    // Runs a whole input through a new cryptor: the output, or nullopt with the
    // reason in `status` (AlignmentError when the input length does not fit the
    // block size, DecodeError when the padding of decrypted data is wrong).
    static std::optional<foundation::Data> crypt(Operation operation, Algorithm algorithm,
                                                 std::uint32_t options,
                                                 std::span<const std::uint8_t> key,
                                                 std::span<const std::uint8_t> iv,
                                                 std::span<const std::uint8_t> input,
                                                 Status* status = nullptr);

    ~Cryptor();
    Cryptor(const Cryptor&) = delete;
    Cryptor& operator=(const Cryptor&) = delete;

    // Room the output of `update` (final false) or of `update` over the input
    // followed by `final` (final true) needs at most.
    std::size_t outputLength(std::size_t inputLength, bool final) const;

    // Processes input into `output` (which has room for `available` bytes);
    // `moved` receives the bytes written. BufferTooSmall when the room is less
    // than outputLength(input, false).
    Status update(std::span<const std::uint8_t> input, std::uint8_t* output, std::size_t available,
                  std::size_t* moved);

    // Writes what is left, with the padding checked or added. After it the
    // cryptor takes no more input (ParamError).
    Status final(std::uint8_t* output, std::size_t available, std::size_t* moved);

  private:
    Cryptor(const OpenSSL& openssl, EVP_CIPHER_CTX* context, Operation operation, bool padding,
            std::size_t blockSize);

    const OpenSSL& openssl_;
    EVP_CIPHER_CTX* context_;
    Operation operation_;
    bool padding_;
    std::size_t blockSize_;
    std::size_t pending_ = 0;     // input taken but not yet given out
    std::size_t totalInput_ = 0;  // all input taken so far
    bool finished_ = false;
};

}  // namespace crypto
