#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/foundation/ClassRegistry.h"
#include "results/BusinessCardParsedResult.h"
#include "results/EmailParsedResult.h"
#include "results/GeoParsedResult.h"
#include "results/ISBNParsedResult.h"
#include "results/ProductParsedResult.h"
#include "results/ResultParser.h"
#include "results/SMSParsedResult.h"
#include "results/TelParsedResult.h"
#include "results/TextParsedResult.h"
#include "results/URIParsedResult.h"
#include "results/UniversalResultParser.h"

namespace {

using Strings = std::vector<std::string>;
using OptStrings = std::optional<Strings>;
using Opt = std::optional<std::string>;

template <typename Result>
std::shared_ptr<Result> parseAs(const std::string& text, int format = 0) {
    auto result = UniversalResultParser::parsedResultForString(text, format);
    EXPECT_TRUE(result) << text;
    auto typed = std::dynamic_pointer_cast<Result>(result);
    EXPECT_TRUE(typed) << text << " gave " << (result ? result->className() : "nothing");
    return typed;
}

struct EmailCase {
    const char* rule;
    std::string text;
    Opt to, subject, body;
};

TEST(ResultParsers, EmailFamily) {
    const std::vector<EmailCase> cases = {
        {"MATMSG fields", "MATMSG:TO:x;SUB:y;;", "x", "y", std::nullopt},
        {"MATMSG with body", "MATMSG:TO:a@b.c;SUB:s;BODY:b\\;c;;", "a@b.c", "s", "b;c"},
        {"mailto with a to query", "mailto:?to=a%40b.c&subject=Hi+there&body=x%20y", "a@b.c",
         "Hi there", "x y"},
        {"mailto with user and host", "MAILTO://joe@example.org?subject=s", "joe@example.org", "s",
         std::nullopt},
        {"mailto path is the recipient, never mailto:mailto:", "mailto:a@b.c?subject=s", "a@b.c",
         "s", std::nullopt},
        {"mailto path without a query", "mailto:a@b.c", "a@b.c", std::nullopt, std::nullopt},
        {"mailto path percent-decoded", "mailto:a%40b.c", "a@b.c", std::nullopt, std::nullopt},
        {"bad escape in a query piece is skipped", "mailto:a@b.c?subject=%C3%28&body=ok", "a@b.c",
         std::nullopt, "ok"},
        {"basically valid address", "jo+e@exämple.org", "jo+e@exämple.org", std::nullopt,
         std::nullopt},
        {"looks like an address (rule 8)", "<a>@b.c", "<a>@b.c", std::nullopt, std::nullopt},
        {"SMTP without white space goes to rule 8", "SMTP:a@b.c:subj:body", "SMTP:a@b.c:subj:body",
         std::nullopt, std::nullopt},
        {"SMTP with white space", "smtp:x@y:the subject:a body", "x@y", "the subject", "a body"},
        {"a URL with @ and . is an e-mail", "http://u@h.com/x", "http://u@h.com/x", std::nullopt,
         std::nullopt},
    };
    for (const auto& c : cases) {
        auto result = parseAs<EmailParsedResult>(c.text);
        if (!result) {
            ADD_FAILURE() << c.rule;
            continue;
        }
        EXPECT_EQ(result->to, c.to) << c.rule;
        EXPECT_EQ(result->subject, c.subject) << c.rule;
        EXPECT_EQ(result->body, c.body) << c.rule;
    }
}

TEST(ResultParsers, TelSmsGeo) {
    auto tel = parseAs<TelParsedResult>("TEL:+1 555");
    ASSERT_TRUE(tel);
    EXPECT_EQ(tel->number, "+1 555");

    struct SmsCase {
        std::string text;
        std::string number;
        Opt body;
    };
    const std::vector<SmsCase> sms = {
        {"sms:+123;x?body=hi&z=1", "+123", "hi"},
        {"sms:123?foo=1", "123", std::nullopt},
        {"SMS:123?a=1&body=x%20y", "123", "x%20y"},
        {"sms:456", "456", std::nullopt},
        {"SMSTO:123:a:b", "123", "a:b"},
        {"smsto:123", "123", std::nullopt},
    };
    for (const auto& c : sms) {
        auto result = parseAs<SMSParsedResult>(c.text);
        ASSERT_TRUE(result) << c.text;
        EXPECT_EQ(result->number, c.number) << c.text;
        EXPECT_EQ(result->body, c.body) << c.text;
    }

    auto geo = parseAs<GeoParsedResult>("GEO:48.85,2.35?q=x");
    ASSERT_TRUE(geo);
    EXPECT_EQ(geo->location, "48.85,2.35?q=x");
}

TEST(ResultParsers, UrlFamily) {
    struct Case {
        const char* rule;
        std::string text;
        std::string urlString;
        Opt title;
        bool parsed;
    };
    const std::vector<Case> cases = {
        {"bookmark", "MEBKM:TITLE:Home;URL:http://a.b/c;;", "http://a.b/c", "Home", true},
        {"URLTO with title", "URLTO:Home:tel:1", "tel:1", "Home", true},
        {"URLTO without a second colon falls to rule 15", "URLTO:Home", "urlto:Home", std::nullopt,
         true},
        {"URL: prefix without a colon in the rest", "URL:abc", "http://abc", std::nullopt, true},
        {"URL: prefix that does not parse", "url:a b", "http://a b", std::nullopt, false},
        {"scheme lower-cased, rest kept", "HTTP://Example.com/A", "http://Example.com/A",
         std::nullopt, true},
    };
    for (const auto& c : cases) {
        auto result = parseAs<URIParsedResult>(c.text);
        if (!result) {
            ADD_FAILURE() << c.rule;
            continue;
        }
        EXPECT_EQ(result->urlString, c.urlString) << c.rule;
        EXPECT_EQ(result->title, c.title) << c.rule;
        EXPECT_EQ(result->URL.has_value(), c.parsed) << c.rule;
    }
    // Unclosed bookmark fields: no "URL:" field, so no bookmark; the text has a
    // space, so it is no URI either.
    EXPECT_TRUE(parseAs<TextParsedResult>("MEBKM:TITLE:a b;URL:http://x"));
    // A colon but not a URL the platform accepts.
    EXPECT_TRUE(parseAs<TextParsedResult>("a:<b>"));
    EXPECT_TRUE(parseAs<TextParsedResult>("abc"));
}

TEST(ResultParsers, FormatDependentCodes) {
    EXPECT_TRUE(parseAs<TextParsedResult>("9780306406157", ResultParser::formatNone));
    auto isbn = parseAs<ISBNParsedResult>("9790306406157", ResultParser::formatEAN13);
    ASSERT_TRUE(isbn);
    EXPECT_EQ(isbn->value, "9790306406157");

    struct Case {
        const char* rule;
        std::string text;
        int format;
        std::string normalized;
    };
    const std::vector<Case> cases = {
        {"EAN-13 not an ISBN", "4006381333931", ResultParser::formatEAN13, "4006381333931"},
        {"UPC-A kept", "036000291452", ResultParser::formatUPCA, "036000291452"},
        {"EAN-8 kept", "96385074", ResultParser::formatEAN8, "96385074"},
        {"UPC-E expanded", "01234565", ResultParser::formatUPCE, "012345000065"},
        {"short UPC-E text kept as it is", "12", ResultParser::formatUPCE, "12"},
        {"UPC-E not starting with 0 or 1 kept", "21234565", ResultParser::formatUPCE, "21234565"},
        {"empty text passes", "", ResultParser::formatUPCE, ""},
    };
    for (const auto& c : cases) {
        auto result = parseAs<ProductParsedResult>(c.text, c.format);
        if (!result) {
            ADD_FAILURE() << c.rule;
            continue;
        }
        EXPECT_EQ(result->productID, c.text) << c.rule;
        EXPECT_EQ(result->normalizedProductID, c.normalized) << c.rule;
    }
    EXPECT_TRUE(parseAs<TextParsedResult>("12a4", ResultParser::formatEAN8));
}

struct CardCase {
    const char* rule;
    std::string text;
    OptStrings names;
    OptStrings phoneNumbers;
    OptStrings emails;
    OptStrings addresses;
    Opt note, organization, birthday, jobTitle, url, pronunciation;
};

TEST(ResultParsers, ContactCards) {
    const std::vector<CardCase> cases = {
        {"MECARD",
         "MECARD:N:Doe,John;SOUND:jon;TEL: 1 ;TEL:2;EMAIL:j@d.o;NOTE: n ;ADR:here;"
         "BDAY:19700101;URL:http://d.o;ORG:Acme;TITLE: Boss ;;",
         Strings{"Doe,John"}, Strings{"1", "2"}, Strings{"j@d.o"}, Strings{"here"}, " n ", "Acme",
         "19700101", " Boss ", "http://d.o", "jon"},
        {"MECARD birthday must be 8 digits",
         "MECARD:N:A;BDAY:1970-01-01;;",
         Strings{"A"},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
        {"MECARD empty name counts",
         "MECARD:N:;;",
         Strings{""},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
        {"MEMORY",
         "MEMORY:a note\r\nNAME1:Ann Lee\r\nNAME2:an\r\nTEL1:1\r\nTEL2:2\r\nMAIL1:a@b\r\n"
         "ADD:Street 1\r\n",
         Strings{"Ann Lee"},
         Strings{"1", "2"},
         Strings{"a@b"},
         Strings{"Street 1"},
         "a note",
         {},
         {},
         {},
         {},
         "an"},
        {"MEMORY matches without fields", "MEMORY\r\n", {}, {}, {}, {}, {}, {}, {}, {}, {}, {}},
        {"MEMORY before vCard",
         "BEGIN:VCARD\r\nFN:X\r\nNOTE:MEMORY\r\nEND:VCARD\r\n",
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
        {"vCard",
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;Q;Dr;Jr\r\nTEL;TYPE=cell:123\r\n"
         "TEL:456\r\nEMAIL:j@d.o\r\nADR;TYPE=home:;;1 Main St;Town;;\r\nORG: Acme \r\n"
         "BDAY:1970-01-01\r\nTITLE:Boss\r\nURL:http://d.o\r\n"
         "NOTE;ENCODING=QUOTED-PRINTABLE:a=3Db\r\nEND:VCARD\r\n",
         Strings{"Dr John Q Doe Jr"},
         Strings{"123", "456"},
         Strings{"j@d.o"},
         Strings{"1 Main St Town"},
         "a=b",
         "Acme",
         "1970-01-01",
         "Boss",
         "http://d.o",
         {}},
        {"vCard FN wins, bad date dropped",
         "BEGIN:VCARD\nFN:John Doe\nN:Doe;John\nBDAY:1970/01/01\nEND:VCARD\n",
         Strings{"John Doe"},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
        {"BIZCARD without B: has no phones",
         "BIZCARD:N:A;M:1;F:2;;",
         Strings{"A"},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
        {"BIZCARD with B:",
         "BIZCARD:N:A;X:B;T:Boss;C:Acme;A:here;B:0;F:2;E:a@b.c;;",
         Strings{"A B"},
         Strings{"0", "2"},
         Strings{"a@b.c"},
         Strings{"here"},
         {},
         "Acme",
         {},
         "Boss",
         {},
         {}},
        {"BIZCARD last name only",
         "BIZCARD:X:Lee;;",
         Strings{"Lee"},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {},
         {}},
    };
    for (const auto& c : cases) {
        auto card = parseAs<BusinessCardParsedResult>(c.text);
        if (!card) {
            ADD_FAILURE() << c.rule;
            continue;
        }
        EXPECT_EQ(card->names, c.names) << c.rule;
        EXPECT_EQ(card->phoneNumbers, c.phoneNumbers) << c.rule;
        EXPECT_EQ(card->emails, c.emails) << c.rule;
        EXPECT_EQ(card->addresses, c.addresses) << c.rule;
        EXPECT_EQ(card->note, c.note) << c.rule;
        EXPECT_EQ(card->organization, c.organization) << c.rule;
        EXPECT_EQ(card->birthday, c.birthday) << c.rule;
        EXPECT_EQ(card->jobTitle, c.jobTitle) << c.rule;
        EXPECT_EQ(card->url, c.url) << c.rule;
        EXPECT_EQ(card->pronunciation, c.pronunciation) << c.rule;
    }
    // A MECARD without an "N:" field or a MATMSG without "TO:" falls through.
    EXPECT_TRUE(parseAs<TextParsedResult>("MECARD:TEL:1 2;;"));
    EXPECT_TRUE(parseAs<TextParsedResult>("MATMSG:SUB:a b;;"));
}

TEST(ResultParsers, RegistriesHoldEveryParserInAFixedOrder) {
    std::vector<std::string_view> universal;
    for (const auto& parserClass : UniversalResultParser::parserClasses()) {
        universal.push_back(parserClass.name);
    }
    const std::vector<std::string_view> expected = {"BookmarkDoCoMoResultParser",
                                                    "MeCardParser",
                                                    "EmailDoCoMoResultParser",
                                                    "AddressBookAUResultParser",
                                                    "VCardResultParser",
                                                    "BizcardResultParser",
                                                    "EmailAddressResultParser",
                                                    "PlainEmailResultParser",
                                                    "SMTPResultParser",
                                                    "TelResultParser",
                                                    "SMSResultParser",
                                                    "SMSTOResultParser",
                                                    "GeoResultParser",
                                                    "URLTOResultParser",
                                                    "URLResultParser",
                                                    "ISBNResultParser",
                                                    "ProductResultParser",
                                                    "TextResultParser"};
    EXPECT_EQ(universal, expected);

    std::vector<std::string_view> registered;
    for (const auto& parserClass : ResultParser::resultParsers()) {
        registered.push_back(parserClass.name);
    }
    EXPECT_EQ(registered, std::vector<std::string_view>(expected.begin(), expected.end() - 1));

    // Registering again keeps the set as it is; the registered set answers a
    // text result when no parser knows the text.
    ResultParser::registerResultParserClass(ResultParser::resultParsers().front());
    EXPECT_EQ(ResultParser::resultParsers().size(), 17u);
    EXPECT_EQ(ResultParser::parsedResultForString("plain words")->className(), "TextParsedResult");
    EXPECT_EQ(ResultParser::parsedResultForString("tel:1")->className(), "TelParsedResult");

    // The class registry knows every parser by name.
    auto& classes = foundation::ClassRegistry::shared();
    EXPECT_EQ(classes.info("SMSResultParser")->superclassName, "ResultParser");
    EXPECT_EQ(classes.info("TelResultParser")->superclassName, "");
    EXPECT_TRUE(classes.exists("TextResultParser"));
}

TEST(ResultParsers, QueryStrings) {
    auto query = ResultParser::dictionaryForQueryString("a=1&b=x+y&bad=%G1&noequals&a=2&e=&=v");
    EXPECT_EQ(query,
              (std::map<std::string, std::string>{{"a", "2"}, {"b", "x y"}, {"e", ""}, {"", "v"}}));
    EXPECT_EQ(ResultParser::urlDecode("%E2%82%AC+1"), "€ 1");
    EXPECT_EQ(ResultParser::urlDecode("%"), std::nullopt);
}

}  // namespace
