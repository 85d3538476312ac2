#pragma once

// The OpenSSL functions the ciphers call, looked up in libcrypto by the first
// cipher made: launching the program does not map and relocate the library.

#include <openssl/evp.h>
#include <openssl/provider.h>

#define CRYPTO_OPENSSL_FUNCTIONS(X)  \
    X(EVP_CIPHER_CTX_free)           \
    X(EVP_CIPHER_CTX_new)            \
    X(EVP_CIPHER_CTX_set_key_length) \
    X(EVP_CIPHER_CTX_set_padding)    \
    X(EVP_CIPHER_fetch)              \
    X(EVP_CIPHER_free)               \
    X(EVP_CIPHER_get_block_size)     \
    X(EVP_CIPHER_get_iv_length)      \
    X(EVP_CipherFinal_ex)            \
    X(EVP_CipherInit_ex2)            \
    X(EVP_CipherUpdate)              \
    X(OSSL_LIB_CTX_new)              \
    X(OSSL_PROVIDER_load)

namespace crypto {

struct OpenSSL {
#define CRYPTO_OPENSSL_MEMBER(name) decltype(&::name) name = nullptr;
    CRYPTO_OPENSSL_FUNCTIONS(CRYPTO_OPENSSL_MEMBER)
#undef CRYPTO_OPENSSL_MEMBER

    // The functions, the library loaded on the first call; null (logged once)
    // when the library or one of its functions is missing.
    static const OpenSSL* functions();
};

}  // namespace crypto
