#include "platform/crypto/Digest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using crypto::Digest;

const std::string message = "attack at dawn, then at dusk";

// Expected values made with `openssl dgst` (MD4 with the legacy provider); MD2
// from its reference document's test suite.
TEST(Digest, KnownAnswers) {
    struct Case {
        Digest::Algorithm algorithm;
        std::string input;
        std::string hex;
    };
    const Case cases[] = {
        {Digest::Algorithm::MD2, "abc", "da853b0d3f88d99b30283a69e6ded6bb"},
        {Digest::Algorithm::MD4, message, "7899d4e9e780f11525353fb7a0527f94"},
        {Digest::Algorithm::MD5, message, "a15d9b7683c9fdff4d4005bdac97ca63"},
        {Digest::Algorithm::MD5, "", "d41d8cd98f00b204e9800998ecf8427e"},
        {Digest::Algorithm::SHA1, message, "449d698eee83dd709836e2016d835dfe30780f2f"},
        {Digest::Algorithm::SHA224, message,
         "a86696ee48e24d31ab5c9e90fae37509cbfa7ba94b571fd8d0d829e9"},
        {Digest::Algorithm::SHA256, message,
         "fbf465a0c298a3fe283c5aacc44191268f383bd79d5ace2b692ab0fe7695adbe"},
        {Digest::Algorithm::SHA384, message,
         "c82dcad56a7d3317599e8ea9d6ad2061e855cc27b4acd550c6795ef8bc9a8156d5f94075f9059f070ca62cf6"
         "af7ea60d"},
        {Digest::Algorithm::SHA512, message,
         "3eb151ca514f8a6cd8ab1172d35e2c5a53cef96f1c73c49d2d01e5356eb5b3414dbf962a2de65a75fc2a2ab6"
         "57c9cfee915dcf9e44b66b8c3b0a7b07a49fef35"},
    };
    for (const Case& c : cases) {
        const foundation::Data digest = Digest::compute(c.algorithm, c.input);
        EXPECT_EQ(Digest::hex(digest), c.hex) << c.input;
        EXPECT_EQ(digest.size(), Digest::length(c.algorithm));
    }
}

TEST(Digest, BytesAndTextGiveTheSameDigest) {
    const foundation::Data bytes = foundation::dataFromString(message);
    EXPECT_EQ(Digest::md5(bytes), Digest::md5(message));
    EXPECT_EQ(Digest::sha1(bytes), Digest::sha1(message));
    EXPECT_EQ(Digest::sha256(bytes), Digest::sha256(message));
    EXPECT_EQ(Digest::md5Hex(message), "a15d9b7683c9fdff4d4005bdac97ca63");
}

TEST(Digest, HexKeepsLeadingZerosInLowerCase) {
    const foundation::Data bytes = {0x00, 0x0a, 0xf0, 0xff};
    EXPECT_EQ(Digest::hex(bytes), "000af0ff");
    EXPECT_EQ(Digest::hex(foundation::Data{}), "");
}

}  // namespace
