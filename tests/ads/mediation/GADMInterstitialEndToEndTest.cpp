#include <gtest/gtest.h>

#include "ads/api/GADInterstitial.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/ads/mediation/PublisherInterstitialTest.h"
#include "tests/ads/mediation/TestAdapters.h"
#include "tests/support/LocalServer.h"

namespace {

using GADMInterstitialEndToEnd = mediation_test::PublisherInterstitialTest;

TEST_F(GADMInterstitialEndToEnd, AMediatedInterstitialIsShownByItsNetwork) {
    mediation_test::registerTestAdapters();
    adServer.server().Get("/ad", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Vira-Mediation", "1");
        response.set_content(R"({"ad_type": "interstitial", "ad_networks": [
            {"id": "2", "adapters": ["TestFillingAdapter"]}]})",
                             "application/json");
    });
    adServer.start();
    interstitial->loadRequest(GADRequest::request());
    ASSERT_EQ(controller->requests.size(), 1u);
    interstitial->slot()->loadAdURLWithParameters(
        foundation::Dictionary{{"url", adServer.url("/ad")}});
    foundation::RunLoop::main().runUntil([&] { return owner->received > 0 || owner->failures > 0; },
                                         20);
    ASSERT_EQ(owner->received, 1);
    ASSERT_TRUE(interstitial->isReady());
    mediation_test::TestAdapter* adapter = mediation_test::lastAdapter();
    ASSERT_NE(adapter, nullptr);

    interstitial->presentFromRootViewController(root);
    EXPECT_EQ(adapter->presentations, 1);
    EXPECT_TRUE(interstitial->hasBeenUsed());
    // The network shows it: the web-app screen stays unused.
    EXPECT_NE(interstitial->viewController(), nullptr);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(window->topViewController(), root);
    EXPECT_EQ(owner->failures, 0);
}

}  // namespace
