#include <gtest/gtest.h>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMAdNetworkConnectorBanner.h"
#include "ads/mediation/GADMAdNetworkConnectorInterstitial.h"
#include "platform/foundation/RunLoop.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"
#include "tests/ads/mediation/TestAdapters.h"

namespace {

using mediation_test::lastAdapter;
using mediation_test::TestAdapter;

class LogLines : public GADLogChecker {
  public:
    void message(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

std::shared_ptr<GADMConfig> configWithNetwork(const std::string& network) {
    std::optional<GADRequestError> error;
    return GADMConfig::make(
        "unit-1", *GADMacros::readJsonIntoDictionary(R"({"ad_networks": [)" + network + "]}"),
        error);
}

class GADMAdNetworkConnectorTest : public testing::Test {
  protected:
    void SetUp() override { mediation_test::registerTestAdapters(); }

    template <typename Connector>
    std::shared_ptr<Connector> connect(const std::string& network) {
        auto config = configWithNetwork(network);
        auto connector = Connector::make(config, config->adNetworkConfigs().front());
        connector->setGadmDelegate(delegate);
        return connector;
    }

    mediation_test::PingServer pings;
    std::shared_ptr<mediation_test::RecordingMediationDelegate> delegate =
        std::make_shared<mediation_test::RecordingMediationDelegate>();
};

TEST_F(GADMAdNetworkConnectorTest, CredentialsAndTheLocationGate) {
    delegate->location = GADLocation::makeWithLatitude(47.5, 8.25, 30);
    struct Case {
        const char* share;  // value of the share-location credential, nullptr for none
        bool sees;
    };
    const Case cases[] = {{"\"1\"", true}, {"\"true\"", false}, {"1", false}, {nullptr, false}};
    for (const Case& c : cases) {
        const std::string share =
            c.share ? std::string(R"(, "gwhirl_share_location": )") + c.share : "";
        auto connector = connect<GADMAdNetworkConnectorBanner>(
            R"({"id": "n", "adapters": ["TestSilentAdapter"], "data": {"pubid": "x")" + share +
            "}}");
        const std::string label = c.share ? c.share : "none";
        EXPECT_EQ(connector->credentials(), (foundation::Dictionary{{"pubid", "x"}})) << label;
        EXPECT_EQ(connector->publisherId(), "x");
        EXPECT_EQ(connector->userHasLocation(), c.sees) << label;
        EXPECT_EQ(connector->userLatitude(), c.sees ? 47.5 : 0) << label;
        EXPECT_EQ(connector->userLongitude(), c.sees ? 8.25 : 0) << label;
        EXPECT_EQ(connector->userLocationAccuracyInMeters(), c.sees ? 30 : 0) << label;
        EXPECT_EQ(connector->userLocationDescription().has_value(), c.sees) << label;
    }
    // A described location is shared as its text, never as coordinates.
    delegate->location = GADLocation::makeWithLocationDescription("Bern");
    auto connector = connect<GADMAdNetworkConnectorBanner>(
        R"({"id": "n", "adapters": ["TestSilentAdapter"], "data": {"gwhirl_share_location": "1"}})");
    EXPECT_FALSE(connector->userHasLocation());
    EXPECT_EQ(connector->userLocationDescription(), "Bern");
    EXPECT_EQ(connector->userGender(), 2);
    EXPECT_EQ(connector->childDirectedTreatment(), true);
}

TEST_F(GADMAdNetworkConnectorTest, NetworkExtrasFollowTheAdapterClass) {
    auto log = std::make_shared<LogLines>();
    GADMacros::setLogChecker(log);
    auto silent =
        connect<GADMAdNetworkConnectorBanner>(R"({"id": "n", "adapters": ["TestSilentAdapter"]})");
    EXPECT_FALSE(silent->networkExtras());
    EXPECT_FALSE(silent->networkExtras());
    EXPECT_EQ(log->lines,
              std::vector<std::string>(2,
                                       "Adapter class TestSilentAdapter does not response to "
                                       "SEL: networkExtrasClass. Unable to retrieve network "
                                       "extras."));
    auto extras =
        connect<GADMAdNetworkConnectorBanner>(R"({"id": "n", "adapters": ["TestExtrasAdapter"]})");
    extras->networkExtras();
    EXPECT_EQ(delegate->extrasAskedFor, std::vector<std::string>{"TestExtras"});
    EXPECT_EQ(log->lines.size(), 2u);
    GADMacros::setLogChecker(nullptr);
}

TEST_F(GADMAdNetworkConnectorTest, BannerAnswersAfterTheFirstAreRefreshes) {
    auto manager = std::make_shared<GADMAdManager>();
    manager->setDelegate(delegate);
    std::optional<GADRequestError> error;
    auto config = configWithNetwork(R"({"id": "n", "adapters": ["TestSilentAdapter"]})");
    manager->mediateForAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), config);
    auto connector =
        std::static_pointer_cast<GADMAdNetworkConnectorBanner>(manager->requestingConnector());
    TestAdapter* adapter = lastAdapter();
    std::vector<bool> refreshes;
    for (int i = 0; i < 3; ++i) {
        adapter->deliverBanner();
        refreshes.push_back(connector->didNetworkRefresh());
        // Each shown ad counts its own click once, whatever brings it.
        EXPECT_FALSE(connector->clicked());
        connector->adapterClickDidOccurInBanner(*adapter, adapter->view);
        EXPECT_TRUE(connector->clicked());
    }
    EXPECT_EQ(refreshes, (std::vector<bool>{false, true, true}));
    // Every shown ad clears the timings it reported.
    EXPECT_EQ(delegate->resets, 1 + 3);
    connector->adapterWillPresentFullScreenModal(*adapter);
    connector->adapterWillDismissFullScreenModal(*adapter);
    connector->adapterDidDismissFullScreenModal(*adapter);
    connector->adapterWillLeaveApplication(*adapter);
    EXPECT_EQ(delegate->events,
              (std::vector<std::string>{"ad", "ad", "ad", "will present modal",
                                        "will dismiss modal", "did dismiss modal", "leave"}));
}

TEST_F(GADMAdNetworkConnectorTest, CallbacksFromAnotherAdapterAreDropped) {
    auto manager = std::make_shared<GADMAdManager>();
    manager->setDelegate(delegate);
    auto config = configWithNetwork(R"({"id": "n", "adapters": ["TestSilentAdapter"]})");
    manager->mediateForAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), config);
    auto connector = manager->requestingConnector();
    mediation_test::BehavingAdapter<mediation_test::Behaviour::Silent> stranger(connector);
    stranger.deliverBanner();
    stranger.fail();
    connector->adapterClickDidOccurInBanner(stranger, stranger.view);
    EXPECT_TRUE(delegate->events.empty());
    EXPECT_FALSE(connector->clicked());
    EXPECT_TRUE(manager->requestInProgress());
}

TEST_F(GADMAdNetworkConnectorTest, InterstitialScreenEvents) {
    auto connector = connect<GADMAdNetworkConnectorInterstitial>(
        R"({"id": "n", "adapters": ["TestSilentAdapter"]})");
    connector->getAdFromAdapterWithType(GADAdType::interstitialAdType());
    TestAdapter* adapter = lastAdapter();
    EXPECT_EQ(adapter->interstitialRequests, 1);
    connector->adapterWillPresentInterstitial(*adapter);
    // Did-dismiss without will-dismiss: the glue still hears both, in order.
    connector->adapterDidDismissInterstitial(*adapter);
    connector->adapterWillLeaveApplication(*adapter);
    EXPECT_EQ(delegate->events,
              (std::vector<std::string>{"will present", "will dismiss", "did dismiss", "leave"}));
    EXPECT_EQ(delegate->resets, 1);  // the impression counts when shown
    // Banner callbacks mean nothing to an interstitial connector.
    connector->adapterDidReceiveAdView(*adapter, adapter->view);
    connector->adapterWillPresentFullScreenModal(*adapter);
    EXPECT_EQ(delegate->events.size(), 4u);
}

TEST_F(GADMAdNetworkConnectorTest, ReleasedConnectorStopsItsAdapter) {
    auto connector =
        connect<GADMAdNetworkConnectorBanner>(R"({"id": "n", "adapters": ["TestSilentAdapter"]})");
    TestAdapter* adapter = lastAdapter();
    EXPECT_EQ(adapter->connector(), connector);
    connector->getAdFromAdapterWithType(nullptr);
    EXPECT_TRUE(adapter->bannerRequests.empty());
    EXPECT_TRUE(connector->askAdapterIsBannerAnimationOK(3));
    connector.reset();
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(TestAdapter::live().empty());
}

}  // namespace
