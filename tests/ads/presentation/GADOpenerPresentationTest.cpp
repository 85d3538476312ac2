#include "ads/presentation/GADOpenerPresentation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADSlot.h"
#include "ads/presentation/GADBrowserViewController.h"
#include "ads/presentation/GADBrowserWebView.h"
#include "ads/presentation/GADDefaultInAppPurchase.h"
#include "ads/presentation/GADDefaultInAppPurchaseDelegate.h"
#include "ads/presentation/GADInAppPurchase.h"
#include "ads/presentation/GADInAppPurchaseDelegate.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/MessageComposeViewController.h"
#include "platform/ui/Window.h"

namespace {

// The owner of the slot, keeping the purchases it is handed.
class PurchaseOwner : public GADSlotDelegate,
                      public GADInAppPurchaseDelegate,
                      public std::enable_shared_from_this<PurchaseOwner> {
  public:
    std::shared_ptr<GADInAppPurchaseDelegate> inAppPurchaseDelegate() const override {
        return std::const_pointer_cast<PurchaseOwner>(shared_from_this());
    }
    void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>& purchase) override {
        purchases.push_back(purchase);
    }
    std::vector<std::shared_ptr<GADInAppPurchase>> purchases;
};

// The application's side of the default purchase flow: refuses what it is asked.
class Shop : public GADDefaultInAppPurchaseDelegate {
  public:
    void userDidPayForPurchase(const std::shared_ptr<GADDefaultInAppPurchase>&) override {}
    std::optional<bool> shouldStartPurchaseForProductID(const std::string&, std::int64_t) override {
        ++asked;
        return !refuse;
    }
    int asked = 0;
    bool refuse = false;
};

}  // namespace

class GADOpenerPresentationTest : public testing::Test {
  protected:
    void SetUp() override {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        slot->setSlotDelegate(owner);
        opener = slot->webView()->delegate()->opener();
        opener->setViewController(root);
        settle();
    }
    void TearDown() override { settle(); }

    void settle() {
        foundation::RunLoop::main().runUntilIdle();
        clock.advance(1);
        foundation::RunLoop::main().runUntilIdle();
    }

    foundation::ManualClock clock;
    std::shared_ptr<GADSlot> slot = GADSlot::make();
    std::shared_ptr<PurchaseOwner> owner = std::make_shared<PurchaseOwner>();
    std::shared_ptr<GADOpener> opener;
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
};

TEST_F(GADOpenerPresentationTest, TheBrowserOpensOverTheControllerForTheSlot) {
    opener->setReferringURL(foundation::URL::fromString("https://ad.example/page"));
    opener->openBrowserToURL(foundation::URL::fromString("https://a.example/"), 2);
    settle();
    auto browser =
        std::dynamic_pointer_cast<GADBrowserViewController>(root->presentedViewController());
    ASSERT_TRUE(browser);
    EXPECT_EQ(browser->supportedOrientations(), 2);
    EXPECT_EQ(browser->slot(), slot);
    const auto& request = browser->webView()->request();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->url()->absoluteString(), "https://a.example/");
    EXPECT_EQ(request->valueForHTTPHeaderField("Referer"), "ad.example");
    browser->relinquishScreen();
}

TEST_F(GADOpenerPresentationTest, PurchasesReachTheOwnersPurchaseDelegate) {
    opener->openInAppPurchase("sku", 4, {"https://r.example/@status@"});
    opener->openInAppPurchase("sku", 11, {});
    ASSERT_EQ(owner->purchases.size(), 2u);
    EXPECT_EQ(owner->purchases[0]->productID(), "sku");
    EXPECT_EQ(owner->purchases[0]->quantity(), 4);
    EXPECT_EQ(owner->purchases[0]->reportingURLStringFormats().size(), 1u);
    EXPECT_EQ(owner->purchases[1]->quantity(), 0);

    // The default purchase flow, while on, takes them instead.
    auto shop = std::make_shared<Shop>();
    shop->refuse = true;
    GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(shop);
    opener->openInAppPurchase("sku", 1, {});
    EXPECT_EQ(shop->asked, 1);
    EXPECT_EQ(owner->purchases.size(), 2u);
}

TEST_F(GADOpenerPresentationTest, AComposerWaitsUntilTheAdScreenHasAppeared) {
    auto screen = std::make_shared<GADViewController>();
    screen->setWithholdsAppearanceEnds(true);
    screen->presentFromViewController(root);
    opener->setViewController(screen);
    opener->openSmsComposer(*foundation::URL::fromString("sms:123"));
    clock.advance(0.5);
    EXPECT_FALSE(screen->viewDidAppear());
    EXPECT_FALSE(screen->presentedViewController());
    // The appearance is forced at 0.6 s; the next try, at 0.75 s, shows it.
    clock.advance(0.2);
    EXPECT_TRUE(screen->viewDidAppear());
    EXPECT_FALSE(screen->presentedViewController());
    clock.advance(0.05);
    EXPECT_TRUE(std::dynamic_pointer_cast<services::MessageComposeViewController>(
        screen->presentedViewController()));
    screen->setWithholdsAppearanceEnds(false);
    screen->relinquishScreen();
}

TEST_F(GADOpenerPresentationTest, TheAdURLAnswerCanTurnAutoClickProtectionOn) {
    EXPECT_FALSE(opener->isAutoClickProtected());
    slot->setState(GADSlotStateRequestingAdURL);
    slot->loadAdURLWithParameters({{"enable_auto_click_protection", "0"}});
    EXPECT_FALSE(opener->isAutoClickProtected());
    slot->setState(GADSlotStateRequestingAdURL);
    slot->loadAdURLWithParameters({{"enable_auto_click_protection", "1"}});
    EXPECT_TRUE(opener->isAutoClickProtected());
}
