#include <gtest/gtest.h>

#include "model/Classifier.h"
#include "model/ListClassifier.h"
#include "model/SymbologyClassifier.h"
#include "model/UPCEExpansion.h"
#include "model/URegex.h"

namespace {

using Dict = ClassificationDictionary;

struct Case {
    const char* rule;
    std::int32_t symbology;
    std::string data;
    std::optional<Dict> expected;
};

const std::string kLabel32 = "3" + std::string(15, '0') + "123456789012" + "0000";

TEST(Classifier, SharedTreeClassifiesByTable) {
    std::vector<Case> cases = {
        {"EAN-13 with right check digit", 13, "4006381333931",
         Dict{{"GTIN-14", "04006381333931"},
              {"GTIN-13", "4006381333931"},
              {"EAN-13", "4006381333931"}}},
        {"EAN-13 with wrong check digit", 13, "4006381333932", Dict{{"EAN-13", "4006381333932"}}},
        {"978 is a book", 13, "9780306406157",
         Dict{{"GTIN-14", "09780306406157"},
              {"GTIN-13", "9780306406157"},
              {"ISBN-13", "9780306406157"},
              {"EAN-13", "9780306406157"}}},
        {"979 is a book, ISBN symbology has no symbology entry", 14, "9791234567896",
         Dict{{"GTIN-14", "09791234567896"},
              {"GTIN-13", "9791234567896"},
              {"ISBN-13", "9791234567896"}}},
        {"UPC-A", 12, "036000291452",
         Dict{{"GTIN-14", "00036000291452"},
              {"GTIN-13", "0036000291452"},
              {"UPC-A", "036000291452"}}},
        {"EAN-8", 8, "96385074",
         Dict{{"GTIN-14", "00000096385074"}, {"GTIN-13", "0000096385074"}, {"EAN-8", "96385074"}}},
        {"UPC-E, seventh digit 0-2", 9, "01234505",
         Dict{{"GTIN-14", "00012000003455"}, {"GTIN-13", "0012000003455"}, {"UPC-E", "01234505"}}},
        {"UPC-E, seventh digit 3", 9, "01234531",
         Dict{{"GTIN-14", "00012300000451"}, {"GTIN-13", "0012300000451"}, {"UPC-E", "01234531"}}},
        {"UPC-E, seventh digit 4", 9, "01234543",
         Dict{{"GTIN-14", "00012340000053"}, {"GTIN-13", "0012340000053"}, {"UPC-E", "01234543"}}},
        {"UPC-E, seventh digit 5-9", 9, "01234572",
         Dict{{"GTIN-14", "00012345000072"}, {"GTIN-13", "0012345000072"}, {"UPC-E", "01234572"}}},
        {"UPC-E beginning with 1 gives no GTIN", 9, "11234572", Dict{{"UPC-E", "11234572"}}},
        {"UPC-E of 7 characters gives no GTIN", 9, "0123457", Dict{{"UPC-E", "0123457"}}},
        {"QR 01 + GTIN-14", 64, "0110036000291459",
         Dict{{"GTIN-14", "10036000291459"}, {"QR Code", "0110036000291459"}}},
        {"Code 128 01 + GTIN-14 beginning with 0", 128, "0100036000291452",
         Dict{{"GTIN-14", "00036000291452"},
              {"GTIN-13", "0036000291452"},
              {"Code 128", "0100036000291452"}}},
        {"QR 01 + 13 characters", 64, "011003600029145", Dict{{"QR Code", "011003600029145"}}},
        {"QR 01 + 15 characters", 64, "01100360002914590", Dict{{"QR Code", "01100360002914590"}}},
        {"UPS with right check digit", 128, "1Z999AA10123456784",
         Dict{{"UPS Ground Tracking#", "1Z999AA10123456784"},
              {"name", "UPS Ground Package"},
              {"Code 128", "1Z999AA10123456784"}}},
        {"UPS letters may be lower case after 1Z", 39, "1Z999aa10123456784",
         Dict{{"UPS Ground Tracking#", "1Z999aa10123456784"},
              {"name", "UPS Ground Package"},
              {"Code 39", "1Z999aa10123456784"}}},
        {"UPS with wrong check digit", 128, "1Z999AA10123456785",
         Dict{{"Code 128", "1Z999AA10123456785"}}},
        {"lower-case 1z is no UPS number", 128, "1z999AA10123456784",
         Dict{{"Code 128", "1z999AA10123456784"}}},
        {"FedEx ground", 128, "9611019012345678901231",
         Dict{{"FedEx Ground Tracking#", "9611019012345678901231"},
              {"name", "FedEx Ground Package"},
              {"Code 128", "9611019012345678901231"}}},
        {"FedEx ground with wrong check digit", 128, "9611019012345678901232",
         Dict{{"Code 128", "9611019012345678901232"}}},
        {"12 characters in Code 128 are always FedEx express", 128, "ABCDEFGHIJKL",
         Dict{{"FedEx Express Tracking#", "ABCDEFGHIJKL"},
              {"name", "FedEx Express Package"},
              {"Code 128", "ABCDEFGHIJKL"}}},
        {"12 digits in Code 39 pass the mod-11 rule", 39, "123456789012",
         Dict{{"FedEx Express Tracking#", "123456789012"},
              {"name", "FedEx Express Package"},
              {"Code 39", "123456789012"}}},
        {"12 digits in Code 39 failing the mod-11 rule", 39, "123456789013",
         Dict{{"Code 39", "123456789013"}}},
        {"12 digits elsewhere are no parcel", 64, "123456789012",
         Dict{{"QR Code", "123456789012"}}},
        {"32-character label beginning with 3", 128, kLabel32,
         Dict{{"FedEx Express Tracking#", "123456789012"},
              {"name", "FedEx Express Package"},
              {"Code 128", kLabel32}}},
        {"mailto: is not part of the address", 64, "mailto:john@example.com",
         Dict{{"E-mail address", "john@example.com"}, {"QR Code", "mailto:john@example.com"}}},
        {"display name keeps its quotes", 64, "\"John Doe\" <john@example.com>",
         Dict{{"E-mail address", "john@example.com"},
              {"name", "\"John Doe\""},
              {"QR Code", "\"John Doe\" <john@example.com>"}}},
        {"a parcel label replaces a display name", 128, "\"ab\"<b@c.de>",
         Dict{{"E-mail address", "b@c.de"},
              {"FedEx Express Tracking#", "\"ab\"<b@c.de>"},
              {"name", "FedEx Express Package"},
              {"Code 128", "\"ab\"<b@c.de>"}}},
        {"URL up to the blank", 64, "see http://example.com/a?b=1 now",
         Dict{{"URL", "http://example.com/a?b=1"},
              {"QR Code", "see http://example.com/a?b=1 now"}}},
        {"no URL in EAN symbologies", 13, "http://example.com",
         Dict{{"EAN-13", "http://example.com"}}},
        {"no URL without ://", 64, "example.com/a", Dict{{"QR Code", "example.com/a"}}},
        {"nothing fits an unknown symbology", 25, "hello", std::nullopt},
        {"empty data of an unknown symbology", 0, "", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Classifier::sharedClassifier().classifyBarcode(c.symbology, c.data), c.expected)
            << c.rule;
    }
}

TEST(Classifier, ProvidesIsSortedIgnoringCaseAndFollowsNewChildren) {
    auto provides = Classifier::sharedClassifier().provides();
    ASSERT_EQ(provides.size(), 15u);
    EXPECT_EQ(provides.front(), "Code 128");
    EXPECT_EQ(provides.back(), "URL");

    ListClassifier list;
    list.addClassifier(std::make_unique<SymbologyClassifier>(1, "b"));
    list.addClassifier(std::make_unique<SymbologyClassifier>(2, "B"));
    EXPECT_EQ(list.provides(), (std::vector<std::string>{"b", "B"}));
    list.addClassifier(std::make_unique<SymbologyClassifier>(3, "a"));
    EXPECT_EQ(list.provides(), (std::vector<std::string>{"a", "b", "B"}));
    EXPECT_EQ(list.classifyBarcode(9, "x"), std::nullopt);
}

TEST(URegex, FindsMatchesAndGroups) {
    EXPECT_EQ(URegex::make("(unclosed"), nullptr);
    auto regex = URegex::make("(a+)(x)?b");
    ASSERT_TRUE(regex);
    EXPECT_EQ(regex->groupCount(), 2);
    ASSERT_TRUE(regex->find("zzaab"));
    EXPECT_EQ(regex->group(0), "aab");
    EXPECT_EQ(regex->group(1), "aa");
    EXPECT_EQ(regex->group(2), "") << "a group that took no part";
    EXPECT_EQ(regex->group(3), std::nullopt);
    EXPECT_FALSE(regex->matches("zzaab"));
    EXPECT_TRUE(regex->matches("aaxb"));
    regex->reset();
    EXPECT_TRUE(regex->find("ü ab"));
    EXPECT_EQ(regex->group(0), "ab");
}

TEST(UPCEExpansion, ExpandsOnlySevenOrEightDigitsBeginningWithZeroOrOne) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"01234505", "012000003455"},  // last data digit 0-2
        {"01234531", "012300000451"},  // 3
        {"01234543", "012340000053"},  // 4
        {"01234572", "012345000072"},  // 5-9
        {"1234572", "12320000457"},    // 7 digits: no check digit
        {"21234572", "21234572"},      // number system other than 0 or 1
        {"0123457", "01234500007"},
        {"012345", "012345"},  // too short
        {"", ""},
        {"0123A572", "0123A572"},    // not all digits
        {"012345720", "012345720"},  // too long
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(UPCEExpansion(input), expected) << input;
    }
}

}  // namespace
