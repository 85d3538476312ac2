#include <gtest/gtest.h>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMAdapterHTML.h"
#include "platform/foundation/RunLoop.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"

namespace {

class GADMAdapterHTMLTest : public testing::Test {
  protected:
    void SetUp() override { manager->setDelegate(delegate); }
    void TearDown() override { foundation::RunLoop::main().runUntilIdle(); }

    // One HTML network then nothing, for a banner; "data" as given.
    void mediate(const std::string& data, const std::string& adType = "banner") {
        std::optional<GADRequestError> error;
        auto config = GADMConfig::make(
            "unit-1",
            *GADMacros::readJsonIntoDictionary(
                R"({"ad_type": ")" + adType +
                R"(", "ad_networks": [{"id": "h", "adapters": ["GADMAdapterHTML"], "data": )" +
                data + "}]}"),
            error);
        manager->mediateForAdType(config->adType(), config);
    }
    std::shared_ptr<GADMAdapterHTML> adapter() const {
        auto connector = manager->requestingConnector();
        return connector ? std::dynamic_pointer_cast<GADMAdapterHTML>(connector->adapter())
                         : nullptr;
    }
    void waitForOutcome() {
        foundation::RunLoop::main().runUntil([&] { return !delegate->events.empty(); }, 20);
    }

    mediation_test::PingServer pings;
    std::shared_ptr<mediation_test::RecordingMediationDelegate> delegate =
        std::make_shared<mediation_test::RecordingMediationDelegate>();
    std::shared_ptr<GADMAdManager> manager = std::make_shared<GADMAdManager>();
};

TEST_F(GADMAdapterHTMLTest, DrawnPageIsTheBanner) {
    mediate(
        R"({"adxtym_html": "<body style='margin:0'><div style='width:320px;height:50px;background:#f00'></div></body>"})");
    std::shared_ptr<GADMAdapterHTML> html = adapter();
    ASSERT_TRUE(html);
    ASSERT_TRUE(html->webView());
    EXPECT_EQ(html->webView()->frame(), graphics::Rect(0, 0, 320, 50));
    EXPECT_FALSE(html->webView()->isOpaque());
    waitForOutcome();
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
    EXPECT_EQ(delegate->lastView, html->webView());
    EXPECT_EQ(delegate->exitCodes, std::vector<std::int64_t>{0});
}

TEST_F(GADMAdapterHTMLTest, BadCredentialsAndInterstitialsFailAtOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"adxtym_html": "<p>x</p>", "adxtym_passback_url": ""})", "banner"},
        {R"({"adxtym_html": "<p>x</p>", "adxtym_passback_url": "http://[bad"})", "banner"},
        {R"({"adxtym_html": ""})", "banner"},
        {R"({})", "banner"},
        {R"({"adxtym_html": "<p>x</p>"})", "interstitial"},
    };
    for (const auto& [data, adType] : cases) {
        delegate->events.clear();
        delegate->exitCodes.clear();
        mediate(data, adType);
        EXPECT_EQ(delegate->exitCodes, std::vector<std::int64_t>{2}) << data;
        EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"}) << data;
    }
}

TEST_F(GADMAdapterHTMLTest, PassbackMeansNoFill) {
    const char* cases[] = {
        R"({"adxtym_html": "<body><script>location.href = 'passback://none';</script></body>"})",
        R"({"adxtym_passback_url": "http://network.test/pb/",
            "adxtym_html": "<body><script>location.href = 'http://network.test/pb?x=1';</script></body>"})",
    };
    for (const char* data : cases) {
        delegate->events.clear();
        delegate->exitCodes.clear();
        mediate(data);
        waitForOutcome();
        EXPECT_EQ(delegate->exitCodes, std::vector<std::int64_t>{1}) << data;
        EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"}) << data;
    }
}

TEST(GADMAdapterHTML, PathsMatchWithOneTrailingSlash) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"/pb", "/pb", true},    {"/pb/", "/pb", true}, {"/pb", "/pb/", true},
        {"/pb//", "/pb", false}, {"/pb", "/pc", false}, {"", "/", true},
    };
    for (const auto& [path, other, equivalent] : cases) {
        EXPECT_EQ(GADMAdapterHTML::isPathEquivalentToPath(path, other), equivalent)
            << path << " " << other;
    }
}

}  // namespace
