#include "ads/presentation/GADOpenerPresentation.h"

#include <gtest/gtest.h>

#include <functional>
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
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/MessageComposeViewController.h"
#include "tests/support/LocalServer.h"
#include "tests/support/WindowFixture.h"

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

class GADOpenerPresentationTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        slot->setSlotDelegate(owner);
        opener = slot->webView()->delegate()->opener();
        opener->setViewController(root);
        settle();
    }

    std::shared_ptr<GADSlot> slot = GADSlot::make();
    std::shared_ptr<PurchaseOwner> owner = std::make_shared<PurchaseOwner>();
    std::shared_ptr<GADOpener> opener;
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

TEST_F(GADOpenerPresentationTest, AWebAppFromAURLOrHTMLShowsOverTheControllerForTheSlot) {
    testing_support::LocalServer local;
    local.serve("/app", 200, "<p id=\"t\">from url</p>");
    local.start();
    struct Case {
        const char* name;
        std::function<void(GADOpener&, std::int64_t, bool)> open;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"url",
         [&](GADOpener& o, std::int64_t orientations, bool customClose) {
             o.openWebApp(foundation::URL::fromString(local.url("/app")), orientations,
                          customClose);
         },
         "from url"},
        {"html",
         [](GADOpener& o, std::int64_t orientations, bool customClose) {
             o.openWebAppWithHTML("<p id=\"t\">from html</p>", orientations, customClose);
         },
         "from html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.open(*opener, 8, true);
        auto screen =
            std::dynamic_pointer_cast<GADWebAppViewController>(root->presentedViewController());
        ASSERT_TRUE(screen);
        EXPECT_EQ(screen->supportedOrientations(), 8);
        EXPECT_EQ(screen->slot(), slot);
        EXPECT_TRUE(screen->useCustomClose());
        EXPECT_FALSE(screen->isExpandable());
        auto page = screen->webView();
        ASSERT_NE(page, slot->webView());
        ASSERT_TRUE(foundation::RunLoop::main().runUntil(
            [&] {
                return page->stringByEvaluatingJavaScriptFromString(
                           "document.getElementById('t') ? 'yes' : ''") == "yes";
            },
            10));
        EXPECT_EQ(page->stringByEvaluatingJavaScriptFromString(
                      "document.getElementById('t').textContent"),
                  c.text);
        settle();
        EXPECT_EQ(page->superview(), screen->view());
        screen->relinquishScreen();
        settle();
        EXPECT_FALSE(root->presentedViewController());
    }
}

TEST_F(GADOpenerPresentationTest, ExpandingMovesTheAdsWebViewIntoAWebAppScreen) {
    auto banner = std::make_shared<ui::View>(graphics::Rect(0, 430, 320, 50));
    root->view()->addSubview(banner);
    const auto adView = slot->webView();
    adView->setFrame(graphics::Rect(0, 0, 320, 50));
    banner->addSubview(adView);
    opener->setWebView(adView);

    opener->expandToWebAppWithSupportedOrientations(2, false);
    settle();
    auto screen =
        std::dynamic_pointer_cast<GADWebAppViewController>(root->presentedViewController());
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isExpandable());
    EXPECT_EQ(screen->webView(), adView);
    EXPECT_EQ(screen->supportedOrientations(), 2);
    EXPECT_EQ(screen->slot(), slot);
    EXPECT_EQ(adView->superview(), screen->view());
    EXPECT_EQ(adView->viewController(), screen);
    ASSERT_TRUE(screen->renderedBanner());
    EXPECT_EQ(screen->renderedBanner()->superview(), banner);

    screen->relinquishScreen();
    settle();
    EXPECT_EQ(adView->superview(), banner);
    EXPECT_EQ(adView->frame(), graphics::Rect(0, 0, 320, 50));
}
