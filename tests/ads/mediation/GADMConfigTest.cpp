#include <gtest/gtest.h>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMConfig.h"
#include "platform/foundation/JSON.h"
#include "tests/ads/mediation/TestAdapters.h"

namespace {

class LogLines : public GADLogChecker {
  public:
    void message(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

foundation::Dictionary parse(const std::string& json) {
    return *GADMacros::readJsonIntoDictionary(json);
}

class GADMConfigTest : public testing::Test {
  protected:
    void SetUp() override {
        mediation_test::registerTestAdapters();
        GADMacros::setLogChecker(log);
    }
    void TearDown() override { GADMacros::setLogChecker(nullptr); }

    std::shared_ptr<GADMConfig> make(const std::string& json) {
        return GADMConfig::make("unit-1", parse(json), error);
    }

    std::shared_ptr<LogLines> log = std::make_shared<LogLines>();
    std::optional<GADRequestError> error;
};

TEST_F(GADMConfigTest, SettingsAndTheirDefaults) {
    struct Case {
        const char* settings;
        double refresh;
        double timeout;
        std::int64_t animation;
    };
    const Case cases[] = {
        {R"({})", 0, 10.0, 8},
        {R"({"refresh": 29999})", 29999, 10.0, 8},
        {R"({"refresh": 30000})", 0, 10.0, 8},  // 30000 and above turn refresh off
        {R"({"refresh": 45000})", 0, 10.0, 8},
        {R"({"refresh": "60"})", 60, 10.0, 8},  // a number given as text
        {R"({"refresh": [60]})", 0, 10.0, 8},   // wrong type keeps the default
        {R"({"ad_network_timeout_millis": 2500})", 0, 2.5, 8},
        {R"({"ad_network_timeout_millis": 0})", 0, 10.0, 8},  // would time out at once
        {R"({"ad_network_timeout_millis": -5})", 0, 10.0, 8},
        {R"({"ad_transition_anim": 0})", 0, 10.0, 0},
        {R"({"ad_transition_anim": 9})", 0, 10.0, 8},
        {R"({"ad_transition_anim": -1})", 0, 10.0, 8},
    };
    for (const Case& c : cases) {
        auto config = make(std::string(R"({"ad_networks": [], "settings": )") + c.settings + "}");
        ASSERT_TRUE(config) << c.settings;
        EXPECT_EQ(config->refreshInterval(), c.refresh) << c.settings;
        EXPECT_EQ(config->adNetworkTimeout(), c.timeout) << c.settings;
        EXPECT_EQ(config->bannerAnimationType(), c.animation) << c.settings;
    }
}

TEST_F(GADMConfigTest, AdTypesAreMatchedExactly) {
    const std::pair<const char*, GADAdSize> banners[] = {
        {"banner", {{320, 50}, 0}},
        {"largebanner", {{320, 100}, 0}},
        {"mrec", {{300, 250}, 0}},
        {"fullbanner", {{468, 60}, 0}},
        {"leaderboard", {{728, 90}, 0}},
        {"skyscraper", {{120, 600}, 0}},
        {"Banner", {{-1, -1}, 0}},  // case matters: invalid
        {"", {{-1, -1}, 0}},
    };
    for (const auto& [text, size] : banners) {
        auto type = GADMConfig::adTypeFromString(std::string(text));
        EXPECT_FALSE(type->isInterstitial()) << text;
        EXPECT_TRUE(GADAdSizeIsEqualToAdSize(type->adSize(), size)) << text;
    }
    EXPECT_TRUE(GADMConfig::adTypeFromString(std::string("interstitial"))->isInterstitial());
    EXPECT_FALSE(make(R"({"ad_networks": [], "ad_type": 3})")->adType()->isValid());
    EXPECT_FALSE(make(R"({"ad_networks": []})")->adType()->isValid());
}

TEST_F(GADMConfigTest, ResponseFields) {
    auto config = make(R"({"ad_type": "banner", "qdata": "q&1", "settings": {
        "imp_urls": ["http://i"], "click_urls": [], "nofill_urls": "not a list"},
        "ad_networks": [
          "skipped", 5,
          {"id": 12345, "data": {"pubid": "pub-1"}, "extras": {"e": "1"}, "ad": {"a": 1},
           "allocation_id": 77, "imp_urls": ["http://n"], "adapters": ["TestFillingAdapter"]},
          {"id": "", "adapters": ["TestSilentAdapter"], "allocation_id": {"x": 1}}]})");
    ASSERT_TRUE(config) << error->localizedDescription();
    EXPECT_FALSE(error);
    EXPECT_EQ(config->appKey(), "unit-1");
    EXPECT_EQ(config->qdata(), "q&1");
    EXPECT_EQ(config->impressionURLs(), foundation::Array{"http://i"});
    EXPECT_EQ(config->clickURLs(), foundation::Array{});
    EXPECT_FALSE(config->noFillURLs());
    ASSERT_EQ(config->adNetworkConfigs().size(), 2u);
    const auto& first = *config->adNetworkConfigs()[0];
    EXPECT_EQ(first.networkID(), "12345");
    EXPECT_EQ(first.publisherID(), "pub-1");
    EXPECT_EQ(first.extras(), (foundation::Dictionary{{"e", "1"}}));
    EXPECT_EQ(first.ad(), (foundation::Dictionary{{"a", 1}}));
    // Values inserted into pings as text: numbers become their text, other
    // values are dropped.
    EXPECT_EQ(first.allocationID(), "77");
    EXPECT_EQ(first.impressionURLs(), foundation::Array{"http://n"});
    ASSERT_TRUE(first.adapterClass());
    EXPECT_EQ(first.adapterClass()->name(), "TestFillingAdapter");
    EXPECT_EQ(first.description(), "networkID:12345 adapter:TestFillingAdapter data:pub-1");
    EXPECT_EQ(config->adNetworkConfigs()[1]->networkID(), "");
    EXPECT_FALSE(config->adNetworkConfigs()[1]->allocationID());
    EXPECT_FALSE(make(R"({"ad_networks": [], "qdata": {"x": 1}})")->qdata());
    EXPECT_EQ(make(R"({"ad_networks": [], "qdata": 42})")->qdata(), "42");
}

TEST_F(GADMConfigTest, ResponseErrorsEndParsing) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({})", "Request Error: The mediation response was invalid."},
        {R"({"ad_networks": {}})", "Request Error: The mediation response was invalid."},
        {R"({"ad_networks": [{"adapters": ["TestFillingAdapter"]}]})",
         "The ZiZez Mediation response was invalid: An ad network config has no network ID."},
        {R"({"ad_networks": [{"id": ["x"]}]})",
         "The ZiZez Mediation response was invalid: An ad network config has an invalid network "
         "ID."},
    };
    for (const auto& [json, message] : cases) {
        EXPECT_FALSE(make(json)) << json;
        ASSERT_TRUE(error) << json;
        EXPECT_EQ(error->code(), kGADErrorMediationDataError) << json;
        EXPECT_EQ(error->localizedDescription(), message) << json;
    }
}

TEST_F(GADMConfigTest, AdapterSearch) {
    struct Case {
        const char* adapters;
        const char* found;   // "" for no adapter class
        const char* logged;  // "" for no log line
    };
    const Case cases[] = {
        // An unknown name is skipped.
        {R"(["NoSuchAdapter", "TestSilentAdapter"])", "TestSilentAdapter", ""},
        {R"(["TestFillingSubclassAdapter"])", "TestFillingSubclassAdapter", ""},
        // The search stops at the first usable class: the old one is never examined.
        {R"(["TestSilentAdapter", "TestOldAPIAdapter"])", "TestSilentAdapter", ""},
        {R"(["TestOldAPIAdapter"])", "",
         "Ad network adapter TestOldAPIAdapter implements an old API. Please update the "
         "adapter. No valid adapters found for this ad network."},
        {R"(["TestOldAPIAdapter", "TestOtherOldAPIAdapter", "TestSilentAdapter"])",
         "TestSilentAdapter",
         "Ad network adapters (TestOldAPIAdapter, TestOtherOldAPIAdapter) implement an "
         "old API. Please update the adapters."},
        {R"(["NoSuchAdapter"])", "",
         "Cannot find an ad network adapter with the name(s): (\n    NoSuchAdapter\n). "
         "Remember to link all required ad network adapters and SDKs, and set -ObjC in the "
         "'Other Linker Flags' setting of your build target."},
        {R"(null)", "",
         "Cannot find an ad network adapter with the name(s): (null). Remember to link "
         "all required ad network adapters and SDKs, and set -ObjC in the 'Other Linker Flags' "
         "setting of your build target."},
    };
    for (const Case& c : cases) {
        log->lines.clear();
        auto config = make(std::string(R"({"ad_networks": [{"id": "n", "adapters": )") +
                           c.adapters + R"(}, {"id": "next"}]})");
        // Adapter errors are logged and parsing goes on with the entry kept.
        ASSERT_TRUE(config) << c.adapters;
        ASSERT_EQ(config->adNetworkConfigs().size(), 2u) << c.adapters;
        const auto& adapterClass = config->adNetworkConfigs()[0]->adapterClass();
        EXPECT_EQ(adapterClass ? adapterClass->name() : "", c.found) << c.adapters;
        // The second entry, without adapters, always logs.
        ASSERT_EQ(log->lines.size(), *c.logged ? 2u : 1u) << c.adapters;
        if (*c.logged) {
            EXPECT_EQ(log->lines.front(), c.logged) << c.adapters;
        }
    }
}

}  // namespace

namespace {

TEST(GADMAdNetworkAdapterTest, AvailableAdapterNamesFollowTheProtocol) {
    mediation_test::registerTestAdapters();
    const std::optional<std::set<std::string>> names =
        GADMAdNetworkAdapter::availableAdapterNames();
    ASSERT_TRUE(names);
    for (const char* present :
         {"GADMAdapterCustomEvents", "GADMAdapterDezuvoZiZezAds", "TestFillingAdapter",
          "TestFillingSubclassAdapter", "TestOldAPIAdapter"}) {
        EXPECT_TRUE(names->count(present)) << present;
    }
    EXPECT_FALSE(names->count("TestOtherOldAPIAdapter"));
}

}  // namespace
