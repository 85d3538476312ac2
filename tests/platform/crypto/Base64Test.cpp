#include "platform/crypto/Base64.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using crypto::Base64;

TEST(Base64, EncodesWithPadding) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"attack at dawn, then at dusk", "YXR0YWNrIGF0IGRhd24sIHRoZW4gYXQgZHVzaw=="},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(Base64::encode(foundation::dataFromString(plain)), encoded);
        auto decoded = Base64::decode(encoded);
        ASSERT_TRUE(decoded) << encoded;
        EXPECT_EQ(foundation::stringFromData(*decoded), plain);
    }
    const foundation::Data binary = {0x00, 0xfb, 0xff, 0x3e, 0x80};
    EXPECT_EQ(Base64::encode(binary), "APv/PoA=");
    EXPECT_EQ(Base64::decode("APv/PoA="), binary);
}

TEST(Base64, RefusesWhatIsNotBase64) {
    const char* invalid[] = {
        "YWI",       // length not a multiple of four
        "YW=I",      // padding inside a group
        "YQ==YWJj",  // data after padding
        "Y===",      // three padding characters
        "YW I=",     // blank (strict)
        "YWJj\n",    // line break (strict)
        "YW-_",      // URL-safe alphabet
    };
    for (const char* text : invalid) {
        EXPECT_EQ(Base64::decode(text), std::nullopt) << text;
    }
}

TEST(Base64, CanSkipLineBreaksAndBlanks) {
    const auto decoded = Base64::decode("YXR0YWNrIGF0\r\nIGRhd24sIHRo ZW4gYXQg\nZHVzaw==\n",
                                        Base64::Decoding::IgnoreUnknownCharacters);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(foundation::stringFromData(*decoded), "attack at dawn, then at dusk");
    // Skipping does not excuse a broken length.
    EXPECT_EQ(Base64::decode("YW\nI", Base64::Decoding::IgnoreUnknownCharacters), std::nullopt);
}

}  // namespace
