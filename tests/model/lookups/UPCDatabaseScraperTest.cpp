#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

#include "model/lookups/UPCDatabaseScraper.h"
#include "platform/foundation/ApplicationHome.h"
#include "tests/model/lookups/LookupFixture.h"

namespace {

constexpr int kEAN13 = 13;
constexpr int kQRCode = 64;

std::string member(const std::string& name, const std::string& type, const std::string& value) {
    return "<member><name>" + name + "</name><value><" + type + ">" + value + "</" + type +
           "></value></member>";
}

std::string response(const std::string& members, const std::string& prolog = "") {
    return "<?xml version=\"1.0\"?>" + prolog + "<methodResponse><params><param><value><struct>" +
           members + "</struct></value></param></params></methodResponse>";
}

// A product database on the loopback interface answering every call with
// the reply the test sets, recording the last request.
class UPCDatabaseScraperTest : public LookupFixture {
  protected:
    void SetUp() override {
        LookupFixture::SetUp();
        server_.server().Post("/rpc",
                              [this](const httplib::Request& request, httplib::Response& answer) {
                                  std::lock_guard lock(mutex_);
                                  body_ = request.body;
                                  contentType_ = request.get_header_value("Content-Type");
                                  answer.set_content(reply_, "text/xml");
                              });
        server_.start();
    }

    // Looks the code up and runs the loop until the lookup has ended; answers
    // the name it got.
    std::string lookUp(const std::string& reply) {
        {
            std::lock_guard lock(mutex_);
            reply_ = reply;
        }
        auto barcode = code(kEAN13, "4006381333931");
        std::weak_ptr<UPCDatabaseScraper> scraper =
            UPCDatabaseScraper::make(barcode, server_.url("/rpc"));
        EXPECT_FALSE(scraper.expired());
        EXPECT_TRUE(runUntilEnded(scraper));
        return barcode->name();
    }

    std::mutex mutex_;
    std::string reply_;
    std::string body_;
    std::string contentType_;
};

TEST_F(UPCDatabaseScraperTest, PostsTheLookupCallWithTheGTIN13) {
    EXPECT_EQ(lookUp(response(member("found", "boolean", "1") +
                              member("description", "string", "Hazelnut spread"))),
              "Hazelnut spread");
    std::lock_guard lock(mutex_);
    EXPECT_EQ(contentType_, "text/xml");
    EXPECT_EQ(body_,
              "<methodCall><methodName>lookupEAN</methodName><params><param><value><string>"
              "4006381333931</string></value></param></params></methodCall>");
}

TEST_F(UPCDatabaseScraperTest, NamesTheCodeOnlyFromAFoundStringDescription) {
    const std::string secretFile = foundation::ApplicationHome::documents() + "/secret.txt";
    std::ofstream(secretFile) << "TOP-SECRET";
    struct Case {
        const char* rule;
        std::string reply;
        std::string name;
    };
    const std::vector<Case> cases = {
        {"a negative found ends the lookup before the description",
         response(member("found", "boolean", "0") + member("description", "string", "Soap")), ""},
        {"found must be a boolean",
         response(member("found", "int", "1") + member("description", "string", "Soap")), ""},
        {"a description of another type is ignored",
         response(member("found", "boolean", "1") + member("description", "base64", "U29hcA==")),
         ""},
        {"other members are ignored, names compare without case",
         response("<MEMBER><NAME>size</NAME><VALUE><string>1 l</string></VALUE></MEMBER>" +
                  member("description", "string", "Milk")),
         "Milk"},
        {"predefined entities are text",
         response(member("description", "string", "Salt &amp; pepper")), "Salt & pepper"},
        {"an external entity is never loaded",
         response(
             member("description", "string", "&leak;"),
             "<!DOCTYPE methodResponse [<!ENTITY leak SYSTEM \"file://" + secretFile + "\">]>"),
         ""},
        {"a declared entity is not substituted",
         response(member("description", "string", "&word;"),
                  "<!DOCTYPE methodResponse [<!ENTITY word \"Injected\">]>"),
         ""},
        {"a broken reply names nothing", "<methodResponse><member><name>descr", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookUp(c.reply), c.name) << c.rule;
    }
}

TEST_F(UPCDatabaseScraperTest, NeedsAGTIN13AndAReachableDatabase) {
    EXPECT_EQ(UPCDatabaseScraper::make(code(kQRCode, "hello"), server_.url("/rpc")), nullptr);
    EXPECT_EQ(UPCDatabaseScraper::make(nullptr), nullptr);

    server_.stop();
    auto barcode = code(kEAN13, "4006381333931");
    std::weak_ptr<UPCDatabaseScraper> scraper =
        UPCDatabaseScraper::make(barcode, server_.url("/rpc"));
    EXPECT_TRUE(runUntilEnded(scraper));
    EXPECT_EQ(barcode->name(), "");
}

}  // namespace
