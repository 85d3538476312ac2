#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "results/AddressBookAUResultParser.h"
#include "results/ArrayAndStringCategories.h"
#include "results/VCardFields.h"

using namespace ArrayAndStringCategories;
using namespace VCardFields;

namespace {

using Values = std::optional<std::vector<std::string>>;

TEST(PrefixedFields, ValuesEndAtAnUnescapedTerminator) {
    struct Case {
        const char* rule;
        std::string text;
        std::string prefix;
        std::string terminator;
        Values values;
    };
    const std::vector<Case> cases = {
        {"escaped terminator stays a plain ';'", "N:A\\;B;TEL:1;", "N:", ";", Values{{"A;B"}}},
        {"a value without its terminator is dropped", "TEL:1;TEL:2", "TEL:", ";", Values{{"1"}}},
        {"plain substring search finds a longer prefix's tail", "SN:x;N:y;", "N:", ";",
         Values{{"x", "y"}}},
        {"an empty value counts", "N:;", "N:", ";", Values{{""}}},
        {"no prefix: nothing", "TEL:1;", "N:", ";", std::nullopt},
        {"carriage return as terminator", "NAME1:Ann\r\nTEL1:1\r\n", "NAME1:", "\r",
         Values{{"Ann"}}},
        {"escaped backslash before the terminator still ends nothing", "N:a\\\\;b;", "N:", ";",
         Values{{"a\\;b"}}},
        {"non-ASCII before and inside the value", "é N:Müller;", "N:", ";", Values{{"Müller"}}},
        {"prefix at the very end", "TEL:1;N:", "N:", ";", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fieldsWithPrefix(c.text, c.prefix, c.terminator), c.values) << c.rule;
    }
    EXPECT_EQ(fieldWithPrefix("SN:x;N:y;", "N:"), "y");
    EXPECT_EQ(fieldWithPrefix("TEL:1;TEL:2", "TEL:"), "1");
}

TEST(PrefixedFields, BackslashUnescapingKeepsCharactersWholeAndStopsAtTheEnd) {
    EXPECT_EQ(backslashUnescaped("plain"), "plain");
    EXPECT_EQ(backslashUnescaped("a\\;b\\\\c"), "a;b\\c");
    EXPECT_EQ(backslashUnescaped("\\é\\😀x"), "é😀x");
    EXPECT_EQ(backslashUnescaped("end\\"), "end");
    EXPECT_EQ(backslashUnescaped("\\"), "");
}

TEST(PrefixedFields, NumberedFieldsStopAtTheFirstGap) {
    const std::string all = "MEMORY:x\r\nTEL1:a\r\nTEL2: b \r\nTEL3:c\r\n";
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix(all, "TEL", 3, true),
              Values({"a", "b", "c"}));
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix(all, "TEL", 3, false),
              Values({"a", " b ", "c"}));
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix(all, "TEL", 2, true), Values({"a", "b"}));
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix("TEL1:a\r\nTEL3:c\r\n", "TEL", 3, true),
              Values({"a"}));
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix("TEL2:b\r\n", "TEL", 3, true),
              std::nullopt);
    EXPECT_EQ(AddressBookAUResultParser::fieldsWithPrefix(all, "TEL", 0, true), std::nullopt);
}

TEST(PrefixedFields, TrimmingHelpers) {
    EXPECT_EQ(stringWithTrimmedWhitespace(" \t\r\n a b\u2028"), "a b");
    EXPECT_EQ(stringArrayWithTrimmedWhitespace(std::vector<std::string>{" a", "b "}),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(arrayWithStringIfNotNil(std::nullopt), std::nullopt);
    EXPECT_EQ(arrayWithStringIfNotNil(std::string("x")), Values{{"x"}});
}

TEST(VCardReader, ValuesOfAField) {
    struct Case {
        const char* rule;
        std::string text;
        std::string field;
        std::vector<std::string> values;
    };
    const std::vector<Case> cases = {
        {"parameters before the value", "BEGIN:VCARD\r\nTEL;TYPE=cell:123\r\n", "TEL", {"123"}},
        {"every line of the field", "TEL:1\nTEL:2\n", "TEL", {"1", "2"}},
        {"quoted-printable value", "NOTE;ENCODING=QUOTED-PRINTABLE:a=3Db\r\n", "NOTE", {"a=b"}},
        {"quoted-printable soft line break",
         "NOTE;ENCODING=QUOTED-PRINTABLE:ab=\r\ncd\r\nX:1\r\n",
         "NOTE",
         {"abcd"}},
        {"quoted-printable in a named character set",
         "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller\r\n",
         "N",
         {"Müller"}},
        {"quoted-printable in ISO-8859-1",
         "N;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:M=FCller\r\n",
         "N",
         {"Müller"}},
        {"an unknown character set gives no value",
         "N;CHARSET=NO-SUCH-SET;ENCODING=QUOTED-PRINTABLE:a\r\n",
         "N",
         {}},
        {"folded line joined", "NOTE:one\r\n two\r\nX:1\r\n", "NOTE", {"onetwo"}},
        {"a last line without a line feed gives no value", "TEL:1\nTEL:2", "TEL", {"1"}},
        {"NOTE is not a line of N", "NOTE:x\nN:y\n", "N", {"y"}},
        {"a name in mid-line is no line start", "X:N:1\n", "N", {}},
        {"an empty value is skipped", "TEL:\nTEL:5\n", "TEL", {"5"}},
        {"field name at the very end", "TEL:1\nTEL", "TEL", {"1"}},
        {"parameters without a closing colon", "TEL:1\nTEL;TYPE=cell", "TEL", {"1"}},
        {"folding up to the end of the text", "NOTE:a\n b", "NOTE", {}},
        {"non-ASCII value", "FN:Zoë 😀\n", "FN", {"Zoë 😀"}},
        {"empty text", "", "TEL", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vcardValuesForFieldWithPrefix(c.text, c.field), c.values) << c.rule;
    }
    EXPECT_EQ(vcardValueForFieldWithPrefix("TEL:1\nTEL:2\n", "TEL"), "1");
    EXPECT_EQ(vcardValueForFieldWithPrefix("TEL:1\n", "EMAIL"), "");
}

TEST(VCardReader, ValueDecoding) {
    EXPECT_EQ(vcardStringWithoutContinuationCRLF("a\r\n b\n\tc"), "abc");
    EXPECT_EQ(vcardStringWithoutContinuationCRLF("a\n😀b"), "ab");
    EXPECT_EQ(vcardStringFromQuotedPrintableWithCharset("a=3Db=\r\nc=4", "ASCII"), "a=bc4");
    EXPECT_EQ(vcardStringFromQuotedPrintableWithCharset("=A x", "ASCII"), "\nx");
    EXPECT_EQ(vcardStringFromQuotedPrintableWithCharset("=", "ASCII"), "");
    auto metadata = parsedFieldMetadata("TYPE=cell;ENCODING=QUOTED-PRINTABLE;PREF;TYPE=work");
    EXPECT_EQ(metadata.size(), 2u);
    EXPECT_EQ(metadata["TYPE"], "work");
    EXPECT_EQ(metadata["ENCODING"], "QUOTED-PRINTABLE");
    EXPECT_EQ(vcardKeyComponent("a=b=c"), "a");
    EXPECT_EQ(vcardValueComponent("a=b=c"), "b=c");
    EXPECT_EQ(vcardKeyComponent("ab"), std::nullopt);
}

TEST(VCardReader, PositionsCountUtf16Units) {
    EXPECT_EQ(vcardIndexOf("😀a:b", ":", 0), 3u);
    EXPECT_EQ(vcardIndexOf("a:b", ":", 2), notFound);
    EXPECT_EQ(vcardIndexOf("a:b", ":", 9), notFound);
    EXPECT_TRUE(rangeIsDigits("😀12", 2, 2));
    EXPECT_FALSE(rangeIsDigits("😀12", 1, 2));
    EXPECT_TRUE(rangeIsDigits("ab", 1, 0));
    EXPECT_FALSE(rangeIsDigits("12", 1, 5));
}

TEST(VCardReader, Dates) {
    for (const char* date : {"19700101", "1970-01-01"}) {
        EXPECT_TRUE(isVCardDate(date)) << date;
    }
    for (const char* date : {"1970/01/01", "1970-1-01", "1970010", "197001011", "abcdefgh", ""}) {
        EXPECT_FALSE(isVCardDate(date)) << date;
    }
}

TEST(VCardReader, FormattedNamesAndAddresses) {
    EXPECT_EQ(vcardArrayWithFormattedNames({"Doe;John;Q;Dr;Jr", "Doe;John", " Plain Name "}),
              (std::vector<std::string>{"Dr John Q Doe Jr", "John Doe", "Plain Name"}));
    EXPECT_EQ(vcardArrayWithFormattedAddresses({";;1 Main St;Springfield;;"}),
              (std::vector<std::string>{"1 Main St Springfield"}));
}

}  // namespace
