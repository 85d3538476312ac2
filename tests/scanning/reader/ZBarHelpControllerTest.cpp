#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Alert.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "scanning/zbar/ZBarHelpController.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class ZBarHelpControllerTest : public UiTest {
  protected:
    // Shows a help screen as the root of a window and waits for its page.
    ZBarHelpController::Ptr showHelp(std::optional<std::string> reason) {
        auto help = std::make_shared<ZBarHelpController>(std::move(reason));
        window_ = show(help);
        foundation::RunLoop::main().runUntil([&] { return !help->webView()->isHidden(); }, 10);
        return help;
    }
    std::string page(const ZBarHelpController::Ptr& help, const std::string& script) {
        return help->webView()->stringByEvaluatingJavaScriptFromString(script);
    }

    ui::Window::Ptr window_;
};

TEST_F(ZBarHelpControllerTest, PageIsToldTheReason) {
    struct Case {
        std::optional<std::string> reason;
        std::string seen;
        std::string title;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "INFO", "Scanning help"},  // no reason means "INFO"
        {"FAIL", "FAIL", "Scanning problem"},
        // quotes and backslashes arrive as written, never as script
        {R"(say "hi"\ });alert(1);//)", R"(say "hi"\ });alert(1);//)", "Scanning problem"},
    };
    for (const auto& c : cases) {
        auto help = showHelp(c.reason);
        ASSERT_FALSE(help->webView()->isHidden());
        EXPECT_EQ(page(help, "document.getElementById('reason').textContent"), c.seen);
        EXPECT_EQ(help->webView()->title(), c.title);
        EXPECT_EQ(help->toolbar()->items(), (std::vector<ui::BarButtonItem::Ptr>{
                                                help->toolbar()->items()[0], help->doneButton()}));
        // The page fills the screen above a toolbar of 44 points.
        const double height = help->view()->bounds().size.height;
        EXPECT_EQ(help->toolbar()->frame(), graphics::Rect(0, height - 44, 320, 44));
        EXPECT_EQ(help->webView()->frame(), graphics::Rect(0, 0, 320, height - 44));
    }
}

TEST_F(ZBarHelpControllerTest, MissingPageIsLoggedAndLeavesTheScreenEmpty) {
    const auto empty = std::filesystem::path(foundation::ApplicationHome::temporary()) / "none";
    std::filesystem::create_directories(empty);
    setenv("BARCODES_RESOURCES", empty.c_str(), 1);
    foundation::LogCapture log;
    auto help = std::make_shared<ZBarHelpController>();
    auto window = show(help);
    unsetenv("BARCODES_RESOURCES");
    EXPECT_TRUE(log.contains("ERROR: unable to load zbar-help.html from bundle"));
    EXPECT_TRUE(help->webView()->isHidden());
    EXPECT_FALSE(help->webView()->URL());
}

TEST_F(ZBarHelpControllerTest, OutsideLinksWaitForTheUsersConsent) {
    auto help = showHelp(std::nullopt);
    ui::Application::shared().registerURLHandler("http", [](const std::string&) { return true; });

    page(help, "location.href = 'http://example.org/guide'");
    foundation::RunLoop::main().runUntilIdle();
    ASSERT_TRUE(help->linkURL());
    EXPECT_EQ(help->linkURL()->absoluteString(), "http://example.org/guide");
    EXPECT_TRUE(help->webView()->URL()->isFileURL());
    auto alert = ui::AlertCenter::shared().topAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Open External Link");
    EXPECT_EQ(alert->message(), "Close this application and open link in Safari?");
    EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Cancel", "OK"}));

    ASSERT_TRUE(alert->tapButtonTitled("Cancel"));
    EXPECT_TRUE(ui::Application::shared().openedURLs().empty());

    page(help, "location.href = 'http://example.org/guide'");
    foundation::RunLoop::main().runUntilIdle();
    ASSERT_TRUE(ui::AlertCenter::shared().topAlert()->tapButtonTitled("OK"));
    EXPECT_EQ(ui::Application::shared().openedURLs(),
              (std::vector<std::string>{"http://example.org/guide"}));
}

TEST_F(ZBarHelpControllerTest, DoneWithoutDelegateDismissesTheScreen) {
    auto root = std::make_shared<ui::ViewController>();
    auto window = show(root);
    auto help = std::make_shared<ZBarHelpController>();
    root->presentViewController(help, false);
    settle();
    ASSERT_EQ(root->presentedViewController(), help);
    ASSERT_TRUE(help->doneButton()->tap());
    settle();
    EXPECT_FALSE(root->presentedViewController());
}

TEST_F(ZBarHelpControllerTest, OrientationsFollowTheMaskOrTheParent) {
    ZBarHelpController help;
    // No mask and no parent: nothing is allowed.
    EXPECT_FALSE(help.isInterfaceOrientationSupported(ui::InterfaceOrientation::portrait));
    help.setInterfaceOrientation(ui::InterfaceOrientation::landscapeLeft, true);
    help.setInterfaceOrientation(ui::InterfaceOrientation::portrait, true);
    help.setInterfaceOrientation(ui::InterfaceOrientation::portrait, false);
    EXPECT_TRUE(
        help.shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation::landscapeLeft));
    EXPECT_FALSE(help.shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation::portrait));

    auto parent = std::make_shared<ui::ViewController>();
    auto child = std::make_shared<ZBarHelpController>();
    parent->addChildViewController(child);
    EXPECT_TRUE(child->isInterfaceOrientationSupported(ui::InterfaceOrientation::portrait));
    EXPECT_FALSE(child->isInterfaceOrientationSupported(ui::InterfaceOrientation::landscapeLeft));
}

}  // namespace
