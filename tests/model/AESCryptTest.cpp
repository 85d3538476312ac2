#include "model/AESCrypt.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::string passPhrase = "correct horse";

// Cipher texts made with `openssl enc -aes-256-cbc -iv 0 -base64` under the
// SHA-256 of the pass phrase (openssl dgst -sha256).
struct Sample {
    std::string plain;
    std::string cipher;
};
const Sample samples[] = {
    {"Hello, World! Grüße", "9+fT7edbPJC8lD5XUm0LIKA/jx7WPI83KqCDmaksUSw="},
    {"The quick brown fox jumps over the lazy dog",
     "jDlMPoq/a73dd7kNntM2F1yAixo1EK2k3kishe/FacVY4Bssz+tvnM5yK817BeO3"},
    {"", "AaVq1acuTl6eFjSkcb4wXQ=="},  // one block of padding, 24 characters
};

TEST(AESCrypt, MatchesKnownCipherTextsBothWays) {
    for (const Sample& s : samples) {
        EXPECT_EQ(AESCrypt::encrypt(s.plain, passPhrase), s.cipher);
        EXPECT_EQ(AESCrypt::decrypt(s.cipher, passPhrase), s.plain);
    }
}

TEST(AESCrypt, DecryptsTextBrokenIntoLinesAsPagesCarryIt) {
    EXPECT_EQ(
        AESCrypt::decrypt(
            "\n  jDlMPoq/a73dd7kNntM2F1yAixo1EK2k\n3kishe/FacVY4Bssz+tvnM5yK817BeO3\n", passPhrase),
        "The quick brown fox jumps over the lazy dog");
}

TEST(AESCrypt, RefusesWhatDoesNotDecrypt) {
    // Wrong pass phrase: the padding check fails.
    EXPECT_EQ(AESCrypt::decrypt(samples[0].cipher, "wrong horse"), std::nullopt);
    // Bytes that are not UTF-8 (FF FE 41).
    EXPECT_EQ(AESCrypt::decrypt("Vqdmuj8j64pai5RMt1Dajg==", passPhrase), std::nullopt);
    // Nothing, or less than a block.
    EXPECT_EQ(AESCrypt::decrypt("", passPhrase), std::nullopt);
    EXPECT_EQ(AESCrypt::decrypt("AaVq1acuTl6eFjSk", passPhrase), std::nullopt);
    // Not Base64 at all.
    EXPECT_EQ(AESCrypt::decrypt("<p>no cipher here</p>", passPhrase), std::nullopt);
}

TEST(AESCrypt, RoundTripsAnyText) {
    const std::string texts[] = {"x", "sixteen bytes!!!", "Ünïcödé ✓ 漢字 🚀",
                                 std::string(1000, 'a')};
    for (const std::string& text : texts) {
        EXPECT_EQ(AESCrypt::decrypt(AESCrypt::encrypt(text, "p"), "p"), text);
    }
}

}  // namespace
