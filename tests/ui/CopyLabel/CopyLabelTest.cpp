#include <gtest/gtest.h>

#include "platform/foundation/Clock.h"
#include "platform/ui/MenuController.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"
#include "ui/CopyLabel/CopyLabel.h"
#include "ui/CopyLabel/UILabelClipboard.h"

namespace {

TEST(CopyLabelTest, LongPressOffersCopyAloneAndCopiesTheText) {
    ui::MenuController::shared().reset();
    foundation::ManualClock clock;
    auto window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 480));
    auto container = std::make_shared<ui::View>(graphics::Rect(0, 100, 320, 200));
    window->addSubview(container);
    auto label = CopyLabel::make(graphics::Rect(20, 30, 200, 40));
    label->setText("4006381333931");
    container->addSubview(label);
    window->makeKeyAndVisible();

    ui::TouchSimulator finger(window);
    finger.begin({{50, 150}});
    clock.advance(0.6);
    finger.end();

    auto& menu = ui::MenuController::shared();
    EXPECT_TRUE(label->isFirstResponder());
    EXPECT_TRUE(menu.isMenuVisible());
    EXPECT_EQ(menu.targetView(), container);
    EXPECT_EQ(menu.targetRect(), graphics::Rect(20, 30, 200, 40));
    EXPECT_EQ(menu.visibleItemTitles(), std::vector<std::string>{"Copy"});
    EXPECT_FALSE(menu.tapItem("Paste"));

    EXPECT_TRUE(menu.tapItem("Copy"));
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "4006381333931");
    EXPECT_FALSE(menu.isMenuVisible());
    label->resignFirstResponder();
    menu.reset();
}

TEST(CopyLabelTest, TheClipboardCategoryLetsEveryLabelTakeTheFocus) {
    // Loaded once, in force for the rest of the process.
    ui::Label plain;
    EXPECT_FALSE(plain.canBecomeFirstResponder());
    UILabelClipboard::load();
    EXPECT_TRUE(plain.canBecomeFirstResponder());
    EXPECT_TRUE(ui::Label().canBecomeFirstResponder());
}

}  // namespace
