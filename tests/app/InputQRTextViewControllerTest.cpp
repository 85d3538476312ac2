// The QR text screen: an empty text gets the hint and pushes nothing; any
// other text (spaces and line breaks too) goes to the QR code screen as
// typed; the keyboard bar's "Hide" closes the keyboard.

#include <gtest/gtest.h>

#include "app/InputQRTextViewController.h"
#include "app/OverlayScreens.h"
#include "app/QRGenViewController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Toolbar.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class InputQRTextViewControllerTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        screen_ = std::make_shared<InputQRTextViewController>();
        nav_ = ui::NavigationController::withRootViewController(screen_);
        nav_->setToolbarHidden(false);
        window_ = show(nav_);
    }
    void TearDown() override {
        window_.reset();
        nav_.reset();
        screen_.reset();
        UiTest::TearDown();
    }

    std::shared_ptr<InputQRTextViewController> screen_;
    ui::NavigationController::Ptr nav_;
    ui::Window::Ptr window_;
};

TEST_F(InputQRTextViewControllerTest, IsSetUpAsTheQRTextScreen) {
    EXPECT_EQ(screen_->title(), "QR Text");
    EXPECT_TRUE(nav_->isToolbarHidden());
    EXPECT_FALSE(nav_->isNavigationBarHidden());
    auto& layer = screen_->textView()->layer();
    EXPECT_EQ(layer.borderWidth(), 1);
    EXPECT_EQ(layer.cornerRadius(), 8);
    ASSERT_TRUE(screen_->view2());
}

TEST_F(InputQRTextViewControllerTest, AnEmptyTextGetsTheHintAndStays) {
    screen_->generateButton()->tap();
    settle();
    auto alert = std::dynamic_pointer_cast<ui::AlertView>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Hint");
    EXPECT_EQ(alert->message(), "QR text can't be empty.");
    ASSERT_EQ(alert->numberOfButtons(), 1);
    EXPECT_EQ(alert->buttonTitleAtIndex(0), "Okay");
    EXPECT_EQ(nav_->topViewController(), screen_);
}

TEST_F(InputQRTextViewControllerTest, AnyOtherTextIsPushedAsTyped) {
    for (const std::string text : {" ", "first line\nsecond line"}) {
        SCOPED_TRACE(text);
        auto textView = screen_->textView();
        ASSERT_TRUE(textView->becomeFirstResponder());
        textView->setText("");
        ASSERT_TRUE(textView->insertText(text)) << "every edit is taken";
        screen_->generateButton()->tap();
        settle();
        EXPECT_TRUE(ui::AlertCenter::shared().visibleAlerts().empty());
        EXPECT_FALSE(textView->isFirstResponder());
        auto qr = std::dynamic_pointer_cast<QRGenViewController>(nav_->topViewController());
        ASSERT_TRUE(qr);
        EXPECT_EQ(qr->qrText(), text);
        EXPECT_TRUE(qr->imageView()->image());
        EXPECT_EQ(nav_->navigationBar()->backButtonTitle(), "Back");
        nav_->popViewController(false);
        settle();
    }
}

TEST_F(InputQRTextViewControllerTest, HideClosesTheKeyboard) {
    auto textView = screen_->textView();
    ASSERT_TRUE(textView->becomeFirstResponder());
    auto bar = std::dynamic_pointer_cast<ui::Toolbar>(textView->inputAccessoryView());
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->barStyle(), ui::BarStyle::blackTranslucent);
    ASSERT_EQ(bar->items().size(), 2u);
    auto hide = bar->items()[1];
    EXPECT_EQ(hide->title(), "Hide");
    EXPECT_EQ(hide->style(), ui::BarButtonItemStyle::done);
    hide->tap();
    EXPECT_FALSE(textView->isFirstResponder());
}

TEST_F(InputQRTextViewControllerTest, RegisteringMakesItTheScannerMenusQRCreator) {
    OverlayScreens::shared().qrCreator = nullptr;
    InputQRTextViewController::registerScreen();
    ASSERT_TRUE(OverlayScreens::shared().qrCreator);
    EXPECT_TRUE(
        std::dynamic_pointer_cast<InputQRTextViewController>(OverlayScreens::shared().qrCreator()));
    // One set already is kept.
    OverlayScreens::shared().qrCreator = [] { return nullptr; };
    InputQRTextViewController::registerScreen();
    EXPECT_FALSE(OverlayScreens::shared().qrCreator());
    OverlayScreens::shared().qrCreator = nullptr;
}

}  // namespace
