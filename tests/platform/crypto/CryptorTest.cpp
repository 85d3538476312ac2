#include "platform/crypto/Cryptor.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crypto/Digest.h"

namespace {

using crypto::Cryptor;
using crypto::Digest;
using crypto::Status;
using Algorithm = Cryptor::Algorithm;
using Operation = Cryptor::Operation;

foundation::Data fromHex(const std::string& hex) {
    foundation::Data bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

foundation::Data bytes(const std::string& text) {
    return foundation::dataFromString(text);
}

const std::string message = "attack at dawn, then at dusk";

struct Vector {
    const char* name;
    Algorithm algorithm;
    std::uint32_t options;
    std::string key;
    std::string ivHex;
    std::string plain;
    std::string cipherHex;
};

// Cipher texts made with `openssl enc` (DES, CAST and RC4 with the legacy
// provider); the AES key size follows the key length.
const Vector vectors[] = {
    {"AES-128-CBC", Algorithm::AES, Cryptor::PKCS7Padding, "sixteen byte key", "", message,
     "6ee68e7028b80dc8eafd93a1f99468e5ff5257a84ce39a0938e93eeb90883392"},
    {"AES-192-CBC", Algorithm::AES, Cryptor::PKCS7Padding, "a twenty-four byte key!!", "", message,
     "eb3b7cca90a3efdebaf2e93765997428589def1348e9f1c8e094f84d470b497e"},
    {"AES-256-CBC", Algorithm::AES, Cryptor::PKCS7Padding, "thirty-two bytes of key material", "",
     message, "621a7739252315c278128ef9f896d03b3222f7a13d272f1eb8eb846e68816af4"},
    {"AES-128-CBC with vector", Algorithm::AES, Cryptor::PKCS7Padding, "sixteen byte key",
     "000102030405060708090a0b0c0d0e0f", message,
     "f6e10a8d4b919aa2a25e6d99aaab601dc11e993b627857b7c353e774288cc410"},
    {"AES-128-ECB", Algorithm::AES, Cryptor::PKCS7Padding | Cryptor::ECBMode, "sixteen byte key",
     "", message, "6ee68e7028b80dc8eafd93a1f99468e5c126f4fb235e3f3f371442b95218773a"},
    {"AES-128-CBC unpadded", Algorithm::AES, 0, "sixteen byte key", "",
     "0123456789abcdef0123456789ABCDEF",
     "54b0f7bb77db16e6fb7395c987d84e79c5609f3a2a3768117ee67f58e1b8fb10"},
    {"DES-CBC", Algorithm::DES, Cryptor::PKCS7Padding, "8bytekey", "", message,
     "a58b1828afcbe42faf8d45b390ba1e451b81272eb91c1c638e676aa130a7fdbd"},
    {"DES-EDE3-CBC", Algorithm::TripleDES, Cryptor::PKCS7Padding, "a twenty-four byte key!!", "",
     message, "c5b917eea3f57d6f2a2427414319acb5787b457bdea3f67587c20042c764cc0a"},
    {"CAST5-CBC", Algorithm::CAST, Cryptor::PKCS7Padding, "sixteen byte key", "", message,
     "509f7ce2a9ea360267859b83d73a0a622da5b58458cacfca9671dcc30348afc2"},
    {"RC4", Algorithm::RC4, 0, "sixteen byte key", "", message,
     "efa6c7ebd46b6ec2bf6ed0b7a3c9d967a0383c8907358a97ce60f849"},
};

TEST(Cryptor, KnownAnswersBothWays) {
    for (const Vector& v : vectors) {
        Status status = Status::ParamError;
        auto encrypted = Cryptor::crypt(Operation::Encrypt, v.algorithm, v.options, bytes(v.key),
                                        fromHex(v.ivHex), bytes(v.plain), &status);
        ASSERT_TRUE(encrypted) << v.name << " status " << static_cast<int>(status);
        EXPECT_EQ(Digest::hex(*encrypted), v.cipherHex) << v.name;

        auto decrypted = Cryptor::crypt(Operation::Decrypt, v.algorithm, v.options, bytes(v.key),
                                        fromHex(v.ivHex), fromHex(v.cipherHex), &status);
        ASSERT_TRUE(decrypted) << v.name << " status " << static_cast<int>(status);
        EXPECT_EQ(foundation::stringFromData(*decrypted), v.plain) << v.name;
    }
}

TEST(Cryptor, FailuresAreReportedAsStatuses) {
    const foundation::Data key = bytes("sixteen byte key");
    const foundation::Data cipher = fromHex(vectors[0].cipherHex);
    struct Case {
        const char* rule;
        Operation operation;
        Algorithm algorithm;
        std::uint32_t options;
        foundation::Data key;
        foundation::Data input;
        Status expected;
    };
    const Case cases[] = {
        {"AES takes only 16, 24 or 32 byte keys", Operation::Encrypt, Algorithm::AES,
         Cryptor::PKCS7Padding, bytes("twenty bytes of key!"), bytes(message), Status::ParamError},
        {"CAST takes at least 5 bytes", Operation::Encrypt, Algorithm::CAST, Cryptor::PKCS7Padding,
         bytes("four"), bytes(message), Status::ParamError},
        {"RC4 needs a key",
         Operation::Encrypt,
         Algorithm::RC4,
         0,
         {},
         bytes(message),
         Status::ParamError},
        {"unknown option bits", Operation::Encrypt, Algorithm::AES, 4, key, bytes(message),
         Status::ParamError},
        {"wrong key fails the padding check", Operation::Decrypt, Algorithm::AES,
         Cryptor::PKCS7Padding, bytes("another key here"), cipher, Status::DecodeError},
        {"cipher text cut inside a block", Operation::Decrypt, Algorithm::AES,
         Cryptor::PKCS7Padding, key, foundation::Data(cipher.begin(), cipher.end() - 1),
         Status::AlignmentError},
        {"empty cipher text has no padding block",
         Operation::Decrypt,
         Algorithm::AES,
         Cryptor::PKCS7Padding,
         key,
         {},
         Status::DecodeError},
        {"unpadded input must fill whole blocks", Operation::Encrypt, Algorithm::AES, 0, key,
         bytes(message), Status::AlignmentError},
    };
    for (const Case& c : cases) {
        Status status = Status::Success;
        EXPECT_FALSE(
            Cryptor::crypt(c.operation, c.algorithm, c.options, c.key, {}, c.input, &status))
            << c.rule;
        EXPECT_EQ(status, c.expected) << c.rule;
    }
}

TEST(Cryptor, StepwiseEqualsOneShotAndChecksRoom) {
    const foundation::Data key = bytes("sixteen byte key");
    Status status = Status::ParamError;
    auto cryptor = Cryptor::create(Operation::Encrypt, Algorithm::AES, Cryptor::PKCS7Padding, key,
                                   {}, &status);
    ASSERT_TRUE(cryptor);
    ASSERT_EQ(status, Status::Success);

    const foundation::Data plain = bytes(message);
    foundation::Data output(cryptor->outputLength(plain.size(), true));
    EXPECT_EQ(output.size(), 32u);

    std::size_t moved = 0;
    std::size_t total = 0;
    const std::span<const std::uint8_t> all(plain);
    EXPECT_EQ(cryptor->update(all.first(5), output.data(), 0, &moved), Status::BufferTooSmall);
    ASSERT_EQ(cryptor->update(all.first(5), output.data(), output.size(), &moved), Status::Success);
    total += moved;
    ASSERT_EQ(cryptor->update(all.subspan(5), output.data() + total, output.size() - total, &moved),
              Status::Success);
    total += moved;
    EXPECT_EQ(cryptor->final(output.data() + total, 0, &moved), Status::BufferTooSmall);
    ASSERT_EQ(cryptor->final(output.data() + total, output.size() - total, &moved),
              Status::Success);
    total += moved;
    output.resize(total);
    EXPECT_EQ(Digest::hex(output), vectors[0].cipherHex);
    EXPECT_EQ(cryptor->update(all, output.data(), output.size(), &moved), Status::ParamError);
}

}  // namespace
