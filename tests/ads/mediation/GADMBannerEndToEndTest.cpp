#include <gtest/gtest.h>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewController.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/TestAdapters.h"
#include "tests/support/LocalServer.h"

namespace {

class BannerOwner : public GADBannerViewDelegate {
  public:
    void adViewDidReceiveAd(GADBannerView&) override { ++received; }
    void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError& error) override {
        failures.push_back(error.code());
    }
    int received = 0;
    std::vector<long> failures;
};

TEST(GADMBannerEndToEnd, BannerShowsAMediatedAdFromTheAdServer) {
    mediation_test::registerTestAdapters();
    mediation_test::PingServer pings;
    testing_support::LocalServer adServer;
    adServer.server().Get("/ad", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Vira-Mediation", "1");
        response.set_content(R"({"ad_type": "banner", "qdata": "q1", "ad_networks": [
            {"id": "1", "adapters": ["TestFailingAdapter"]},
            {"id": "2", "adapters": ["TestFillingAdapter"], "data": {"pubid": "pub-2"}}]})",
                             "application/json");
    });
    adServer.start();
    auto controller = std::make_shared<FakeSDKCoreController>();
    GADSDKCoreController::setSharedInstance(controller);

    auto owner = std::make_shared<BannerOwner>();
    auto root = std::make_shared<ui::ViewController>();
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
    banner->setAdUnitID(std::string("unit-7"));
    banner->setRootViewController(root);
    banner->setDelegate(owner);
    banner->loadRequest(GADRequest::request());
    ASSERT_EQ(controller->requests.size(), 1u);
    // The SDK-core page answers with the ad server's address.
    banner->slot()->loadAdURLWithParameters(foundation::Dictionary{{"url", adServer.url("/ad")}});
    foundation::RunLoop::main().runUntil(
        [&] { return owner->received > 0 || !owner->failures.empty(); }, 20);

    EXPECT_EQ(owner->received, 1);
    EXPECT_TRUE(owner->failures.empty());
    mediation_test::TestAdapter* adapter = mediation_test::lastAdapter();
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(banner->adView(), adapter->view);
    EXPECT_EQ(adapter->connector()->publisherId(), "pub-2");
    EXPECT_EQ(banner->slot()->state(), GADSlotStateReady);
    EXPECT_TRUE(banner->slot()->isMediating());
    EXPECT_EQ(banner->slot()->adNetworkClassName(), "TestFillingAdapter");
    // The impression ping carries the waterfall's exit codes.
    foundation::RunLoop::main().runUntil([&] { return !pings.requests().empty(); }, 20);
    ASSERT_EQ(pings.requests().size(), 1u);
    EXPECT_NE(pings.requests()[0].find("/imp?ad_loc=unit-7&qdata=q1&ad_network_id=2&"),
              std::string::npos);
    EXPECT_NE(pings.requests()[0].find("&aec=1,0"), std::string::npos) << pings.requests()[0];
    GADSDKCoreController::setSharedInstance(nullptr);
}

}  // namespace
