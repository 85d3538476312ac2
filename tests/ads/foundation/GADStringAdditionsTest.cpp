#include <gtest/gtest.h>

#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStringAdditions.h"

namespace {

TEST(GADStringAdditions, EscapesEverythingButUnreservedCharacters) {
    struct Case {
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"a b&c=d/e", "a%20b%26c%3Dd%2Fe"},
        {"AZaz09-_.~", "AZaz09-_.~"},  // unreserved characters stay
        {"!*'();:@&=+$,/?%#[]", "%21%2A%27%28%29%3B%3A%40%26%3D%2B%24%2C%2F%3F%25%23%5B%5D"},
        {"\xC3\xA9", "%C3%A9"},  // UTF-8 bytes, upper-case hex
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GADURLEncoding::gad_stringByEscapingAsURLParameter(c.input), c.expected)
            << c.input;
    }
}

TEST(GADStringAdditions, ShortFloatDropsTrailingZerosAndPoint) {
    const std::pair<double, const char*> cases[] = {
        {320.0, "320"}, {0.5, "0.5"},   {1.25, "1.25"}, {2.0000004, "2"}, {0.0, "0"},
        {-0.5, "-0.5"}, {12.5, "12.5"}, {100.0, "100"}, {10.0, "10"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(GADStringNumberAdditions::gad_shortStringWithCGFloat(value), expected) << value;
    }
}

TEST(GADStringAdditions, TrailingSlashAndAtEscaping) {
    EXPECT_EQ(GADReplaceContent::gad_stripTrailingSlash("a//"), "a/");
    EXPECT_EQ(GADReplaceContent::gad_stripTrailingSlash(""), "");
    EXPECT_EQ(GADReplaceContent::gad_stripTrailingSlash("a"), "a");
    EXPECT_TRUE(GADPathValidation::gad_isEquivalentToURLString("http://a/b/", "http://a/b"));
    EXPECT_FALSE(GADPathValidation::gad_isEquivalentToURLString("http://a/b//", "http://a/b"));
    EXPECT_EQ(GADAtEscapeAdditions::gad_escapeAts("a@b@@"), "a@@b@@@@");
}

TEST(GADStringAdditions, MD5OfUTF8TextUpToTheFirstNul) {
    EXPECT_EQ(GADStringNumberAdditions::gad_MD5String("abc"),
              std::optional<std::string>("900150983cd24fb0d6963f7d28e17f72"));
    EXPECT_EQ(GADStringNumberAdditions::gad_MD5String(std::string("abc\0def", 7)),
              GADStringNumberAdditions::gad_MD5String("abc"));
    EXPECT_EQ(GADStringNumberAdditions::gad_MD5String("\xFF\xFE"), std::nullopt);
    const std::uint8_t bytes[16] = {0x00, 0x01, 0xab, 0xff, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10};
    EXPECT_EQ(GADStringNumberAdditions::gad_stringWithMD5Bytes(bytes),
              "0001abff000000000000000000000010");
}

TEST(GADStringAdditions, JSONDecodingAcceptsFragments) {
    EXPECT_EQ(GADJSONAdditions::gad_decodedJSONObjectError("\"a\""),
              std::optional<foundation::Value>("a"));
    EXPECT_EQ(GADJSONAdditions::gad_decodedJSONObjectError("3"),
              std::optional<foundation::Value>(3));
    foundation::Error error;
    EXPECT_EQ(GADJSONAdditions::gad_decodedJSONObjectError("{", &error), std::nullopt);
    EXPECT_FALSE(error.domain.empty());

    EXPECT_EQ(GADMacros::readJsonIntoDictionary("{\"a\":1}"),
              std::optional<foundation::Dictionary>(foundation::Dictionary{{"a", 1}}));
    EXPECT_EQ(GADMacros::readJsonIntoDictionary("[1]"), std::nullopt);
    EXPECT_EQ(GADMacros::readJsonIntoDictionary("not json"), std::nullopt);
}

TEST(GADStringAdditions, JSONWritingRefusesInvalidObjects) {
    foundation::Dictionary valid{{"b", "x"}, {"a", 1}};
    EXPECT_EQ(GADMacros::dictionaryToJSONString(valid),
              std::optional<std::string>(R"({"a":1,"b":"x"})"));
    EXPECT_EQ(GADMacros::dictionaryToJSONString(std::nullopt), std::nullopt);

    foundation::Dictionary invalid{{"d", foundation::Data{1, 2}}};
    foundation::Error error;
    EXPECT_EQ(GADJSONAdditions::gad_JSONStringPretty(invalid, false, &error), std::nullopt);
    EXPECT_EQ(error, (foundation::Error{"com.dezuvo.ads.private", 2, "Invalid JSON object."}));
    EXPECT_EQ(GADMacros::dictionaryToJSONString(invalid), std::optional<std::string>(""));
}

TEST(GADStringAdditions, DictionarySettersWriteRequestTexts) {
    foundation::Dictionary d{{"gone", "1"}};
    GADObjectValidation::gad_setStringForBoolValue(d, false, "f");
    GADObjectValidation::gad_setStringForBoolValue(d, true, "t");
    GADObjectValidation::gad_setStringIfTrueForBoolValue(d, false, "gone");
    GADObjectValidation::gad_setStringIfTrueForBoolValue(d, true, "yes");
    GADObjectValidation::gad_setStringForCGFloat(d, 320.0, "w");
    GADObjectValidation::gad_setIfNotNilObject(d, std::nullopt, "none");
    GADObjectValidation::gad_setIfNotNilObject(d, foundation::Value(2), "two");
    EXPECT_EQ(d, (foundation::Dictionary{
                     {"f", "0"}, {"t", "1"}, {"yes", "1"}, {"w", "320"}, {"two", 2}}));
    EXPECT_EQ(GADObjectValidation::gad_objectForKey(d, "two", foundation::Value::Type::Integer),
              std::optional<foundation::Value>(2));
    EXPECT_EQ(GADObjectValidation::gad_objectForKey(d, "two", foundation::Value::Type::String),
              std::nullopt);
}

TEST(GADDictionaryAdditions, AnyNumberAnswersForANumericType) {
    using Type = foundation::Value::Type;
    const foundation::Dictionary d = {{"int", 2}, {"real", 2.5}, {"bool", true}, {"text", "2"}};
    for (Type asked : {Type::Integer, Type::Real, Type::Boolean}) {
        for (const char* key : {"int", "real", "bool"}) {
            EXPECT_EQ(GADObjectValidation::gad_objectForKey(d, key, asked),
                      std::optional<foundation::Value>(foundation::Value(d).get(key)))
                << key;
        }
        EXPECT_EQ(GADObjectValidation::gad_objectForKey(d, "text", asked), std::nullopt);
    }
    EXPECT_EQ(GADObjectValidation::gad_objectForKey(d, "int", Type::String), std::nullopt);
}

}  // namespace
