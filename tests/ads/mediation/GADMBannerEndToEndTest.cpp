#include <gtest/gtest.h>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewController.h"
#include "tests/ads/api/BannerOwner.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/TestAdapters.h"
#include "tests/support/AdServer.h"

namespace {

TEST(GADMBannerEndToEnd, BannerShowsAMediatedAdFromTheAdServer) {
    mediation_test::registerTestAdapters();
    mediation_test::PingServer pings;
    testing_support::AdServer adServer;
    adServer.useAsSDKCoreServer();
    testing_support::AdServer::Response response =
        adServer.ad(testing_support::AdServer::AdKind::mediation);
    response.body = R"({"ad_type": "banner", "qdata": "q1", "ad_networks": [
            {"id": "1", "adapters": ["TestFailingAdapter"]},
            {"id": "2", "adapters": ["TestFillingAdapter"], "data": {"pubid": "pub-2"}}]})";
    adServer.setAdResponse(response);

    auto owner = std::make_shared<BannerOwner>();
    auto root = std::make_shared<ui::ViewController>();
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
    banner->setAdUnitID(std::string("unit-7"));
    banner->setRootViewController(root);
    banner->setDelegate(owner);
    banner->loadRequest(GADRequest::request());
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
}

}  // namespace
