#include <gtest/gtest.h>

#include <algorithm>

#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMUtilities.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"
#include "tests/ads/mediation/TestAdapters.h"

namespace {

using mediation_test::lastAdapter;

std::shared_ptr<GADMConfig> configFrom(const std::string& json) {
    std::optional<GADRequestError> error;
    return GADMConfig::make("unit-1", *GADMacros::readJsonIntoDictionary(json), error);
}

// The value of a query parameter in a request target.
std::string parameter(const std::string& target, const std::string& name) {
    std::size_t at = target.find("?" + name + "=");
    if (at == std::string::npos) {
        at = target.find("&" + name + "=");
    }
    if (at == std::string::npos) {
        return "<absent>";
    }
    const std::size_t start = at + name.size() + 2;
    return target.substr(start, target.find('&', start) - start);
}

class GADMPingsTest : public testing::Test {
  protected:
    void SetUp() override {
        mediation_test::registerTestAdapters();
        manager->setDelegate(delegate);
    }

    // Runs the loop until the server has heard `count` pings.
    std::vector<std::string> pingsHeard(std::size_t count) {
        foundation::RunLoop::main().runUntil([&] { return pings.requests().size() >= count; }, 20);
        return pings.requests();
    }

    mediation_test::PingServer pings;
    std::shared_ptr<mediation_test::RecordingMediationDelegate> delegate =
        std::make_shared<mediation_test::RecordingMediationDelegate>();
    std::shared_ptr<GADMAdManager> manager = std::make_shared<GADMAdManager>();
};

TEST_F(GADMPingsTest, KeywordsAreFilledLiterally) {
    struct Case {
        const char* templateText;
        std::optional<std::string> qdata;
        const char* expected;  // nullptr for no URL
    };
    const Case cases[] = {
        {"http://p/x?q=@gw_qdata@&l=@gw_adlocid@&d=@gw_devid@&r=@gw_adnetrefresh@", "a&b=c",
         "http://p/x?q=a&b=c&l=unit&d=&r=1"},  // "&" splits the query as it stands
        {"http://p/x?a=@gw_allocid@&n=@gw_adnetid@", "q",
         "http://p/x?a=@gw_allocid@&n=net"},  // a missing value keeps its keyword
        {"http://p/x?m=@@@gw_qdata@@@", "q", "http://p/x?m=@@q@@"},       // doubled at signs stay
        {"http://p/x?m=@@gw_qdata@@", "q", "http://p/x?m=@@gw_qdata@@"},  // a literal, no macro
        {"", "q", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<foundation::URL> url =
            GADMUtilities::mediationURLFrom(c.templateText, "unit", true, std::nullopt, "net",
                                            c.qdata, "5", "6", std::nullopt, std::nullopt);
        EXPECT_EQ(url.has_value(), c.expected != nullptr) << c.templateText;
        if (url && c.expected) {
            EXPECT_EQ(url->absoluteString(), c.expected) << c.templateText;
        }
    }
}

TEST_F(GADMPingsTest, NoFillCarriesEveryExitCodeAndDuration) {
    {
        foundation::ManualClock clock;
        manager->mediateForAdType(
            GADAdType::bannerAdTypeForSize(kGADAdSizeBanner),
            configFrom(R"({"ad_type": "banner", "ad_networks": [{"id": "a"}, {"id": "b"},
                          {"id": "c", "adapters": ["TestSilentAdapter"]}]})"));
        clock.advance(10);
    }
    const std::vector<std::string> heard = pingsHeard(1);
    ASSERT_EQ(heard.size(), 1u);
    const std::string& ping = heard[0];
    EXPECT_EQ(ping.rfind("/nofill?ad_loc=unit-1&qdata=&js=vira-sdk-i-v6.12.2&session_id=", 0), 0u)
        << ping;
    EXPECT_EQ(parameter(ping, "aec"), "4,4,3");
    const std::string durations = parameter(ping, "adt");
    EXPECT_EQ(std::count(durations.begin(), durations.end(), ','), 2) << durations;
    // The timings went with the ping.
    EXPECT_FALSE(delegate->statistics.adapterExitCodesParameter());
}

TEST_F(GADMPingsTest, ImpressionsAndClicksOfABanner) {
    const std::string settings =
        R"("settings": {"imp_urls": [")" + pings.url("/config-imp?aec=@gw_aec@&n=@gw_adnetid@") +
        R"("], "click_urls": [")" + pings.url("/clk1?aec=@gw_aec@&nr=@gw_adnetrefresh@") +
        R"(", 7, ")" + pings.url("/clk2?seq=@gw_seqnum@") + R"("]})";
    const std::string ownImpression = pings.url(
        "/net-imp?n=@gw_adnetid@&al=@gw_allocid@&q=@gw_qdata@&aec=@gw_aec@"
        "&nr=@gw_adnetrefresh@&seq=@gw_seqnum@");
    manager->mediateForAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner),
                              configFrom(R"({"ad_type": "banner", "qdata": "Q", )" + settings + R"(,
            "ad_networks": [{"id": "a"}, {"id": "b", "allocation_id": 9,
                "adapters": ["TestFillingAdapter"], "imp_urls": [")" +
                                         ownImpression + R"("]}]})"));
    mediation_test::TestAdapter* adapter = lastAdapter();
    std::shared_ptr<GADMAdNetworkConnector> connector = adapter->connector();
    connector->adapterClickDidOccurInBanner(*adapter, adapter->view);
    connector->adapterWillLeaveApplication(*adapter);  // the same ad: no second click ping
    adapter->deliverBanner();                          // a refresh: a new impression
    const std::vector<std::string> heard = pingsHeard(4);
    ASSERT_EQ(heard.size(), 4u);
    auto find = [&](const std::string& prefix) {
        const auto found = std::find_if(heard.begin(), heard.end(), [&](const std::string& t) {
            return t.rfind(prefix, 0) == 0;
        });
        return found == heard.end() ? std::string("<none>") : *found;
    };
    // Clicks carry no exit codes: the keyword stays.
    EXPECT_EQ(find("/clk1"), "/clk1?aec=@gw_aec@&nr=0");
    const std::string first = find("/net-imp?n=b&al=9&q=Q&aec=4,0&nr=0&seq=");
    const std::string refresh = find("/net-imp?n=b&al=9&q=Q&aec=0&nr=1&seq=");
    EXPECT_NE(first, "<none>");
    ASSERT_NE(refresh, "<none>");
    // Every ping gets the application's sequence text.
    EXPECT_EQ(
        parameter(find("/clk2"), "seq"),
        GADApplication::sharedApplication().statistics()->objectForKey("preqs").stringValue());

    // A network without impression templates uses the configuration's.
    manager->mediateForAdType(
        GADAdType::bannerAdTypeForSize(kGADAdSizeBanner),
        configFrom(R"({"ad_type": "banner", )" + settings +
                   R"(, "ad_networks": [{"id": "c", "adapters": ["TestFillingAdapter"]}]})"));
    EXPECT_EQ(pingsHeard(5).back(), "/config-imp?aec=0&n=c");
}

TEST_F(GADMPingsTest, ARefreshDroppedDuringANewWaterfallPingsNothing) {
    const std::string settings =
        R"("settings": {"ad_network_timeout_millis": 2000, "imp_urls": [")" +
        pings.url("/imp?aec=@gw_aec@&n=@gw_adnetid@") + R"("]})";
    auto waterfall = [&](const std::string& networks) {
        manager->mediateForAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner),
                                  configFrom(R"({"ad_type": "banner", )" + settings +
                                             R"(, "ad_networks": [)" + networks + "]}"));
    };
    {
        foundation::ManualClock clock;
        waterfall(R"({"id": "a", "adapters": ["TestFillingAdapter"]})");
        mediation_test::TestAdapter* shown = lastAdapter();
        waterfall(R"({"id": "b", "adapters": ["TestSilentAdapter"]},
                     {"id": "c", "adapters": ["TestSilentAdapter"]},
                     {"id": "d", "adapters": ["TestFillingAdapter"]})");
        clock.advance(2);
        // The shown network refreshes while the second network's turn runs:
        // the manager drops the answer.
        shown->deliverBanner();
        clock.advance(2);
    }
    std::vector<std::string> heard = pingsHeard(2);
    // Time for a ping sent for the dropped answer to arrive as well.
    foundation::RunLoop::main().runUntil([&] { return pings.requests().size() > 2; }, 1);
    heard = pings.requests();
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (std::vector<std::string>{"/imp?aec=0&n=a", "/imp?aec=3,3,0&n=d"}));
}

TEST_F(GADMPingsTest, AnEmptyClickListSendsNoClickPing) {
    manager->mediateForAdType(
        GADAdType::bannerAdTypeForSize(kGADAdSizeBanner),
        configFrom(R"({"ad_type": "banner", "settings": {"click_urls": [], "imp_urls": [")" +
                   pings.url("/imp") +
                   R"("]}, "ad_networks": [{"id": "c", "adapters": ["TestFillingAdapter"]}]})"));
    mediation_test::TestAdapter* adapter = lastAdapter();
    adapter->connector()->adapterClickDidOccurInBanner(*adapter, adapter->view);
    EXPECT_TRUE(adapter->connector()->clicked());
    adapter->deliverBanner();
    EXPECT_EQ(pingsHeard(2), (std::vector<std::string>{"/imp", "/imp"}));
}

}  // namespace
