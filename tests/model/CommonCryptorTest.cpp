#include "model/CommonCryptor.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crypto/Digest.h"

namespace {

using namespace CommonCryptor;

const foundation::Data message = foundation::dataFromString("attack at dawn, then at dusk");

std::string hex(const std::optional<foundation::Data>& data) {
    return data ? crypto::Digest::hex(*data) : "(none)";
}

// Expected values made with `openssl enc` (DES and CAST5 with the legacy provider).
TEST(CommonCryptor, KnownAnswersPerCipher) {
    EXPECT_EQ(hex(AES256EncryptedDataUsingKey(message, "thirty-two bytes of key material")),
              "621a7739252315c278128ef9f896d03b3222f7a13d272f1eb8eb846e68816af4");
    EXPECT_EQ(hex(DESEncryptedDataUsingKey(message, "8bytekey")),
              "a58b1828afcbe42faf8d45b390ba1e451b81272eb91c1c638e676aa130a7fdbd");
    // A DES key is cut to its 8 bytes.
    EXPECT_EQ(hex(DESEncryptedDataUsingKey(message, "8bytekey and more")),
              "a58b1828afcbe42faf8d45b390ba1e451b81272eb91c1c638e676aa130a7fdbd");
    EXPECT_EQ(hex(CASTEncryptedDataUsingKey(message, "sixteen byte key")),
              "509f7ce2a9ea360267859b83d73a0a622da5b58458cacfca9671dcc30348afc2");
}

TEST(CommonCryptor, RoundTripsWithBytesOrTextKeys) {
    const foundation::Data key = foundation::dataFromString("abc");  // padded by each cipher
    EXPECT_EQ(decryptedAES256DataUsingKey(*AES256EncryptedDataUsingKey(message, key), "abc"),
              message);
    EXPECT_EQ(decryptedDESDataUsingKey(*DESEncryptedDataUsingKey(message, key), "abc"), message);
    EXPECT_EQ(decryptedCASTDataUsingKey(*CASTEncryptedDataUsingKey(message, key), "abc"), message);
}

TEST(CommonCryptor, FailureFillsTheErrorWhenAsked) {
    const auto cipher = AES256EncryptedDataUsingKey(message, "right");
    foundation::Error error;
    EXPECT_FALSE(decryptedAES256DataUsingKey(*cipher, "wrong", &error));
    EXPECT_EQ(error, (foundation::Error{"CommonCryptoErrorDomain", -4304, "Decode Error"}));
    EXPECT_FALSE(decryptedAES256DataUsingKey(foundation::Data(20, 1), "right", &error));
    EXPECT_EQ(error.code, -4303);
    EXPECT_FALSE(decryptedAES256DataUsingKey(*cipher, "wrong"));
}

}  // namespace
