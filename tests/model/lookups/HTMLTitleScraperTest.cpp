#include <gtest/gtest.h>

#include "model/lookups/HTMLTitleScraper.h"
#include "tests/model/lookups/LookupFixture.h"

namespace {

constexpr int kQRCode = 64;
constexpr int kEAN13 = 13;

class HTMLTitleScraperTest : public LookupFixture {
  protected:
    void SetUp() override {
        LookupFixture::SetUp();
        server_.server().Get("/page", [this](const httplib::Request&, httplib::Response& answer) {
            answer.set_content(page_, "text/html");
        });
        server_.start();
    }

    std::string lookUp(const std::string& page) {
        page_ = page;
        auto barcode = code(kQRCode, server_.url("/page"));
        std::weak_ptr<HTMLTitleScraper> scraper = HTMLTitleScraper::make(barcode);
        EXPECT_FALSE(scraper.expired());
        EXPECT_TRUE(runUntilEnded(scraper));
        return barcode->name();
    }

    std::string page_;
};

TEST_F(HTMLTitleScraperTest, TakesTheTitleOfTheHeadOnly) {
    struct Case {
        const char* rule;
        const char* page;
        const char* name;
    };
    const Case cases[] = {
        {"the head's title", "<html><head><title>Corner shop</title></head><body>x</body></html>",
         "Corner shop"},
        {"an implied head", "<title>Bare page</title><p>text</p>", "Bare page"},
        {"markup inside the title keeps its text",
         "<html><HEAD><TITLE>Caf&eacute; <b>menu</b></TITLE></HEAD></html>", "Caf\u00e9 menu"},
        {"a head without a title", "<html><head><meta charset='utf-8'></head><body>x</body></html>",
         ""},
        {"a title outside the head", "<html><head></head><body><title>Late</title></body></html>",
         ""},
        {"an empty title", "<html><head><title></title></head></html>", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookUp(c.page), c.name) << c.rule;
    }
}

TEST_F(HTMLTitleScraperTest, NeedsACodeHoldingAURL) {
    EXPECT_EQ(HTMLTitleScraper::make(code(kEAN13, "4006381333931")), nullptr);
    EXPECT_EQ(HTMLTitleScraper::make(code(kQRCode, "just words")), nullptr);
}

}  // namespace
