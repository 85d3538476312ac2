#include <gtest/gtest.h>

#include <algorithm>

#include <unicode/locid.h>
#include <unicode/timezone.h>

#include "model/Action.h"
#include "model/Barcode.h"
#include "model/BarcodeEmail.h"
#include "model/BarcodeStore.h"
#include "model/DefaultTables.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Window.h"
#include "tests/model/RFC4180Reader.h"

namespace {

using services::MailComposeResult;
using services::MailComposeViewController;

constexpr int kEAN13 = 13;
constexpr int kQRCode = 64;
// 2023-11-14 23:13:20 in Berlin (+0100).
constexpr double kWinter = 1700000000.0;
// 2023-06-29 02:53:20 in Berlin (+0200).
constexpr double kSummer = 1688000000.0;

// A fresh store with the default Actions and Classifications, in Berlin
// with an American locale so that dates are fixed.
class BarcodeEmailTest : public testing::Test {
  protected:
    void SetUp() override {
        savedZone_.reset(icu::TimeZone::createDefault());
        savedLocale_ = icu::Locale::getDefault();
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("Europe/Berlin"));
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale("en_US"), status);
        foundation::Error error;
        context_ = BarcodeStore::openContext(BarcodeStore::storePath(), &error);
        ASSERT_TRUE(context_) << error.localizedDescription;
        clock_.advance(0.2);
        ui::AlertCenter::shared().reset();
    }
    void TearDown() override {
        // An open composer keeps its exporter: close every one.
        for (const auto& mailer : mailers_) {
            if (mailer->mailComposeDelegate()) {
                mailer->finish(MailComposeResult::cancelled);
            }
        }
        icu::TimeZone::setDefault(*savedZone_);
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(savedLocale_, status);
    }

    std::shared_ptr<Barcode> code(int type, const std::string& data, double date,
                                  const std::string& name = "") {
        auto barcode = context_->insertNewObject<Barcode>("Barcode");
        barcode->setType(type);
        barcode->setData(data);
        barcode->setDate(foundation::Date::fromTimeIntervalSince1970(date));
        barcode->setName(name);
        return barcode;
    }

    // Exports the codes in order; the composer holds what was sent.
    MailComposeViewController::Ptr mail(const std::vector<std::shared_ptr<Barcode>>& codes) {
        auto email = BarcodeEmail::make(*context_, "These are the barcodes");
        EXPECT_TRUE(email);
        if (!email) {
            return nullptr;
        }
        for (const auto& barcode : codes) {
            email->addBarcode(*barcode);
        }
        auto mailer = email->mailerWithSubject("Barcodes");
        if (mailer) {
            mailers_.push_back(mailer);
        }
        return mailer;
    }

    static std::string csv(const MailComposeViewController& mailer) {
        const auto& data = mailer.attachments().at(0).data;
        return std::string(data.begin(), data.end());
    }

    foundation::ManualClock clock_;
    std::shared_ptr<store::Context> context_;
    std::vector<MailComposeViewController::Ptr> mailers_;
    std::unique_ptr<icu::TimeZone> savedZone_;
    icu::Locale savedLocale_;
};

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<html><body><p>These are the barcodes I scanned "
    "with <a href=\"http://zbar.example.org/iphone\">ZBar</a> on my iPhone.</p>";
const std::string kHeader =
    "\"Symbology\",\"Data\",\"Date\",\"Time Zone\",\"Description\",\"Links\",,,,,,,,";

TEST_F(BarcodeEmailTest, WritesTheBodyAndTheAttachmentOfAHistory) {
    const std::string isbn = "9780201633610";
    auto mailer = mail({code(kEAN13, isbn, kWinter),
                        code(kQRCode, "http://example.com/p?x=1&y=\"q\"", kSummer, "My page")});
    ASSERT_TRUE(mailer);
    EXPECT_EQ(mailer->subject(), "Barcodes");
    EXPECT_TRUE(mailer->isHTML());
    ASSERT_EQ(mailer->attachments().size(), 1u);
    EXPECT_EQ(mailer->attachments()[0].fileName, "barcodes.csv");
    EXPECT_EQ(mailer->attachments()[0].mimeType, "application/octet-stream");

    // The six GTIN-13 searches, in Action order.
    std::string searchItems;
    std::string searchFields;
    for (int i = 0; i < 6; ++i) {
        const std::string url = DefaultActions[i].url + isbn;
        const std::string name = DefaultActions[i].name;
        std::string escaped;
        for (char c : url) {
            escaped += c == '&' ? std::string("&amp;") : std::string(1, c);
        }
        searchItems += "<li><a href=\"" + escaped + "\">" + name + "</a></li>";
        searchFields += ",\"=HYPERLINK(\"\"" + url + "\"\",\"\"" + name + "\"\")\"";
    }
    EXPECT_EQ(mailer->messageBody(),
              kHead +
                  "<hr></hr><p style=\"padding: .25em\">EAN-13: 9780201633610<br></br>"
                  "<span style=\"font-size: small\">scanned on: November 14, 2023 at 11:13\u202fPM"
                  "</span></p><ul>" +
                  searchItems +
                  "</ul>"
                  "<hr></hr><p style=\"padding: .25em\">My page<br></br>QR-Code: "
                  "http://example.com/p?x=1&amp;y=&quot;q&quot;<br></br>"
                  "<span style=\"font-size: small\">scanned on: June 29, 2023 at 2:53\u202fAM"
                  "</span></p><ul><li><a href=\"http://example.com/p?x=1&amp;y=%22q%22\">Open "
                  "URL</a></li></ul>"
                  "<hr></hr></body></html>\n");
    // 14 columns: the Actions plus 4; rows shorter than that are padded.
    EXPECT_EQ(csv(*mailer),
              kHeader + "\r\n" + "\"EAN-13\",\"9780201633610\",\"2023/11/14 23:13:20\",\"+0100\"," +
                  searchFields + ",,," + "\r\n" +
                  "\"QR-Code\",\"http://example.com/p?x=1&y=\"\"q\"\"\",\"2023/06/29 02:53:20\","
                  "\"+0200\",\"My page\","
                  "\"=HYPERLINK(\"\"http://example.com/p?x=1&y=%22q%22\"\",\"\"Open URL\"\")\""
                  ",,,,,,,,");
}

TEST_F(BarcodeEmailTest, AnEmptyHistoryGivesTheIntroAndAHeaderOnly) {
    auto mailer = mail({});
    ASSERT_TRUE(mailer);
    EXPECT_EQ(mailer->messageBody(), kHead + "<hr></hr></body></html>\n");
    EXPECT_EQ(csv(*mailer), kHeader);
}

TEST_F(BarcodeEmailTest, ReadsBackFieldByFieldWithFormulasDisarmed) {
    struct Case {
        const char* rule;
        std::string data;
        std::string name;
        std::string dataField;
        std::string nameField;
    };
    const Case cases[] = {
        {"a formula in the data", "=1+2", "", "'=1+2", ""},
        {"a plus sign", "+49 30 1234", "", "'+49 30 1234", ""},
        {"a minus sign", "-5", "", "'-5", ""},
        {"an at sign", "@SUM(A1)", "", "'@SUM(A1)", ""},
        {"a hyperlink in the data", "=HYPERLINK(\"http://x\",\"y\")", "",
         "'=HYPERLINK(\"http://x\",\"y\")", ""},
        {"a formula in the title", "plain", "=cmd|' /C calc'!A0", "plain", "'=cmd|' /C calc'!A0"},
        {"a sign inside is harmless", "a=b-c", "x@y", "a=b-c", "x@y"},
        {"quotes and commas", "say \"hi\", twice", "a,\"b\"", "say \"hi\", twice", "a,\"b\""},
        {"line breaks", "one\r\ntwo\nthree", "multi\nline", "one\r\ntwo\nthree", "multi\nline"},
        {"non-ASCII text", "Grüße 日本語 🙂", "Título", "Grüße 日本語 🙂", "Título"},
    };
    std::vector<std::shared_ptr<Barcode>> codes;
    for (const auto& c : cases) {
        codes.push_back(code(kQRCode, c.data, kWinter, c.name));
    }
    auto mailer = mail(codes);
    ASSERT_TRUE(mailer);
    auto records = readRFC4180(csv(*mailer));
    ASSERT_TRUE(records) << csv(*mailer);
    ASSERT_EQ(records->size(), std::size(cases) + 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& record = (*records)[i + 1];
        ASSERT_EQ(record.size(), 14u) << cases[i].rule;
        EXPECT_EQ(record[0], "QR-Code") << cases[i].rule;
        EXPECT_EQ(record[1], cases[i].dataField) << cases[i].rule;
        EXPECT_EQ(record[2], "2023/11/14 23:13:20") << cases[i].rule;
        EXPECT_EQ(record[3], "+0100") << cases[i].rule;
        EXPECT_EQ(record[4], cases[i].nameField) << cases[i].rule;
    }
    // The body shows the data as it was scanned.
    EXPECT_NE(mailer->messageBody().find("QR-Code: =1+2<br></br>"), std::string::npos);
}

TEST_F(BarcodeEmailTest, TheExportedLinkStaysAFormulaBesideDisarmedData) {
    auto mailer = mail({code(kQRCode, "-http://example.com/", kWinter)});
    ASSERT_TRUE(mailer);
    auto records = readRFC4180(csv(*mailer));
    ASSERT_TRUE(records);
    EXPECT_EQ((*records)[1][1], "'-http://example.com/");
    EXPECT_EQ((*records)[1][5], "=HYPERLINK(\"-http://example.com/\",\"Open URL\")");
}

TEST_F(BarcodeEmailTest, AnActionBoundTwiceLinksTheValueOfTheFirstClassification) {
    // A UPC-A code has a GTIN-13 value (index 6) and a UPC-A value (index 11).
    auto byName = Classification::classesByNameInContext(*context_);
    auto action = context_->insertNewObject<Action>("Action");
    action->setIndex(10);
    action->setName("Both");
    action->setUrl("u:");
    action->addClassesObject(byName.at("UPC-A"));
    action->addClassesObject(byName.at("GTIN-13"));
    auto mailer = mail({code(12, "036000291452", kWinter)});
    ASSERT_TRUE(mailer);
    auto records = readRFC4180(csv(*mailer));
    ASSERT_TRUE(records);
    const auto& row = (*records)[1];
    ASSERT_EQ(row.size(), 15u);
    EXPECT_EQ(row[11], "=HYPERLINK(\"u:0036000291452\",\"Both\")");
    EXPECT_EQ(std::count(mailer->messageBody().begin(), mailer->messageBody().end(), '\n'), 2)
        << "no line breaks beside the declaration and the end";
    EXPECT_NE(mailer->messageBody().find("<li><a href=\"u:0036000291452\">Both</a></li></ul>"),
              std::string::npos);
}

TEST_F(BarcodeEmailTest, TheExporterLivesUntilTheComposerFinishes) {
    struct Case {
        MailComposeResult result;
        bool alert;
    };
    auto list = std::make_shared<ui::ViewController>();
    auto window = ui::Window::make();
    window->setRootViewController(list);
    window->makeKeyAndVisible();
    for (const Case c :
         {Case{MailComposeResult::cancelled, false}, Case{MailComposeResult::saved, false},
          Case{MailComposeResult::sent, false}, Case{MailComposeResult::failed, true}}) {
        ui::AlertCenter::shared().reset();
        std::weak_ptr<BarcodeEmail> weak;
        MailComposeViewController::Ptr mailer;
        {
            auto email = BarcodeEmail::make(*context_, "intro");
            ASSERT_TRUE(email);
            weak = email;
            mailer = email->mailerWithSubject("Barcodes");
        }
        ASSERT_TRUE(mailer);
        list->presentModalViewController(mailer, true);
        clock_.advance(0.5);
        EXPECT_FALSE(weak.expired()) << "kept while the composer is open";
        mailer->finish(c.result, foundation::Error{"MFMailComposeErrorDomain", 1, "Not sent"});
        EXPECT_TRUE(weak.expired());
        clock_.advance(0.5);
        EXPECT_FALSE(list->presentedViewController()) << "the composer is dismissed";
        EXPECT_FALSE(mailer->mailComposeDelegate());
        auto alert = ui::AlertCenter::shared().topAlert();
        ASSERT_EQ(alert != nullptr, c.alert) << static_cast<int>(c.result);
        if (alert) {
            EXPECT_EQ(alert->title(), "Not sent");
            EXPECT_EQ(alert->buttonTitles(), std::vector<std::string>{"Dismiss"});
        }
    }
}

TEST_F(BarcodeEmailTest, NoComposerWhenMailCannotBeSent) {
    MailComposeViewController::setCanSendMail(false);
    std::weak_ptr<BarcodeEmail> weak;
    {
        auto email = BarcodeEmail::make(*context_, "intro");
        ASSERT_TRUE(email);
        weak = email;
        email->addBarcode(*code(kEAN13, "9780201633610", kWinter));
        EXPECT_FALSE(email->mailerWithSubject("Barcodes"));
        email->addBarcode(*code(kEAN13, "9780201633610", kWinter));
        EXPECT_FALSE(email->mailerWithSubject("Barcodes")) << "spent";
    }
    EXPECT_TRUE(weak.expired()) << "nothing keeps the exporter";
}

}  // namespace
