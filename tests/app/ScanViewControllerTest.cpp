// The scan-result screen: its rows for SMS, place, telephone and contact
// results, the body height, what each row does, the share menu, the one
// process-wide banner, and where an open-URL action opens its address.

#include <gtest/gtest.h>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADURLAdditions.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/QRGenViewController.h"
#include "app/ScanViewController.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextView.h"
#include "platform/web/WebClasses.h"
#include "results/OpenUrlAction.h"
#include "results/ParsedResult.h"
#include "results/ResultAction.h"
#include "results/UniversalResultParser.h"
#include "tests/platform/ui/UiTestFixture.h"
#include "ui/KINWebBrowser/KINWebBrowserViewController.h"

namespace {

// An action that records how it was run.
class RecordingAction : public ResultAction {
  public:
    std::string title() const override { return "Record"; }
    void performActionWithController(const std::shared_ptr<ui::ViewController>& controller,
                                     bool shouldConfirm) override {
        ++runs;
        this->controller = controller;
        confirmed = shouldConfirm;
    }
    int runs = 0;
    // Weak: the screen owns the result, which owns this action.
    std::weak_ptr<ui::ViewController> controller;
    bool confirmed = true;
};

// A result with a given display text and actions.
class StubResult : public ParsedResult {
  public:
    StubResult(std::string display, ActionList actions)
        : display_(std::move(display)), stubActions_(std::move(actions)) {}
    std::string stringForDisplay() const override { return display_; }
    std::string className() const override { return "StubResult"; }
    std::string typeName() const override { return "Stub"; }

  protected:
    void populateActions(ActionList& actions) override { actions = stubActions_; }

  private:
    std::string display_;
    ActionList stubActions_;
};

bool showsLabel(const ui::View::Ptr& view, const std::string& text) {
    if (auto label = std::dynamic_pointer_cast<ui::Label>(view); label && label->text() == text)
        return true;
    for (const auto& sub : view->subviews()) {
        if (showsLabel(sub, text))
            return true;
    }
    return false;
}

constexpr const char* kVCard =
    "BEGIN:VCARD\nVERSION:3.0\nN:Doe;Jane\nFN:Jane Doe\nTEL:+15550199\nEND:VCARD";

class ScanViewControllerTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        GADSetSDKCorePageURL(std::string("http://127.0.0.1:1") + kGADSDKCorePagePath);
        ui::Pasteboard::generalPasteboard().clear();
        for (const char* scheme : {"tel", "sms", "http", "https"})
            ui::Application::shared().registerURLHandler(scheme,
                                                         [](const std::string&) { return true; });
        nav_ = ui::NavigationController::withRootViewController(
            std::make_shared<ui::ViewController>());
        window_ = show(nav_);
    }
    void TearDown() override {
        foundation::ClassRegistry::shared().unregisterClass("WKWebView");
        window_.reset();
        nav_.reset();
        UiTest::TearDown();
    }

    std::shared_ptr<ScanViewController> push(std::shared_ptr<ParsedResult> result,
                                             const std::string& text) {
        auto screen = std::make_shared<ScanViewController>(
            std::move(result), std::make_shared<Scan>(-1, text, foundation::Date::now()));
        nav_->pushViewController(screen, false);
        settle();
        return screen;
    }
    std::shared_ptr<ScanViewController> pushScanOf(const std::string& text) {
        return push(UniversalResultParser::parsedResultForString(text), text);
    }

    static ui::TableViewCell::Ptr cell(ScanViewController& screen, int section, int row) {
        return screen.tableView()->cellForRowAtIndexPath(ui::IndexPath::forRow(row, section));
    }
    static std::string buttonText(ScanViewController& screen, int section, int row) {
        auto label = std::dynamic_pointer_cast<ui::Label>(
            cell(screen, section, row)
                ->contentView()
                ->viewWithTag(ScanViewController::kButtonLabelTag));
        return label ? label->text() : "(no label)";
    }
    // Makes an AppDelegate the application's, with `nav_` as its navigation.
    void installDelegate() {
        auto delegate = std::make_shared<AppDelegate>();
        delegate->setNav2(nav_);
        ui::Application::shared().setDelegate(delegate);
    }

    ui::NavigationController::Ptr nav_;
    ui::Window::Ptr window_;
};

TEST_F(ScanViewControllerTest, ShowsTheResultItsActionsAndTheCopyRow) {
    struct Case {
        std::string text;
        std::string typeName;
        std::string actionTitle;
    };
    const Case cases[] = {
        {"SMSTO:+15550100:hello", "SMS", "Send SMS to +15550100"},
        {"geo:48.8582,2.2945", "Location", "Show on Map"},
        {"tel:+15550123", "Phone Number", "Call +15550123"},
        {kVCard, "Contact", "Add Contact"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto screen = pushScanOf(c.text);
        auto table = screen->tableView();
        ASSERT_EQ(table->numberOfSections(), 4);
        EXPECT_EQ(table->numberOfRowsInSection(0), 3);
        EXPECT_EQ(table->numberOfRowsInSection(1), 1);
        EXPECT_EQ(table->numberOfRowsInSection(2), 1);
        EXPECT_EQ(table->numberOfRowsInSection(3), 1);

        auto title = cell(*screen, 0, 0);
        EXPECT_EQ(title->reuseIdentifier(), ScanViewController::kTitleIdentifier);
        EXPECT_EQ(title->textLabel()->text(), c.typeName);
        ASSERT_TRUE(title->imageView()->image());
        EXPECT_EQ(title->imageView()->image()->renderingMode(),
                  graphics::RenderingMode::alwaysTemplate);

        auto body = std::dynamic_pointer_cast<ui::TextView>(
            cell(*screen, 0, 1)->contentView()->viewWithTag(ScanViewController::kBodyTag));
        ASSERT_TRUE(body);
        EXPECT_EQ(body->text(), screen->result()->stringForDisplay());
        EXPECT_FALSE(body->isEditable());
        EXPECT_EQ(body->dataDetectorTypes(), ui::DataDetectorTypes::all);
        EXPECT_EQ(body->font().fontName(), "TimesNewRomanPSMT");

        EXPECT_NE(cell(*screen, 0, 2)->textLabel()->text().find("2023"), std::string::npos)
            << "the scan time, long date and time";
        EXPECT_EQ(buttonText(*screen, 2, 0), c.actionTitle);
        EXPECT_EQ(buttonText(*screen, 3, 0), "Copy to Clipboard");
        EXPECT_EQ(cell(*screen, 3, 0)->reuseIdentifier(), ScanViewController::kButtonIdentifier);

        EXPECT_EQ(screen->title(), "Scan Result");
        EXPECT_FALSE(nav_->isToolbarHidden());
        EXPECT_FALSE(nav_->isNavigationBarHidden());
        nav_->popViewController(false);
        settle();
    }
}

TEST_F(ScanViewControllerTest, AResultWithoutActionsHasThreeSections) {
    auto screen =
        push(std::make_shared<StubResult>("no actions", ParsedResult::ActionList{}), "no actions");
    auto table = screen->tableView();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(buttonText(*screen, 2, 0), "Copy to Clipboard");
    table->tapRowAtIndexPath(ui::IndexPath::forRow(0, 2));
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "no actions");
}

TEST_F(ScanViewControllerTest, TheBodyRowGrowsWithItsTextBetween44And330) {
    const auto font = ui::Font::fontWithName("TimesNewRomanPSMT", 16);
    EXPECT_EQ(ScanViewController::bodyHeightForText("", font), 44);
    EXPECT_EQ(ScanViewController::bodyHeightForText(std::string(5000, 'x'), font), 330);
    // Three lines of 8-point characters wrapped at 280 points: 3 x 19.2 rounded up, plus 24.
    const std::string threeLines(35 * 3, 'x');
    EXPECT_EQ(ScanViewController::bodyHeightForText(threeLines, font), 58 + 24);

    auto screen = push(
        std::make_shared<StubResult>(std::string(5000, 'y'), ParsedResult::ActionList{}), "long");
    auto table = screen->tableView();
    EXPECT_EQ(screen->heightForRowAtIndexPath(*table, ui::IndexPath::forRow(1, 0)), 330);
    EXPECT_EQ(screen->heightForRowAtIndexPath(*table, ui::IndexPath::forRow(0, 0)), 44);
    EXPECT_EQ(screen->heightForRowAtIndexPath(*table, ui::IndexPath::forRow(2, 0)), 24);
    EXPECT_EQ(screen->heightForRowAtIndexPath(*table, ui::IndexPath::forRow(0, 1)), 50)
        << "the smart banner's height on a phone";
}

TEST_F(ScanViewControllerTest, AnActionRunsOnTheNextTurnWithoutConfirmation) {
    auto action = std::make_shared<RecordingAction>();
    auto screen =
        push(std::make_shared<StubResult>("text", ParsedResult::ActionList{action}), "text");
    auto table = screen->tableView();
    const auto row = ui::IndexPath::forRow(0, 2);
    table->tapRowAtIndexPath(row);
    EXPECT_EQ(action->runs, 0) << "not while the tap is handled";
    EXPECT_FALSE(table->indexPathForSelectedRow()) << "deselected";
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(action->runs, 1);
    EXPECT_EQ(action->controller.lock(), screen);
    EXPECT_FALSE(action->confirmed);
}

TEST_F(ScanViewControllerTest, TheHeaderAndTheAdRowDoNothingWhenTapped) {
    auto action = std::make_shared<RecordingAction>();
    auto screen =
        push(std::make_shared<StubResult>("text", ParsedResult::ActionList{action}), "text");
    auto table = screen->tableView();
    for (int r = 0; r < 3; ++r)
        EXPECT_FALSE(table->tapRowAtIndexPath(ui::IndexPath::forRow(r, 0))) << r;
    table->tapRowAtIndexPath(ui::IndexPath::forRow(0, 1));
    settle();
    EXPECT_EQ(action->runs, 0);
    EXPECT_FALSE(ui::Pasteboard::generalPasteboard().string());
    EXPECT_FALSE(nav_->presentedViewController());
}

TEST_F(ScanViewControllerTest, ATelephoneActionCallsAtOnce) {
    auto screen = pushScanOf("tel:+15550123");
    screen->tableView()->tapRowAtIndexPath(ui::IndexPath::forRow(0, 2));
    settle();
    EXPECT_TRUE(ui::AlertCenter::shared().visibleAlerts().empty()) << "no confirmation";
    ASSERT_EQ(ui::Application::shared().openedURLs().size(), 1u);
    EXPECT_EQ(ui::Application::shared().openedURLs()[0], "tel:+15550123");
}

TEST_F(ScanViewControllerTest, TheCopyRowCopiesTheScannedTextWithAToast) {
    auto screen = pushScanOf("geo:48.8582,2.2945");
    auto table = screen->tableView();
    table->tapRowAtIndexPath(ui::IndexPath::forRow(0, 3));
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "geo:48.8582,2.2945")
        << "the text as scanned, not as displayed";
    EXPECT_FALSE(table->indexPathForSelectedRow());
    EXPECT_TRUE(showsLabel(screen->view(), "Copied to clipboard"));
    advance(4);
    EXPECT_FALSE(showsLabel(screen->view(), "Copied to clipboard")) << "gone after 3 s";
}

TEST_F(ScanViewControllerTest, TheShareMenuCopiesMakesAQRCodeOrShares) {
    auto screen = pushScanOf("tel:+15550123");
    auto openMenu = [&] {
        screen->shareItem()->tap();
        auto sheet =
            std::dynamic_pointer_cast<ui::ActionSheet>(ui::AlertCenter::shared().topAlert());
        EXPECT_TRUE(sheet);
        return sheet;
    };

    auto sheet = openMenu();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->tag(), ScanViewController::kShareSheetTag);
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::toolbar);
    ASSERT_EQ(sheet->numberOfButtons(), 4);
    EXPECT_EQ(sheet->buttonTitleAtIndex(sheet->cancelButtonIndex()), "Cancel");
    sheet->tapButtonTitled("Copy to Clipboard");
    settle();
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "tel:+15550123");
    EXPECT_FALSE(showsLabel(screen->view(), "Copied to clipboard")) << "no toast from the menu";

    openMenu()->tapButtonTitled("Share");
    EXPECT_FALSE(screen->presentedViewController()) << "only 0.1 s later";
    advance(0.1);
    auto share =
        std::dynamic_pointer_cast<ui::ActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(share);
    ASSERT_EQ(share->activityItems().size(), 1u);
    EXPECT_EQ(std::get<std::string>(share->activityItems()[0]),
              screen->result()->stringForDisplay() + "\n");
    share->cancel();
    settle();

    openMenu()->tapButtonTitled("Create QR Code");
    settle();
    auto qr = std::dynamic_pointer_cast<QRGenViewController>(nav_->topViewController());
    ASSERT_TRUE(qr);
    EXPECT_EQ(qr->qrText(), "tel:+15550123");
}

TEST_F(ScanViewControllerTest, OnATabletTheMenuAndTheShareSheetPointAtTheShareItem) {
    ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::pad);
    auto screen = pushScanOf("tel:+15550123");
    screen->shareItem()->tap();
    auto sheet = std::dynamic_pointer_cast<ui::ActionSheet>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->anchor(), ui::ActionSheetAnchor::barButtonItem);
    EXPECT_EQ(sheet->anchorItem(), screen->shareItem());
    screen->emailPhoto();
    settle();
    auto share =
        std::dynamic_pointer_cast<ui::ActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(share);
    EXPECT_EQ(share->popoverPresentationController().barButtonItem(), screen->shareItem());
    EXPECT_EQ(share->popoverPresentationController().sourceView(), screen->view());
}

TEST_F(ScanViewControllerTest, OneBannerIsMadeAndLoadedForEveryScreen) {
    const auto before = ScanViewController::sharedBanner();
    auto first = pushScanOf("tel:+15550123");
    auto banner = ScanViewController::sharedBanner();
    ASSERT_TRUE(banner);
    if (before) {
        EXPECT_EQ(banner, before);
    }
    EXPECT_EQ(banner->superview(), cell(*first, 1, 0)->contentView());
    EXPECT_EQ(banner->adUnitID(), std::string(ScanViewController::kAdUnitID));
    auto request = banner->slot()->request();
    ASSERT_TRUE(request) << "loaded";
    ASSERT_TRUE(request->testDevices());
    EXPECT_EQ(request->testDevices()->size(), 4u);

    auto second = pushScanOf("geo:1,2");
    EXPECT_EQ(ScanViewController::sharedBanner(), banner);
    EXPECT_EQ(banner->superview(), cell(*second, 1, 0)->contentView()) << "moved to the new row";
    EXPECT_EQ(banner->slot()->request(), request) << "no second request";
}

TEST_F(ScanViewControllerTest, OpenURLUsesTheBrowserOnlyForWebAddressesWithAModernWebView) {
    installDelegate();
    struct Case {
        std::string url;
        bool modernWebView;
        bool inBrowser;
        // Whether the platform refuses it (no handler for the scheme).
        bool refused = false;
    };
    const Case cases[] = {
        {"https://example.org/a", true, true},   {"http://example.org/b", true, true},
        {"https://example.org/c", false, false}, {"tel:+15550123", true, false},
        {"sms:+15550100", false, false},         {"ftp://example.org/f", true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        auto& registry = foundation::ClassRegistry::shared();
        if (c.modernWebView)
            web::registerWebClasses();
        else
            registry.unregisterClass("WKWebView");
        const auto opened = ui::Application::shared().openedURLs().size();
        ScanViewController::openURL(foundation::URL::fromString(c.url));
        settle();
        auto browserNav =
            std::dynamic_pointer_cast<ui::NavigationController>(nav_->presentedViewController());
        if (c.inBrowser) {
            ASSERT_TRUE(browserNav);
            auto browser = KINWebBrowser::rootWebBrowser(*browserNav);
            ASSERT_TRUE(browser);
            EXPECT_EQ(ui::Application::shared().openedURLs().size(), opened);
            nav_->dismissViewController(false);
            settle();
        } else {
            EXPECT_FALSE(browserNav);
            ASSERT_EQ(ui::Application::shared().openedURLs().size(), opened + 1);
            EXPECT_EQ(ui::Application::shared().openedURLs().back(), c.url);
        }
        auto alert = ui::AlertCenter::shared().topAlert();
        EXPECT_EQ(alert != nullptr, c.refused);
        if (alert) {
            EXPECT_EQ(alert->title(), "Invalid URL");
            alert->tapButton(alert->cancelButtonIndex());
            settle();
        }
    }
}

TEST_F(ScanViewControllerTest, RegisteringMakesItTheScanResultScreenAndTheWayURLsOpen) {
    auto existing = AppScreens::shared().scanResult;
    ScanViewController::registerScreen();
    auto& factory = AppScreens::shared().scanResult;
    ASSERT_TRUE(factory);
    auto result = UniversalResultParser::parsedResultForString("tel:1");
    const auto stamp = foundation::Date::fromTimeIntervalSinceReferenceDate(1000);
    auto screen = std::dynamic_pointer_cast<ScanViewController>(factory(result, "tel:1", stamp));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->result(), result);
    EXPECT_EQ(screen->scan()->ident(), -1);
    EXPECT_EQ(screen->scan()->text(), "tel:1");
    EXPECT_EQ(screen->scan()->stamp().timeIntervalSinceReferenceDate(), 1000);

    // A screen set already (a test's, say) is kept.
    AppScreens::shared().scanResult = [](const std::shared_ptr<ParsedResult>&, const std::string&,
                                         foundation::Date) { return nullptr; };
    ScanViewController::registerScreen();
    EXPECT_FALSE(AppScreens::shared().scanResult(result, "tel:1", stamp));

    // Every open-URL action now opens web addresses in the browser.
    installDelegate();
    web::registerWebClasses();
    OpenUrlAction::actionWithURL(foundation::URL::fromString("https://example.org/"))
        ->performActionWithController(nullptr, false);
    settle();
    EXPECT_TRUE(
        std::dynamic_pointer_cast<ui::NavigationController>(nav_->presentedViewController()));
    EXPECT_TRUE(ui::Application::shared().openedURLs().empty());
}

}  // namespace
