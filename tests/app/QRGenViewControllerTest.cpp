// The QR code screen: the code of the text is made once and decodes back to
// the text (line breaks included); a text that cannot be encoded shows no
// image, never the previous one; the share sheet gets the image shown.

#include <gtest/gtest.h>

#include <filesystem>

#include "QRGen/Barcode2.h"
#include "app/QRGenViewController.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "tests/app/QRDecoding.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class QRGenViewControllerTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        nav_ = ui::NavigationController::withRootViewController(
            std::make_shared<ui::ViewController>());
        window_ = show(nav_);
    }
    void TearDown() override {
        window_.reset();
        nav_.reset();
        UiTest::TearDown();
    }
    std::shared_ptr<QRGenViewController> push(const std::string& text) {
        auto screen = std::make_shared<QRGenViewController>();
        screen->setQrText(text);
        nav_->pushViewController(screen, false);
        settle();
        return screen;
    }

    ui::NavigationController::Ptr nav_;
    ui::Window::Ptr window_;
};

TEST_F(QRGenViewControllerTest, ShowsTheCodeOfTheTextWhichDecodesBackToIt) {
    for (const std::string text : {"hello", "two\nlines\n", " ", "https://example.org/?q=a&b=c"}) {
        SCOPED_TRACE(text);
        auto screen = push(text);
        EXPECT_EQ(screen->title(), "QR Code");
        ASSERT_TRUE(screen->imageView()->image());
        EXPECT_EQ(decodeQRFile(Barcode2::qrImagePath()), text);
        nav_->popViewController(false);
        settle();
    }
}

TEST_F(QRGenViewControllerTest, ATextTooLongForACodeShowsNoImageAndLeavesNoOldFile) {
    push("earlier");
    ASSERT_TRUE(std::filesystem::exists(Barcode2::qrImagePath()));
    auto screen = push(std::string(8000, 'x'));
    EXPECT_FALSE(screen->imageView()->image());
    EXPECT_FALSE(std::filesystem::exists(Barcode2::qrImagePath()));

    screen->navigationItem().rightBarButtonItem()->tap();
    settle();
    auto share =
        std::dynamic_pointer_cast<ui::ActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(share);
    EXPECT_TRUE(share->activityItems().empty()) << "no image to share";
}

TEST_F(QRGenViewControllerTest, TheCodeIsMadeOnceWhenTheViewLoads) {
    auto screen = push("first");
    const auto image = screen->imageView()->image();
    screen->setQrText("second");
    nav_->pushViewController(std::make_shared<ui::ViewController>(), false);
    settle();
    nav_->popViewController(false);
    settle();
    EXPECT_EQ(screen->imageView()->image(), image);
}

TEST_F(QRGenViewControllerTest, SharesTheImageShownPointingAtTheActionItemOnATablet) {
    for (auto idiom : {ui::UserInterfaceIdiom::phone, ui::UserInterfaceIdiom::pad}) {
        ui::Device::currentDevice().setUserInterfaceIdiom(idiom);
        auto screen = push("share me");
        auto item = screen->navigationItem().rightBarButtonItem();
        ASSERT_TRUE(item);
        EXPECT_EQ(item->systemItem(), ui::BarButtonSystemItem::action);
        item->tap();
        settle();
        auto share = std::dynamic_pointer_cast<ui::ActivityViewController>(
            screen->presentedViewController());
        ASSERT_TRUE(share);
        ASSERT_EQ(share->activityItems().size(), 1u);
        EXPECT_EQ(std::get<graphics::Image::Ptr>(share->activityItems()[0]),
                  screen->imageView()->image());
        auto& popover = share->popoverPresentationController();
        if (idiom == ui::UserInterfaceIdiom::pad) {
            EXPECT_EQ(popover.barButtonItem(), item);
            EXPECT_EQ(popover.sourceView(), screen->view());
        } else {
            EXPECT_FALSE(popover.barButtonItem());
        }
        share->cancel();
        settle();
        nav_->popViewController(false);
        settle();
    }
}

}  // namespace
