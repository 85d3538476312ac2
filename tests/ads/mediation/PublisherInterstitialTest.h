#pragma once

// The publisher's interstitial over the application's key window, asking the
// fake SDK-core controller for its ad URL; the test serves the ads from
// `adServer` and answers the controller's requests.

#include <gtest/gtest.h>

#include <memory>

#include "ads/api/GADInterstitial.h"
#include "ads/api/GADInterstitialDelegate.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"
#include "tests/support/WindowFixture.h"

namespace mediation_test {

// The interstitial's delegate: counts the ads received, the failures and
// the presentations.
class InterstitialOwner : public GADInterstitialDelegate {
  public:
    void interstitialDidReceiveAd(GADInterstitial&) override { ++received; }
    void interstitialDidFailToReceiveAdWithError(GADInterstitial&,
                                                 const GADRequestError&) override {
        ++failures;
    }
    void interstitialWillPresentScreen(GADInterstitial&) override { ++presented; }
    int received = 0;
    int failures = 0;
    int presented = 0;
};

class PublisherInterstitialTest : public testing::Test {
  protected:
    void SetUp() override {
        GADSDKCoreController::setSharedInstance(controller);
        testing_support::showInKeyWindow(window, root);
        interstitial->setDelegate(owner);
    }
    void TearDown() override { GADSDKCoreController::setSharedInstance(nullptr); }

    testing_support::LocalServer adServer;
    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    ui::Window::Ptr window = ui::Window::make();
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    std::shared_ptr<InterstitialOwner> owner = std::make_shared<InterstitialOwner>();
    std::shared_ptr<GADInterstitial> interstitial = GADInterstitial::make();
};

}  // namespace mediation_test
