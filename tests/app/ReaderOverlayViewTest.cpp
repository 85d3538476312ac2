// The scanner's overlay: the toolbar items and light button by torch, the
// torch toggle, the history, album and menu buttons, the help tip, and the
// "Our Apps" loaders against a local server, whose "Loading" HUD goes on every
// outcome.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/DeveloperPage.h"
#include "model/AESCrypt.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/NavigationController.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "tests/app/ScannerFixture.h"
#include "tests/support/LocalServer.h"
#include "ui/JGProgressHUD/JGProgressHUD.h"

namespace {

using ReaderOverlayViewTest = ScannerFixture;

std::vector<std::string> itemTitles(const ui::Toolbar& toolbar) {
    std::vector<std::string> titles;
    for (const auto& item : toolbar.items())
        titles.push_back(item->isSpace() ? "-" : item->displayTitle());
    return titles;
}

TEST_F(ReaderOverlayViewTest, WithATorchTheLightIsOffered) {
    launch();
    EXPECT_EQ(itemTitles(*overlay->toolbar()), (std::vector<std::string>{"History", "-", "Light"}));
    EXPECT_FALSE(overlay->coverView()->btnLight()->isHidden());
    EXPECT_EQ(overlay->infoBtn2(), overlay->coverView()->btnLight());
    EXPECT_EQ(overlay->toolbar()->superview(), nullptr);
}

TEST_F(ReaderOverlayViewTest, WithoutATorchTheLightIsLeftOut) {
    useCamera(false);
    launch();
    EXPECT_EQ(itemTitles(*overlay->toolbar()), (std::vector<std::string>{"History", "-"}));
    EXPECT_TRUE(overlay->coverView()->btnLight()->isHidden());
}

TEST_F(ReaderOverlayViewTest, TheLightButtonTogglesTheTorchAndShowsWhatTheNextTapDoes) {
    launch();
    auto light = overlay->coverView()->btnLight();
    auto icon = [&] { return light->imageForState(ui::ControlState::normal); };
    EXPECT_EQ(static_cast<int>(overlay->infoBtn1()->style()), 1);

    ASSERT_TRUE(light->tap());
    EXPECT_EQ(static_cast<int>(overlay->infoBtn1()->style()), 2);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::on);
    auto off = graphics::Image::imageNamed("flash_off");
    ASSERT_TRUE(icon());
    EXPECT_TRUE(samePixels(icon(), off));
    EXPECT_EQ(icon()->renderingMode(), graphics::RenderingMode::alwaysTemplate);

    // Coming back with the torch on lights it again 0.1 s later.
    camera->lockForConfiguration();
    camera->setTorchMode(media::TorchMode::off);
    camera->unlockForConfiguration();
    overlay->willAppear();
    clock->advance(0.09);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::off);
    clock->advance(0.02);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::on);

    ASSERT_TRUE(light->tap());
    EXPECT_EQ(static_cast<int>(overlay->infoBtn1()->style()), 1);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::off);
    auto on = graphics::Image::imageNamed("flash_on");
    EXPECT_TRUE(samePixels(icon(), on));
    EXPECT_FALSE(samePixels(on, off));

    // With the torch off, coming back does not light it.
    overlay->willAppear();
    clock->advance(0.2);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::off);
}

TEST_F(ReaderOverlayViewTest, HistoryAndAlbumButtonsActATenthOfASecondLater) {
    launch();
    ASSERT_TRUE(overlay->coverView()->btnHistory()->tap());
    clock->advance(0.09);
    EXPECT_EQ(topName(), "scanner");
    clock->advance(0.02);
    EXPECT_EQ(topName(), "history");

    nav()->popToRootViewController(false);
    clock->advance(1);
    ASSERT_TRUE(overlay->coverView()->btnAlbum()->tap());
    clock->advance(0.09);
    EXPECT_FALSE(nav()->presentedViewController());
    clock->advance(0.02);
    EXPECT_TRUE(std::dynamic_pointer_cast<ZBarReaderController>(nav()->presentedViewController()));
}

TEST_F(ReaderOverlayViewTest, TheMenuOpensTheQRCreatorOrTheAboutScreen) {
    launch();
    struct Case {
        int index;
        std::string pushed;
    };
    for (const auto& c : {Case{0, "qr"}, Case{1, "about"}, Case{3, "scanner"}}) {
        SCOPED_TRACE(c.index);
        ui::AlertCenter::shared().reset();
        ASSERT_TRUE(overlay->coverView()->btnMenu()->tap());
        const auto& shown = ui::AlertCenter::shared().visibleAlerts();
        ASSERT_EQ(shown.size(), 1u);
        auto sheet = std::dynamic_pointer_cast<ui::ActionSheet>(shown.front());
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->title(), "");
        EXPECT_EQ(
            sheet->buttonTitles(),
            (std::vector<std::string>{"QR Code Creator", "Help & About", "Our Apps", "Cancel"}));
        EXPECT_EQ(sheet->actionSheetStyle(), ui::ActionSheetStyle::blackOpaque);
        EXPECT_EQ(sheet->anchorView(), overlay);
        ASSERT_TRUE(sheet->tapButton(c.index));
        clock->advance(1);
        EXPECT_EQ(topName(), c.pushed);
        nav()->popToRootViewController(false);
        clock->advance(1);
    }
}

TEST_F(ReaderOverlayViewTest, TheHelpTipStaysFoldedAway) {
    launch();
    EXPECT_EQ(overlay->tipShowDelay(), 5);
    EXPECT_EQ(overlay->tipHideDelay(), 5);
    overlay->initTip();
    auto tip = overlay->tipView();
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->frame(), graphics::Rect(4, 360, 312, 118));
    EXPECT_EQ(tip->layer().cornerRadius(), 16);
    overlay->willAppear();
    const graphics::AffineTransform folded{0.1, 0, 2.5, 0.4875, 280.5, 45.16};
    EXPECT_EQ(tip->transform(), folded);
    // The tip is never allowed to show: showing leaves it folded.
    overlay->showTipAnimated();
    EXPECT_EQ(tip->transform(), folded);
    overlay->willDisappear();
    clock->advance(1);
    EXPECT_FALSE(overlay->showTip());
    EXPECT_EQ(tip->transform(), folded);
}

// The maker's page served from 127.0.0.1, one answer per path.
class DeveloperPageLoaderTest : public ScannerFixture {
  protected:
    void SetUp() override {
        ScannerFixture::SetUp();
        address = server.url("/lookup?id=42");
        auto page = [](const std::string& paragraph) {
            return "<html><body><p class='intro'>Apps</p><p class='special-post'>" + paragraph +
                   "</p></body></html>";
        };
        const std::string good = page(AESCrypt::encrypt(address, DeveloperPage::kPassword));
        server.serve("/ok", 200, good);
        server.serve("/missing", 404, good);
        server.serve("/failing", 500, good);
        server.serve("/plain", 200, "<html><body><p class='intro'>no paragraph</p></body></html>");
        server.serve("/garbled", 200, page("this is not cipher text"));
        server.serve("/empty", 200, page(AESCrypt::encrypt("", DeveloperPage::kPassword)));
        server.serve("/binary", 200, std::string("\x00\x01\x02<<<p", 7));
        server.start();
    }
    void TearDown() override {
        server.stop();
        DeveloperPage::setURL("http://127.0.0.1:1/");
        ScannerFixture::TearDown();
    }

    std::vector<JGProgressHUD::Ptr> huds() const {
        return JGProgressHUD::allProgressHUDsInView(*nav()->view());
    }

    testing_support::LocalServer server;
    std::string address;
};

TEST_F(DeveloperPageLoaderTest, EveryOutcomeTakesTheHUDAwayAndOnlyADecryptedAddressOpensTheList) {
    launch();
    struct Case {
        const char* rule;
        std::string path;
        bool pushes;
    };
    const Case cases[] = {
        {"the decrypted paragraph opens the list", "/ok", true},
        {"a 404 opens nothing", "/missing", false},
        {"another error status opens nothing", "/failing", false},
        {"a page without the paragraph opens nothing", "/plain", false},
        {"a paragraph that does not decrypt opens nothing", "/garbled", false},
        {"an encrypted empty text opens nothing", "/empty", false},
        {"a page that is not HTML opens nothing", "/binary", false},
        {"a transport error opens nothing", "", false},
    };
    struct Loader {
        const char* name;
        void (ReaderOverlayView::*load)();
        bool animated;
    };
    for (const auto& loader :
         {Loader{"session task", &ReaderOverlayView::loadDeveloperUrl2, true},
          Loader{"global queue", &ReaderOverlayView::loadDeveloperUrl, false}}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(loader.name) + ": " + c.rule);
            DeveloperPage::setURL(c.path.empty() ? "http://127.0.0.1:1/" : server.url(c.path));
            otherAppsAddresses.clear();
            nav()->setNavigationBarHidden(true);

            (overlay.get()->*loader.load)();
            auto shown = huds();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown.front()->textLabel()->text(), "Loading");
            EXPECT_EQ(shown.front()->style(), JGProgressHUDStyle::dark);
            EXPECT_EQ(shown.front()->interactionType(),
                      JGProgressHUDInteractionType::blockAllTouches);

            ASSERT_TRUE(settle([&] { return huds().empty(); })) << "the HUD stays";
            clock->advance(1);
            if (c.pushes) {
                EXPECT_EQ(otherAppsAddresses, std::vector<std::string>{address});
                EXPECT_EQ(topName(), "apps");
                EXPECT_FALSE(nav()->isNavigationBarHidden());
                nav()->popToRootViewController(false);
                clock->advance(1);
            } else {
                EXPECT_TRUE(otherAppsAddresses.empty());
                EXPECT_EQ(topName(), "scanner");
            }
            // The application answers touches again: the history button works.
            ASSERT_TRUE(overlay->coverView()->btnHistory()->tap());
            clock->advance(1);
            EXPECT_EQ(topName(), "history");
            nav()->popToRootViewController(false);
            clock->advance(1);
        }
    }
}

TEST_F(DeveloperPageLoaderTest, TheMenusOurAppsEntryOpensTheListOfTheDecryptedAddress) {
    launch();
    DeveloperPage::setURL(server.url("/ok"));
    ui::AlertCenter::shared().reset();
    ASSERT_TRUE(overlay->coverView()->btnMenu()->tap());
    auto sheet = std::dynamic_pointer_cast<ui::ActionSheet>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->tapButton(2));
    ASSERT_TRUE(settle([&] { return !otherAppsAddresses.empty(); }));
    clock->advance(1);
    EXPECT_EQ(otherAppsAddresses, std::vector<std::string>{address});
    EXPECT_EQ(topName(), "apps");
}

TEST_F(DeveloperPageLoaderTest, ThePageIsReadOnlyFromASuccessfulAnswer) {
    const std::string body =
        "<p class='special-post'>" +
        AESCrypt::encrypt("https://lookup.example/x", DeveloperPage::kPassword) + "</p>";
    const foundation::Data data(body.begin(), body.end());
    const auto url = *foundation::URL::fromString("http://127.0.0.1/");
    struct Case {
        int status;
        bool read;
    };
    for (auto c :
         {Case{200, true}, Case{304, true}, Case{204, false}, Case{404, false}, Case{500, false}}) {
        SCOPED_TRACE(c.status);
        auto answer = DeveloperPage::appsAddress(data, net::URLResponse::http(url, c.status, {}),
                                                 std::nullopt);
        EXPECT_EQ(answer.has_value(), c.read);
        if (answer) {
            EXPECT_EQ(*answer, "https://lookup.example/x");
        }
    }
    EXPECT_FALSE(DeveloperPage::appsAddress(data, std::nullopt, std::nullopt));
}

}  // namespace
