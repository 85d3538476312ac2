#include "ads/foundation/GAD_GTMStringEncoding.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using Factory = std::function<std::shared_ptr<GAD_GTMStringEncoding>()>;

const Factory kBinary = &GAD_GTMStringEncoding::binaryStringEncoding;
const Factory kHex = &GAD_GTMStringEncoding::hexStringEncoding;
const Factory kBase32 = &GAD_GTMStringEncoding::rfc4648Base32StringEncoding;
const Factory kBase32Hex = &GAD_GTMStringEncoding::rfc4648Base32HexStringEncoding;
const Factory kCrockford = &GAD_GTMStringEncoding::crockfordBase32StringEncoding;
const Factory kBase64 = &GAD_GTMStringEncoding::rfc4648Base64StringEncoding;
const Factory kWebsafe = &GAD_GTMStringEncoding::rfc4648Base64WebsafeStringEncoding;

TEST(GAD_GTMStringEncodingTest, EncodesEachFormAsItsStandardSays) {
    struct Case {
        Factory encoding;
        std::string input;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kBinary, "A", "01000001"},
        {kHex, "\x01\xab\xff", "01ABFF"},
        // RFC 4648 test vectors, padded to whole blocks.
        {kBase64, "", ""},
        {kBase64, "f", "Zg=="},
        {kBase64, "fo", "Zm8="},
        {kBase64, "abc", "YWJj"},
        {kBase64, "foobar", "Zm9vYmFy"},
        {kBase32, "f", "MY======"},
        {kBase32, "foob", "MZXW6YQ="},
        {kBase32Hex, "foobar", "CPNMUOJ1E8======"},
        // No padding for Crockford's form.
        {kCrockford, "f", "CR"},
        // The URL-safe alphabet ends in "-" and "_".
        {kWebsafe, "\xfb\xff", "-_8="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.encoding()->encodeString(c.input), c.expected) << c.expected;
    }
}

TEST(GAD_GTMStringEncodingTest, DecodesWithOrWithoutPaddingAndRefusesWhatIsNotCanonical) {
    struct Case {
        Factory encoding;
        std::string input;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        // Padding is optional, and any amount of it may end the text.
        {kBase64, "YWI=", "ab"},
        {kBase64, "YWI", "ab"},
        {kBase64, "YWI===", "ab"},
        {kBase64, "", ""},
        // A value after padding, an unknown character, non-zero leftover bits.
        {kBase64, "YW=I", std::nullopt},
        {kBase64, "YW I", std::nullopt},
        {kBase64, "YWJ", std::nullopt},
        {kBase64, "Zm9v\xc3\xa9", std::nullopt},
        // Hexadecimal reads both cases.
        {kHex, "ff", "\xff"},
        {kHex, "FF", "\xff"},
        {kHex, "fg", std::nullopt},
        // Crockford reads o/O as zero and i/I/l/L as one.
        {kCrockford, "0o", std::string(1, '\0')},
        {kCrockford, "oO", std::string(1, '\0')},
        {kCrockford, "i0", "\x08"},
        {kCrockford, "1i", std::nullopt},
        {kCrockford, "IlL", std::nullopt},
        {kCrockford, "Lg", "\x0c"},
        {kBase32, "MZXW6YQ=", "foob"},
        {kBase32, "mzxw6yq=", std::nullopt},
        {kWebsafe, "-_8", "\xfb\xff"},
        {kBinary, "01000001", "A"},
    };
    for (const Case& c : cases) {
        const auto decoded = c.encoding()->decode(c.input);
        EXPECT_EQ(decoded
                      ? std::optional<std::string>(std::in_place, decoded->begin(), decoded->end())
                      : std::nullopt,
                  c.expected)
            << c.input;
    }
}

TEST(GAD_GTMStringEncodingTest, RoundTripsEveryByteInEveryForm) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    for (const Factory& factory :
         {kBinary, kHex, kBase32, kBase32Hex, kCrockford, kBase64, kWebsafe}) {
        auto encoding = factory();
        for (std::size_t length = 0; length <= 9; ++length) {
            const std::string input = bytes.substr(256 - length * 20 % 256, length);
            const std::string text = encoding->encodeString(input);
            const auto decoded = encoding->decode(text);
            ASSERT_TRUE(decoded) << encoding->description() << " " << text;
            EXPECT_EQ(std::string(decoded->begin(), decoded->end()), input) << text;
        }
    }
}

TEST(GAD_GTMStringEncodingTest, RefusesBadAlphabetsAndMarksSynonymsAndIgnoredCharacters) {
    EXPECT_EQ(GAD_GTMStringEncoding::stringEncodingWithString("012"), nullptr);
    EXPECT_EQ(GAD_GTMStringEncoding::stringEncodingWithString("0"), nullptr);
    EXPECT_EQ(GAD_GTMStringEncoding::stringEncodingWithString("00"), nullptr);
    EXPECT_EQ(GAD_GTMStringEncoding::stringEncodingWithString("0\xe9"), nullptr);
    EXPECT_EQ(GAD_GTMStringEncoding::stringEncodingWithString(std::string(256, 'a')), nullptr);

    auto octal = GAD_GTMStringEncoding::stringEncodingWithString("01234567");
    ASSERT_TRUE(octal);
    EXPECT_EQ(octal->description(), "<Base8 StringEncoder: 01234567>");
    EXPECT_TRUE(octal->ignoreCharacters(" -"));
    EXPECT_FALSE(octal->ignoreCharacters("7"));
    EXPECT_EQ(octal->stringByDecoding("2 0-2"), "A");
    EXPECT_EQ(octal->stringByDecoding("202"), "A");

    auto hex = GAD_GTMStringEncoding::hexStringEncoding();
    hex->setPaddingChar('.');
    hex->setDoPad(true);
    EXPECT_EQ(hex->encodeString("\x12"), "12");
    EXPECT_EQ(hex->stringByDecoding("12.."), "\x12");
    EXPECT_EQ(hex->stringByDecoding("FF"), std::nullopt);  // not UTF-8 text
}

}  // namespace
