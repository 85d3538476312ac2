#include "model/LowLevelCommonCryptor.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crypto/Digest.h"

namespace {

using namespace LowLevelCommonCryptor;

foundation::Data bytes(const std::string& text) {
    return foundation::dataFromString(text);
}
std::string hex(const std::optional<foundation::Data>& data) {
    return data ? crypto::Digest::hex(*data) : "(none)";
}

const foundation::Data message = bytes("attack at dawn, then at dusk");

TEST(LowLevelCommonCryptor, AdjustKeyLengths) {
    struct Case {
        const char* rule;
        std::uint32_t algorithm;
        std::size_t length;
        std::size_t adjusted;
    };
    const Case cases[] = {
        {"short AES key padded to 16", kCCAlgorithmAES, 5, 16},
        {"AES-128 key kept", kCCAlgorithmAES, 16, 16},
        {"between 16 and 24 padded to 24", kCCAlgorithmAES, 20, 24},
        {"AES-192 key kept", kCCAlgorithmAES, 24, 24},
        {"between 24 and 32 padded to 32", kCCAlgorithmAES, 25, 32},
        {"AES-256 key kept", kCCAlgorithmAES, 32, 32},
        {"long AES key cut to 32", kCCAlgorithmAES, 40, 32},
        {"DES always 8", kCCAlgorithmDES, 3, 8},
        {"DES long key cut", kCCAlgorithmDES, 12, 8},
        {"triple DES always 24", kCCAlgorithm3DES, 30, 24},
        {"CAST at least 5", kCCAlgorithmCAST, 4, 5},
        {"CAST in range kept", kCCAlgorithmCAST, 9, 9},
        {"CAST at most 16", kCCAlgorithmCAST, 17, 16},
        {"RC4 in range kept", kCCAlgorithmRC4, 300, 300},
        {"RC4 at most 512", kCCAlgorithmRC4, 600, 512},
        {"other algorithms untouched", 7, 13, 13},
    };
    for (const Case& c : cases) {
        foundation::Data key(c.length, 0x61);
        foundation::Data iv(3, 0x62);
        AdjustKeyLengths(c.algorithm, key, &iv);
        EXPECT_EQ(key.size(), c.adjusted) << c.rule;
        EXPECT_EQ(iv.size(), c.adjusted) << c.rule;
        // Padding adds zero bytes after the key's own.
        const std::size_t kept = std::min(c.length, c.adjusted);
        EXPECT_EQ(foundation::Data(key.begin(), key.begin() + kept), foundation::Data(kept, 0x61));
        EXPECT_EQ(foundation::Data(key.begin() + kept, key.end()),
                  foundation::Data(c.adjusted - kept, 0))
            << c.rule;
    }
}

// Each AES key length selects its cipher: a 16-byte key is AES-128 and a
// 24-byte key AES-192 (neither is widened), and a 20-byte key works as its
// zero-padded 24-byte form. Expected values made with `openssl enc`.
TEST(LowLevelCommonCryptor, AESKeyLengthsSelectTheCipher) {
    struct Case {
        std::string key;
        std::string cipherHex;
    };
    const Case cases[] = {
        {"sixteen byte key", "6ee68e7028b80dc8eafd93a1f99468e5ff5257a84ce39a0938e93eeb90883392"},
        {"a twenty-four byte key!!",
         "eb3b7cca90a3efdebaf2e93765997428589def1348e9f1c8e094f84d470b497e"},
        {"twenty bytes of key!",
         "48dedd812dce75fb3a4aa770d452934217d1fb051cafe6af622e20a1d0275500"},
        {"thirty-two bytes of key material",
         "621a7739252315c278128ef9f896d03b3222f7a13d272f1eb8eb846e68816af4"},
    };
    for (const Case& c : cases) {
        std::int32_t status = 1;
        const auto cipher = dataEncryptedUsingAlgorithm(message, kCCAlgorithmAES, c.key,
                                                        kCCOptionPKCS7Padding, &status);
        EXPECT_EQ(hex(cipher), c.cipherHex) << c.key;
        EXPECT_EQ(status, 1) << "status is left alone on success";
        EXPECT_EQ(decryptedDataUsingAlgorithm(*cipher, kCCAlgorithmAES, bytes(c.key),
                                              kCCOptionPKCS7Padding, nullptr),
                  message)
            << c.key;
    }
}

TEST(LowLevelCommonCryptor, VectorsOptionsAndOtherAlgorithms) {
    const std::string key = "sixteen byte key";
    foundation::Data iv;
    for (int i = 0; i < 16; ++i) {
        iv.push_back(static_cast<std::uint8_t>(i));
    }
    EXPECT_EQ(hex(dataEncryptedUsingAlgorithm(message, kCCAlgorithmAES, key, iv,
                                              kCCOptionPKCS7Padding, nullptr)),
              "f6e10a8d4b919aa2a25e6d99aaab601dc11e993b627857b7c353e774288cc410");
    EXPECT_EQ(hex(dataEncryptedUsingAlgorithm(message, kCCAlgorithmAES, key,
                                              kCCOptionPKCS7Padding | kCCOptionECBMode, nullptr)),
              "6ee68e7028b80dc8eafd93a1f99468e5c126f4fb235e3f3f371442b95218773a");
    // The shortest form has no padding: 32 bytes go through as they are.
    EXPECT_EQ(hex(dataEncryptedUsingAlgorithm(bytes("0123456789abcdef0123456789ABCDEF"),
                                              kCCAlgorithmAES, key, nullptr)),
              "54b0f7bb77db16e6fb7395c987d84e79c5609f3a2a3768117ee67f58e1b8fb10");
    EXPECT_EQ(hex(dataEncryptedUsingAlgorithm(message, kCCAlgorithm3DES, "a twenty-four byte key!!",
                                              kCCOptionPKCS7Padding, nullptr)),
              "c5b917eea3f57d6f2a2427414319acb5787b457bdea3f67587c20042c764cc0a");
    EXPECT_EQ(hex(dataEncryptedUsingAlgorithm(message, kCCAlgorithmRC4, key, nullptr)),
              "efa6c7ebd46b6ec2bf6ed0b7a3c9d967a0383c8907358a97ce60f849");
}

TEST(LowLevelCommonCryptor, FailuresGiveNoDataAndTheirStatus) {
    std::int32_t status = 0;
    EXPECT_FALSE(dataEncryptedUsingAlgorithm(message, kCCAlgorithmAES, "key", &status));
    EXPECT_EQ(status, -4303) << "unpadded input of 28 bytes";

    EXPECT_FALSE(dataEncryptedUsingAlgorithm(message, 9, "key", kCCOptionPKCS7Padding, &status));
    EXPECT_EQ(status, -4300) << "unknown algorithm";

    const auto cipher = dataEncryptedUsingAlgorithm(message, kCCAlgorithmAES, "key",
                                                    kCCOptionPKCS7Padding, &status);
    ASSERT_TRUE(cipher);
    EXPECT_FALSE(decryptedDataUsingAlgorithm(*cipher, kCCAlgorithmAES, "other key",
                                             kCCOptionPKCS7Padding, &status));
    EXPECT_EQ(status, -4304) << "bad padding";

    EXPECT_FALSE(decryptedDataUsingAlgorithm(foundation::Data(cipher->begin(), cipher->end() - 3),
                                             kCCAlgorithmAES, "key", kCCOptionPKCS7Padding,
                                             nullptr))
        << "no status pointer is fine";
}

}  // namespace
