#include "ads/webview/GADOpener.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADOpenerDelegate.h"
#include "ads/webview/GADOpenerScreens.h"
#include "ads/webview/GADOpenerSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/services/ServicesClasses.h"
#include "platform/services/Storefront.h"
#include "platform/ui/Application.h"
#include "tests/ads/webview/OpenerRecorders.h"
#include "tests/ads/webview/RecordingWebView.h"
#include "tests/support/WindowFixture.h"

namespace {

using namespace opener_test;

foundation::URL url(const std::string& text) {
    return *foundation::URL::fromString(text);
}

}  // namespace

class GADOpenerTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        services::registerServicesClasses();
        GADOpener::setScreens(screens);
        GADOpener::setBlockedNavigationPage([this] { return sdkCorePage; });
        WindowFixture::SetUp();
        opener->setSlot(slot);
        opener->setDelegate(slot);
        opener->setWebView(adPage);
        opener->setViewController(root);
        settle();
    }

    Log take() { return std::exchange(log, {}); }
    // What the root presents, then dismissed without a trace.
    std::shared_ptr<ui::ViewController> takePresented() {
        settle();
        auto shown = root->presentedViewController();
        if (shown) {
            root->dismissViewController(false);
            settle();
        }
        return shown;
    }
    void protect() {
        opener->setAutoClickProtected(true);
        opener->setNavigationURL("https://ad.example/click");
    }

    Log log;
    std::shared_ptr<RecordingSlot> slot = std::make_shared<RecordingSlot>(log);
    std::shared_ptr<RecordingScreens> screens = std::make_shared<RecordingScreens>(log);
    std::shared_ptr<RecordingWebView> sdkCorePage = std::make_shared<RecordingWebView>();
    std::shared_ptr<RecordingWebView> adPage = std::make_shared<RecordingWebView>();
    std::shared_ptr<GADOpener> opener = std::make_shared<GADOpener>();
    ui::Application& application = ui::Application::shared();
};

TEST_F(GADOpenerTest, TheGuardRefusesAnUntouchedProtectedAdAndTellsTheSDKCorePage) {
    struct Case {
        bool protectedAd;
        bool touched;
        std::optional<std::string> debugDialog;
        std::optional<std::string> navigationURL;
        bool allowed;
        std::string blockedScript;
    };
    const std::vector<Case> cases = {
        // Without protection the touch is not asked.
        {false, false, std::nullopt, std::nullopt, true, ""},
        {true, true, std::nullopt, std::nullopt, true, ""},
        // Only the keys with values go to the page.
        {true, false, std::nullopt, std::nullopt, false,
         "VIRA_ReceiveMessage('navigationBlocked', {});"},
        {true, false, "dialog", "https://a.example/x", false,
         R"(VIRA_ReceiveMessage('navigationBlocked', {"debugDialog":"dialog","navigationURL":"https://a.example/x"});)"},
        {true, false, std::nullopt, "https://a.example/x", false,
         R"(VIRA_ReceiveMessage('navigationBlocked', {"navigationURL":"https://a.example/x"});)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(&c - cases.data()));
        opener->setAutoClickProtected(c.protectedAd);
        adPage->setTouched(c.touched);
        adPage->setAdDebugDialog(c.debugDialog);
        opener->setNavigationURL(c.navigationURL);
        EXPECT_EQ(opener->shouldPerformOpenAction(), c.allowed);
        settle();
        EXPECT_EQ(sdkCorePage->scripts, c.blockedScript.empty()
                                            ? std::vector<std::string>{}
                                            : std::vector<std::string>{c.blockedScript});
        EXPECT_TRUE(adPage->scripts.empty());
        sdkCorePage->scripts.clear();
    }
}

TEST_F(GADOpenerTest, EveryGuardedActionOfAnUntouchedAdPostsOnceAndDoesNothingElse) {
    protect();
    const foundation::Dictionary event{{"start", "2026-12-24T18:00:00+01:00"},
                                       {"end", "2026-12-24T20:00:00+01:00"},
                                       {"summary", "s"},
                                       {"description", "d"},
                                       {"location", "l"}};
    const std::vector<std::pair<std::string, std::function<void()>>> actions = {
        {"app", [&] { opener->openApp(url("https://shop.example/")); }},
        {"app without URL", [&] { opener->openApp(std::nullopt); }},
        {"browser", [&] { opener->openBrowserToURL(url("https://a.example/"), 1); }},
        {"web app", [&] { opener->openWebApp(url("https://a.example/"), 1, false); }},
        {"web app HTML", [&] { opener->openWebAppWithHTML("<p>", 1, false); }},
        {"expand", [&] { opener->expandToWebAppWithSupportedOrientations(1, false); }},
        {"resize",
         [&] {
             opener->openWebAppWithSize({300, 250}, {0, 0});
         }},
        {"mail", [&] { opener->openEmailComposer(url("mailto:a@b.example")); }},
        {"text", [&] { opener->openSmsComposer(url("sms:123")); }},
        {"store, waiting", [&] { opener->openInAppStoreWithProductID("7", std::nullopt, true); }},
        {"store", [&] { opener->openInAppStoreWithProductID("7", std::nullopt, false); }},
        {"purchase", [&] { opener->openInAppPurchase("sku", 1, {}); }},
        {"toolbar", [&] { opener->openPublisherToolbar(std::nullopt, "<html>"); }},
        {"calendar", [&] { opener->openCalendarWithDictionary(event); }},
    };
    for (const auto& [name, action] : actions) {
        SCOPED_TRACE(name);
        action();
        EXPECT_FALSE(takePresented());
        EXPECT_EQ(sdkCorePage->scripts.size(), 1u);
        sdkCorePage->scripts.clear();
    }
    EXPECT_TRUE(take().empty());
    EXPECT_TRUE(application.openedURLs().empty());
    EXPECT_FALSE(opener->didOpenAnotherApplication());

    // Preparing a sheet is not an action of the ad.
    EXPECT_TRUE(opener->fetchInAppStoreForProductID("7"));
    settle();
    EXPECT_TRUE(sdkCorePage->scripts.empty());
}

TEST_F(GADOpenerTest, LeavingTheApplicationTellsTheSlotFirstAndOpensTheURLLater) {
    opener->openApp(url("https://shop.example/item"));
    EXPECT_EQ(take(), (Log{"ping clicks", "left app", "slot will leave", "left due to click"}));
    EXPECT_TRUE(opener->didOpenAnotherApplication());
    EXPECT_TRUE(application.openedURLs().empty());
    settle();
    EXPECT_EQ(application.openedURLs(), std::vector<std::string>{"https://shop.example/item"});

    opener->openApp(std::nullopt);
    settle();
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(application.openedURLs().size(), 1u);
}

TEST_F(GADOpenerTest, MailAndTextLinksFillTheComposers) {
    struct Mail {
        std::string link;
        std::vector<std::string> to, cc, bcc;
        std::string subject, body;
    };
    const std::vector<Mail> mails = {
        {"mailto:a@b.example", {"a@b.example"}, {}, {}, "", ""},
        // Keys in any case; values decoded, the address not.
        {"mailto:a%20b@b.example?Subject=Hi%20there&BODY=x",
         {"a%20b@b.example"},
         {},
         {},
         "Hi there",
         "x"},
        {"mailto:a@b.example?cc=c@d.example,e@f.example&bcc=g@h.example",
         {"a@b.example"},
         {"c@d.example", "e@f.example"},
         {"g@h.example"},
         "",
         ""},
        {"mailto:?subject=s", {""}, {}, {}, "s", ""},
    };
    for (const auto& m : mails) {
        SCOPED_TRACE(m.link);
        opener->openEmailComposer(url(m.link));
        auto composer =
            std::dynamic_pointer_cast<services::MailComposeViewController>(takePresented());
        ASSERT_TRUE(composer);
        EXPECT_EQ(composer->toRecipients(), m.to);
        EXPECT_EQ(composer->ccRecipients(), m.cc);
        EXPECT_EQ(composer->bccRecipients(), m.bcc);
        EXPECT_EQ(composer->subject(), m.subject);
        EXPECT_EQ(composer->messageBody(), m.body);
        EXPECT_FALSE(composer->isHTML());
        EXPECT_EQ(take(), (Log{"ping clicks", "left app"}));
    }

    opener->openSmsComposer(url("sms:123,456?body=See%20you"));
    auto text = std::dynamic_pointer_cast<services::MessageComposeViewController>(takePresented());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->recipients(), (std::vector<std::string>{"123", "456"}));
    EXPECT_EQ(text->body(), "See you");
    EXPECT_EQ(take(), (Log{"ping clicks", "left app"}));

    // No composer when the device cannot send: mail still counts the click.
    services::MailComposeViewController::setCanSendMail(false);
    services::MessageComposeViewController::setCanSendText(false);
    opener->openEmailComposer(url("mailto:a@b.example"));
    opener->openSmsComposer(url("sms:123"));
    EXPECT_FALSE(takePresented());
    EXPECT_EQ(take(), (Log{"ping clicks", "left app"}));
}

TEST_F(GADOpenerTest, AComposerWaitsForTheAdScreenToAppearAndIsDismissedWhenDone) {
    auto adScreen = std::make_shared<AdScreen>();
    root->presentViewController(adScreen, false);
    settle();
    opener->setViewController(adScreen);
    application.setStatusBarHidden(true);

    opener->openEmailComposer(url("mailto:a@b.example"));
    clock.advance(0.5);
    EXPECT_FALSE(adScreen->presentedViewController());
    adScreen->appeared = true;
    clock.advance(0.2);
    EXPECT_FALSE(adScreen->presentedViewController());
    clock.advance(0.05);
    auto composer = std::dynamic_pointer_cast<services::MailComposeViewController>(
        adScreen->presentedViewController());
    ASSERT_TRUE(composer);
    EXPECT_TRUE(application.isStatusBarHidden());
    settle();

    composer->finish(services::MailComposeResult::sent);
    settle();
    EXPECT_FALSE(adScreen->presentedViewController());
}

TEST_F(GADOpenerTest, AComposerIsGivenUpAfterTenSecondsOfAnAdScreenThatDoesNotAppear) {
    auto adScreen = std::make_shared<AdScreen>();
    root->presentViewController(adScreen, false);
    settle();
    opener->setViewController(adScreen);
    opener->openSmsComposer(url("sms:123"));
    clock.advance(GADOpener::kComposerRetryInterval * GADOpener::kComposerMaxRetries);
    adScreen->appeared = true;
    clock.advance(1);
    EXPECT_FALSE(adScreen->presentedViewController());
}

TEST_F(GADOpenerTest, StoreSheetsAfterTheLoadAtOnceAndFromTheApplicationsCache) {
    services::Storefront::shared().addProduct(services::Product{"42", "Game", "", 1.99});

    // Waiting: a product the store cannot show opens the fallback instead.
    opener->openInAppStoreWithProductID("13", url("https://store.example/13"), true);
    settle();
    EXPECT_FALSE(takePresented());
    EXPECT_EQ(application.openedURLs(), std::vector<std::string>{"https://store.example/13"});
    take();
    opener->openInAppStoreWithProductID("42", url("https://store.example/42"), true);
    EXPECT_FALSE(root->presentedViewController());
    auto waited = std::dynamic_pointer_cast<services::StoreProductViewController>(takePresented());
    ASSERT_TRUE(waited);
    EXPECT_EQ(waited->requests().front().get("id").integerValue(), 42);
    EXPECT_EQ(take(), (Log{"ping clicks", "opened in app"}));

    // Not waiting: shown at once, the same sheet for the same product.
    opener->openInAppStoreWithProductID("42", std::nullopt, false);
    auto first = root->presentedViewController();
    ASSERT_TRUE(first);
    EXPECT_EQ(takePresented(), first);
    EXPECT_EQ(take(), (Log{"ping clicks", "opened in app"}));
    opener->openInAppStoreWithProductID("042", std::nullopt, false);
    EXPECT_EQ(takePresented(), first);

    // The sheets go to the application's cache with the opener; the next
    // opener takes them from there and keeps them.
    opener.reset();
    auto next = std::make_shared<GADOpener>();
    auto taken = next->fetchInAppStoreForProductID("42");
    EXPECT_EQ(taken, first);
    EXPECT_EQ(next->fetchInAppStoreForProductID("42"), first);
    next.reset();
    EXPECT_EQ(
        GADApplication::sharedApplication().cachedStoreProductViewControllerForProductID("42"),
        first);

    // Without the store sheet the fallback opens.
    foundation::ClassRegistry::shared().unregisterClass("SKStoreProductViewController");
    auto plain = std::make_shared<GADOpener>();
    plain->setViewController(root);
    plain->openInAppStoreWithProductID("42", url("https://store.example/42"), true);
    settle();
    EXPECT_FALSE(takePresented());
    EXPECT_EQ(application.openedURLs().back(), "https://store.example/42");
}

TEST_F(GADOpenerTest, AStoreSheetLoadedForAScreenBeingDismissedIsNotShown) {
    services::Storefront::shared().addProduct(services::Product{"42", "Game", "", 1.99});
    auto screen = std::make_shared<ui::ViewController>();
    root->presentViewController(screen, false);
    settle();
    opener->setViewController(screen);
    opener->openInAppStoreWithProductID("42", std::nullopt, true);
    root->dismissViewController(true);
    settle();
    EXPECT_FALSE(screen->presentedViewController());
    EXPECT_TRUE(take().empty());
}

TEST_F(GADOpenerTest, CalendarEntriesNeedTheUsersLeaveAndThePageHearsWhenNoneIsMade) {
    const foundation::Dictionary event{{"start", "2026-12-24T18:00:00+01:00"},
                                       {"end", "2026-12-24T20:00:00+01:00"},
                                       {"summary", "Carols"},
                                       {"description", "Evening"},
                                       {"location", "Square"}};
    const std::string canceled = "VIRA_ReceiveMessage('onCalendarEventCanceled');";

    opener->openCalendarWithDictionary(event);
    EXPECT_FALSE(root->presentedViewController());
    settle();
    auto editor = std::dynamic_pointer_cast<services::EventEditViewController>(
        root->presentedViewController());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->event().title, "Evening");
    EXPECT_EQ(editor->event().notes, "Carols");
    EXPECT_EQ(editor->event().location, "Square");
    EXPECT_TRUE(editor->event().startDate && editor->event().endDate);
    ASSERT_TRUE(editor->save());
    settle();
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_EQ(editor->eventStore()->savedEvents().size(), 1u);
    EXPECT_TRUE(adPage->scripts.empty());

    opener->openCalendarWithDictionary(event);
    settle();
    editor = std::dynamic_pointer_cast<services::EventEditViewController>(
        root->presentedViewController());
    ASSERT_TRUE(editor);
    editor->cancel();
    settle();
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_EQ(adPage->scripts, std::vector<std::string>{canceled});
    adPage->scripts.clear();

    services::EventStore::setAccessGranted(false);
    opener->openCalendarWithDictionary(event);
    settle();
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_EQ(adPage->scripts, std::vector<std::string>{canceled});

    // An incomplete event opens nothing.
    services::EventStore::setAccessGranted(true);
    adPage->scripts.clear();
    opener->openCalendarWithDictionary({{"summary", "Carols"}});
    settle();
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_TRUE(adPage->scripts.empty());
    EXPECT_TRUE(take().empty());
}

TEST_F(GADOpenerTest, TheComponentsScreensAreMadeAndShownFromTheController) {
    opener->setReferringURL(url("https://ad.example/page"));
    struct Case {
        std::string name;
        std::function<void()> action;
        Log log;
    };
    const std::vector<Case> cases = {
        {"browser",
         [&] { opener->openBrowserToURL(url("https://a.example/"), 2); },
         {"present browser https://a.example/ o2 from https://ad.example/page", "ping clicks",
          "opened in app"}},
        {"browser without URL", [&] { opener->openBrowserToURL(std::nullopt, 2); }, {}},
        {"web app",
         [&] { opener->openWebApp(url("https://a.example/"), 3, true); },
         {"present web app o3 custom close loading https://a.example/", "ping clicks",
          "opened in app"}},
        {"web app HTML",
         [&] { opener->openWebAppWithHTML("<p>", 1, false); },
         {"present web app o1 loading <p>", "ping clicks", "opened in app"}},
        {"expand",
         [&] { opener->expandToWebAppWithSupportedOrientations(1, false); },
         {"present web app of the ad o1", "ping clicks", "opened in app"}},
        {"purchase",
         [&] {
             opener->openInAppPurchase("sku", 3, {"a", "b"});
         },
         {"make purchase sku x3 2 reports", "ping clicks", "opened in app"}},
        {"toolbar",
         [&] { opener->openPublisherToolbar(std::nullopt, "<html>"); },
         {"present toolbar unit over <html>"}},
        {"toolbar for a unit",
         [&] { opener->openPublisherToolbar("other", "<html>"); },
         {"present toolbar other over <html>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.action();
        takePresented();
        EXPECT_EQ(take(), c.log);
    }
    // Nothing to present from: no screen.
    opener->setViewController(nullptr);
    opener->openWebApp(url("https://a.example/"), 1, false);
    EXPECT_TRUE(take().empty());
}

TEST_F(GADOpenerTest, InsideAnAdScreenExpandDoesNothingAndAPurchaseGivesTheScreenBack) {
    auto adScreen = std::make_shared<AdScreen>();
    opener->setViewController(adScreen);
    opener->expandToWebAppWithSupportedOrientations(1, false);
    EXPECT_TRUE(take().empty());
    opener->openInAppPurchase("sku", 1, {});
    EXPECT_EQ(take(), (Log{"make purchase sku x1 0 reports", "ping clicks", "opened in app",
                           "relinquish"}));
}

TEST_F(GADOpenerTest, TheToolbarWaitsForWhatTheControllerShowsToGo) {
    auto shown = std::make_shared<ui::ViewController>();
    root->presentViewController(shown, false);
    settle();
    opener->openPublisherToolbar(std::nullopt, "<html>");
    EXPECT_TRUE(take().empty());
    settle();
    EXPECT_EQ(take(), Log{"present toolbar unit over <html>"});
    EXPECT_NE(root->presentedViewController(), shown);
}
