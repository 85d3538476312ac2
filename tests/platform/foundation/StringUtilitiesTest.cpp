#include "platform/foundation/StringUtilities.h"

#include <gtest/gtest.h>

#include "platform/foundation/Format.h"
#include "platform/foundation/UTF16.h"

using namespace foundation;

namespace {

TEST(StringUtilitiesTest, CountsAndIndexesUTF16Units) {
    const std::string text = "a\xc3\xa9\xf0\x9f\x98\x80z";  // a, é, 😀 (a surrogate pair), z
    EXPECT_EQ(utf16::length(text), 5u);
    EXPECT_EQ(utf16::characterAt(text, 1), u'\u00e9');
    EXPECT_EQ(utf16::characterAt(text, 2), char16_t(0xD83D));
    EXPECT_EQ(utf16::characterAt(text, 3), char16_t(0xDE00));
    EXPECT_EQ(utf16::characterAt(text, 5), std::nullopt);
    EXPECT_EQ(utf16::substring(text, 1, 3), "\xc3\xa9\xf0\x9f\x98\x80");
    EXPECT_EQ(utf16::substring(text, 4), "z");
    EXPECT_EQ(utf16::substring(text, 3, 1),
              "\xf0\x9f\x98\x80");  // a cut through the pair keeps the character
    EXPECT_EQ(utf16::substring(text, 9, 2), "");
    EXPECT_EQ(utf16::replacing(text, 2, 2, "b"), std::string("a\xc3\xa9") + "bz");  // the pair
    EXPECT_EQ(utf16::replacing(text, 5, 0, "!"), text + "!");
    EXPECT_EQ(utf16::replacing(text, 4, 2, ""), std::nullopt);  // past the end
    EXPECT_EQ(utf16::replacing(text, 6, 0, ""), std::nullopt);
    EXPECT_EQ(utf16::fromUTF16(utf16::toUTF16(text)), text);
    EXPECT_EQ(utf16::fromUTF16(u"\xD83D"), std::nullopt);
    EXPECT_FALSE(utf16::isValidUTF8("\xc3"));
    EXPECT_FALSE(utf16::isValidUTF8("\xed\xa0\x80"));  // an encoded surrogate
}

TEST(StringUtilitiesTest, TrimsAndSplitsBySets) {
    EXPECT_EQ(trimWhitespaceAndNewlines("\u00a0\t\r\n x y\u2028 \v"), "x y");
    EXPECT_EQ(trim("\n x \n", CharacterSet::whitespace()),
              "\n x \n");  // newlines are not white space
    EXPECT_EQ(trim("  ", CharacterSet::whitespace()), "");
    EXPECT_EQ(components("a,b;;c", CharacterSet::fromCharacters(",;")),
              (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(components("a::b", "::"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(components("", ":"), (std::vector<std::string>{""}));
    EXPECT_EQ(replaceAll("a+b+c", "+", " "), "a b c");
    EXPECT_TRUE(CharacterSet::alphanumeric().contains(U'\u00fc'));
    EXPECT_TRUE(CharacterSet::alphanumeric().contains(U'\u0663'));  // Arabic-Indic digit
    EXPECT_FALSE(CharacterSet::alphanumeric().contains(U'@'));
}

TEST(StringUtilitiesTest, CaseMappingAndCaseInsensitiveSearch) {
    EXPECT_EQ(uppercase("stra\xc3\x9f"
                        "e"),
              "STRASSE");
    EXPECT_EQ(lowercase("MAILTO:\xc3\x84"), "mailto:\xc3\xa4");
    EXPECT_EQ(caseInsensitiveCompare("Stra\xc3\x9f"
                                     "e",
                                     "STRASSE"),
              0);
    EXPECT_LT(caseInsensitiveCompare("apple", "Banana"), 0);
    EXPECT_TRUE(hasPrefixIgnoringCase("MATMSG:TO:a", "matmsg:"));
    EXPECT_FALSE(hasPrefixIgnoringCase("xMATMSG:", "matmsg:"));
    EXPECT_EQ(findIgnoringCase("abc SMTP:x", "smtp:"), 4u);
    EXPECT_EQ(findIgnoringCase("abc", "abcd"), std::nullopt);
    EXPECT_EQ(find("a-b-c", "-", 2), 3u);
}

TEST(StringUtilitiesTest, ScansHexAsThePlatformScanner) {
    EXPECT_EQ(scanHexInt("A "), 0x0Au);
    EXPECT_EQ(scanHexInt(" 0x1f"), 0x1Fu);
    EXPECT_EQ(scanHexInt("0xg"), 0u);  // "0" read, the x ends it
    EXPECT_EQ(scanHexInt("g1"), std::nullopt);
    EXPECT_EQ(scanHexInt(""), std::nullopt);
}

TEST(StringUtilitiesTest, ScansDecimalIntegersAsThePlatformScanner) {
    EXPECT_EQ(scanInteger("60"), 60);
    EXPECT_EQ(scanInteger(" \t+30, private"), 30);
    EXPECT_EQ(scanInteger("-5s"), -5);
    EXPECT_EQ(scanInteger("99999999999999999999"), INT64_MAX);
    EXPECT_EQ(scanInteger("-99999999999999999999"), -INT64_MAX);
    EXPECT_EQ(scanInteger("abc"), std::nullopt);
    EXPECT_EQ(scanInteger("- 1"), std::nullopt);
    EXPECT_EQ(scanInteger(""), std::nullopt);
}

TEST(StringUtilitiesTest, ConvertsNamedEncodings) {
    EXPECT_EQ(stringFromData(Data{0x4d, 0xfc}, "ISO-8859-1"), "M\xc3\xbc");
    EXPECT_EQ(stringFromData(Data{0x82, 0xa0}, "Shift_JIS"), "\xe3\x81\x82");
    EXPECT_EQ(stringFromData(Data{0x41}, "no-such-charset"), std::nullopt);
    EXPECT_EQ(stringFromData(Data{0xff}, "US-ASCII"), std::nullopt);
    EXPECT_EQ(stringFromUTF8(Data{0xc3, 0x28}), std::nullopt);
    EXPECT_EQ(dataFromString("\xc3\xbc", "ISO-8859-1"), (Data{0xfc}));
    EXPECT_EQ(dataFromString("\xe2\x82\xac", "US-ASCII"), std::nullopt);
    EXPECT_TRUE(isKnownCharset("UTF-8"));
}

TEST(StringUtilitiesTest, FormatsObjectsAndNumbers) {
    struct Case {
        std::string got;
        std::string expected;
    };
    const Value dict = Value::dictionary({{"a", 1}});
    const Case cases[] = {
        {format("%@('%@', %@);", "VIRA_ReceiveMessage", "evt", "{}"),
         "VIRA_ReceiveMessage('evt', {});"},
        {format("%d|%5d|%-3d|%03d", -4, 42, 7, 5), "-4|   42|7  |005"},
        {format("%lu %ld %qu %lx %#x %02x", 7ul, -7l, 8ull, 255ul, 255, 10), "7 -7 8 ff 0xff 0a"},
        {format("%.2ffps %.0f %f", 29.971, 2.5, 1.0), "29.97fps 2 1.000000"},
        {format("%@ %@ %@", Value(3), Value(2.5), Value(true)), "3 2.5 1"},
        {format("%@", dict), "{\n    a = 1;\n}"},
        {format("%@ %s", Value(), nullptr), "(null) (null)"},
        {format("%.4s(%c)", "abcdef", 'x'), "abcd(x)"},
        {format("%c", 0xe9), "\xc3\xa9"},  // one byte, read as Latin-1
        {format("%C", 0x20ac), "\xe2\x82\xac"},
        {format("%2$@ %1$@", "world", "hello"), "hello world"},
        {format("100%% %@", std::string("sure")), "100% sure"},
        {format("%@ and %@", "one"),
         "one and (null)"},  // a missing argument never reads past the list
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

}  // namespace
