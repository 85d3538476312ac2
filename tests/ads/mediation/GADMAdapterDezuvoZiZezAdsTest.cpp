#include <gtest/gtest.h>

#include <algorithm>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADInterstitial.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADZiZezExtras.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdNetworkConnectorBanner.h"
#include "ads/mediation/GADMAdapterDezuvoZiZezAds.h"
#include "ads/mediation/GADMToGADGlue.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/PublisherInterstitialTest.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Array;
using foundation::Dictionary;
using foundation::Value;

// A waterfall delegate whose publisher registered extras of the component's
// own network.
class ExtrasDelegate : public mediation_test::RecordingMediationDelegate {
  public:
    std::shared_ptr<GADAdNetworkExtras> networkExtrasFor(const std::string& name) override {
        extrasAskedFor.push_back(name);
        auto extras = std::make_shared<GADZiZezExtras>();
        extras->setAdditionalParameters(Dictionary{{"pub", "kept"}, {"k", "publisher"}});
        return extras;
    }
    std::optional<std::vector<std::string>> userKeywords() override {
        return std::vector<std::string>{"cars"};
    }
};

std::shared_ptr<GADMConfig> config(const std::string& json) {
    std::optional<GADRequestError> error;
    auto parsed = GADMConfig::make("unit-1", *GADMacros::readJsonIntoDictionary(json), error);
    EXPECT_TRUE(parsed) << json;
    return parsed;
}

TEST(GADMAdapterDezuvoZiZezAds, RequestCarriesTheTargetingTheExtrasAndTheWaterfall) {
    auto mediation = config(R"({"ad_type": "banner", "ad_networks": [
        {"id": "1", "adapters": ["GADMAdapterHTML"]},
        {"id": "2", "adapters": ["GADMAdapterDezuvoZiZezAds"],
         "data": {"pubid": "inner", "mad_hac": "h1", "gwhirl_share_location": "1"},
         "extras": {"k": "network", "n": 5, "s": "t"}, "ad": {"html": "<p>x</p>"}},
        {"id": "3"}]})");
    auto connector =
        GADMAdNetworkConnectorBanner::make(mediation, mediation->adNetworkConfigs()[1]);
    auto delegate = std::make_shared<ExtrasDelegate>();
    delegate->testMode = true;
    delegate->location = GADLocation::makeWithLatitude(47.5, 8.5, 20);
    connector->setGadmDelegate(delegate);
    auto adapter = std::dynamic_pointer_cast<GADMAdapterDezuvoZiZezAds>(connector->adapter());
    ASSERT_TRUE(adapter);
    EXPECT_EQ(GADMAdapterDezuvoZiZezAds::adapterVersion(), GADRequest::sdkVersion());
    EXPECT_TRUE(adapter->isBannerAnimationOK(3));

    std::shared_ptr<GADRequest> request = adapter->request();
    Array devices{"Simulator"};
    if (const std::string id = GADDevice::currentDevice().deviceIdentifier(); !id.empty()) {
        devices.emplace_back(id);
    }
    EXPECT_EQ(request->testDevices(), devices);
    EXPECT_EQ(request->childDirectedTreatment(), true);
    EXPECT_EQ(request->gender(), 2);
    ASSERT_TRUE(request->location());
    EXPECT_DOUBLE_EQ(request->location()->latitude(), 47.5);
    EXPECT_EQ(request->keywords(), std::vector<std::string>{"cars"});
    EXPECT_EQ(delegate->extrasAskedFor, std::vector<std::string>{"GADZiZezExtras"});
    // The publisher's extras, then the network's: a string overrides, a
    // number is not copied; "_ad" is the entry's ad.
    auto extras =
        std::dynamic_pointer_cast<GADZiZezExtras>(request->adNetworkExtrasFor("GADZiZezExtras"));
    ASSERT_TRUE(extras);
    EXPECT_EQ(extras->additionalParameters(),
              (Dictionary{{"pub", "kept"},
                          {"k", "network"},
                          {"s", "t"},
                          {"mad_hac", "h1"},
                          {"gw", "1"},
                          {"_ad", Dictionary{{"html", "<p>x</p>"}}}}));
    EXPECT_EQ(request->privateMediationExtras(),
              (Dictionary{{"man", Array{Array{"GADMAdapterHTML"},
                                        Array{"GADMAdapterDezuvoZiZezAds"}, Value()}},
                          {"mcan", "GADMAdapterDezuvoZiZezAds"}}));
}

class BannerOwner : public GADBannerViewDelegate {
  public:
    void adViewDidReceiveAd(GADBannerView&) override { ++received; }
    void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError& error) override {
        failures.push_back(error.code());
    }
    void adViewWillPresentScreen(GADBannerView&) override { ++presented; }
    int received = 0;
    int presented = 0;
    std::vector<long> failures;
};

// A publisher's banner whose mediation response names the component's own
// network: the ad server serves the mediation response and the inner
// banner's ad page.
class BuiltInAdapterEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        adServer.server().Get("/mediation", [](const httplib::Request&, httplib::Response& r) {
            r.set_header("X-Vira-Mediation", "1");
            r.set_content(R"({"ad_type": "banner", "qdata": "q1", "ad_networks": [
                {"id": "7", "adapters": ["GADMAdapterDezuvoZiZezAds"],
                 "data": {"pubid": "inner-unit"}}]})",
                          "application/json");
        });
        adServer.server().Get("/page", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("<html><body><p>own ad</p></body></html>", "text/html");
        });
        adServer.server().Get(
            "/missing", [](const httplib::Request&, httplib::Response& r) { r.status = 404; });
        adServer.start();
        GADSDKCoreController::setSharedInstance(controller);
        banner->setAdUnitID(std::string("outer-unit"));
        banner->setRootViewController(root);
        banner->setDelegate(owner);
    }
    void TearDown() override {
        GADSDKCoreController::setSharedInstance(nullptr);
        foundation::RunLoop::main().runUntilIdle();
    }

    // Loads the publisher's banner; the SDK-core page sends the outer slot to
    // the mediation response and the inner banner's slot to `innerPath`.
    std::shared_ptr<GADBannerView> mediateTo(const std::string& innerPath) {
        banner->loadRequest(GADRequest::request());
        // The mediating ad asks for auto-click protection.
        controller->requests.at(0).lock()->loadAdURLWithParameters(
            Dictionary{{"url", adServer.url("/mediation")}, {"enable_auto_click_protection", "1"}});
        foundation::RunLoop::main().runUntil([&] { return controller->requests.size() > 1; }, 20);
        EXPECT_EQ(controller->requests.size(), 2u);
        auto inner = std::dynamic_pointer_cast<GADSlot>(controller->requests.back().lock());
        EXPECT_TRUE(inner);
        if (!inner) {
            return nullptr;
        }
        EXPECT_EQ(inner->adUnitID(), "inner-unit");
        inner->loadAdURLWithParameters(Dictionary{{"url", adServer.url(innerPath)}});
        foundation::RunLoop::main().runUntil(
            [&] { return owner->received > 0 || !owner->failures.empty(); }, 20);
        auto glue = std::dynamic_pointer_cast<GADMToGADGlue>(banner->slot()->adMediationGlue());
        auto connector = glue ? glue->mediationManager()->receivedConnector() : nullptr;
        auto adapter =
            connector ? std::dynamic_pointer_cast<GADMAdapterDezuvoZiZezAds>(connector->adapter())
                      : nullptr;
        return adapter ? adapter->banner() : nullptr;
    }

    mediation_test::PingServer pings;
    testing_support::LocalServer adServer;
    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<BannerOwner> owner = std::make_shared<BannerOwner>();
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    std::shared_ptr<GADBannerView> banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
};

TEST_F(BuiltInAdapterEndToEnd, TheComponentsOwnAdFillsTheBanner) {
    std::shared_ptr<GADBannerView> inner = mediateTo("/page");
    EXPECT_EQ(owner->received, 1);
    EXPECT_TRUE(owner->failures.empty());
    ASSERT_TRUE(inner);
    EXPECT_EQ(banner->adView(), inner);
    EXPECT_TRUE(inner->isCreatedOnMediationRequest());
    ASSERT_TRUE(inner->slot()->opener());
    EXPECT_TRUE(inner->slot()->opener()->isAutoClickProtected());
    EXPECT_EQ(inner->rootViewController(), root);
    EXPECT_EQ(inner->slot()->state(), GADSlotStateReady);
    EXPECT_EQ(banner->slot()->adNetworkClassName(), "GADMAdapterDezuvoZiZezAds");
    foundation::RunLoop::main().runUntil([&] { return !pings.requests().empty(); }, 20);
    ASSERT_FALSE(pings.requests().empty());
    EXPECT_NE(pings.requests()[0].find("/imp?ad_loc=outer-unit&qdata=q1&ad_network_id=7&"),
              std::string::npos);
    // The inner ad's screen is the mediated banner's click and screen.
    inner->slot()->adWillPresentScreen();
    foundation::RunLoop::main().runUntil([&] { return pings.requests().size() > 1; }, 20);
    EXPECT_EQ(owner->presented, 1);
    ASSERT_EQ(pings.requests().size(), 2u);
    EXPECT_NE(pings.requests()[1].find("/clk?ad_loc=outer-unit&"), std::string::npos);
}

TEST_F(BuiltInAdapterEndToEnd, TheInnerBannersFailureIsTheNetworksNoFill) {
    mediateTo("/missing");
    EXPECT_EQ(owner->received, 0);
    EXPECT_EQ(owner->failures.size(), 1u);
    foundation::RunLoop::main().runUntil([&] { return !pings.requests().empty(); }, 20);
    ASSERT_FALSE(pings.requests().empty());
    EXPECT_NE(pings.requests()[0].find("/nofill?ad_loc=outer-unit&qdata=q1&"), std::string::npos)
        << pings.requests()[0];
}

TEST_F(BuiltInAdapterEndToEnd, TheOwnAdsWaterfallIsNeverRunInsideTheOwnAd) {
    // The inner banner gets the same waterfall: its own-ads network has no
    // ad for it instead of making a third banner.
    mediateTo("/mediation");
    EXPECT_EQ(controller->requests.size(), 2u);
    EXPECT_EQ(owner->received, 0);
    EXPECT_EQ(owner->failures.size(), 1u);
    foundation::RunLoop::main().runUntil([&] { return pings.requests().size() > 1; }, 20);
    std::vector<std::string> heard = pings.requests();
    ASSERT_EQ(heard.size(), 2u);
    std::sort(heard.begin(), heard.end());
    // The inner waterfall's own-ads network ended with no fill.
    EXPECT_EQ(heard[0].rfind("/nofill?ad_loc=inner-unit&", 0), 0u) << heard[0];
    EXPECT_NE(heard[0].find("&aec=1&"), std::string::npos) << heard[0];
    EXPECT_EQ(heard[1].rfind("/nofill?ad_loc=outer-unit&", 0), 0u) << heard[1];
}

// The publisher's interstitial whose mediation response names the
// component's own network; `mediateTo` sends the inner interstitial's slot to
// a path of the ad server.
class GADMAdapterDezuvoZiZezAdsInterstitial : public mediation_test::PublisherInterstitialTest {
  protected:
    void SetUp() override {
        PublisherInterstitialTest::SetUp();
        adServer.server().Get("/mediation", [](const httplib::Request&, httplib::Response& r) {
            r.set_header("X-Vira-Mediation", "1");
            r.set_content(R"({"ad_type": "interstitial", "ad_networks": [
                {"id": "7", "adapters": ["GADMAdapterDezuvoZiZezAds"],
                 "data": {"pubid": "inner-unit"}}]})",
                          "application/json");
        });
        adServer.server().Get("/page", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("<html><body><p>own interstitial</p></body></html>", "text/html");
        });
        adServer.start();
        interstitial->setAdUnitID(std::string("outer-unit"));
    }

    void mediateTo(const std::string& innerPath) {
        interstitial->loadRequest(GADRequest::request());
        controller->requests.at(0).lock()->loadAdURLWithParameters(
            Dictionary{{"url", adServer.url("/mediation")}});
        foundation::RunLoop::main().runUntil([&] { return controller->requests.size() > 1; }, 20);
        ASSERT_EQ(controller->requests.size(), 2u);
        auto inner = std::dynamic_pointer_cast<GADSlot>(controller->requests.back().lock());
        ASSERT_TRUE(inner);
        EXPECT_EQ(inner->adUnitID(), "inner-unit");
        inner->loadAdURLWithParameters(Dictionary{{"url", adServer.url(innerPath)}});
        foundation::RunLoop::main().runUntil([&] { return owner->received + owner->failures > 0; },
                                             20);
    }

    // The waterfalls' pings stay on this machine.
    mediation_test::PingServer pings;
};

TEST_F(GADMAdapterDezuvoZiZezAdsInterstitial, TheComponentsOwnInterstitialIsShownThroughIt) {
    mediateTo("/page");
    ASSERT_EQ(owner->received, 1);
    EXPECT_EQ(interstitial->adNetworkClassName(), "GADMAdapterDezuvoZiZezAds");

    // Presenting the publisher's interstitial shows the component's own.
    interstitial->presentFromRootViewController(root);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->presented, 1);
    EXPECT_NE(window->topViewController(), root);
    EXPECT_EQ(owner->failures, 0);
}

TEST_F(GADMAdapterDezuvoZiZezAdsInterstitial, TheOwnAdsWaterfallIsNeverRunInsideTheOwnAd) {
    mediateTo("/mediation");
    EXPECT_EQ(controller->requests.size(), 2u);
    EXPECT_EQ(owner->received, 0);
    EXPECT_EQ(owner->failures, 1);
}

}  // namespace
