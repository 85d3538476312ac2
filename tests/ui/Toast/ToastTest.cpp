#include <gtest/gtest.h>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextMeasurement.h"
#include "ui/Toast/Toast.h"

using graphics::Point;
using graphics::Rect;

namespace {

graphics::Size textSize(const std::string& text, const ui::Font& font, double imageWidth = 0) {
    return ui::TextMeasurement::boundingSize(text, font, {320 * 0.8 - imageWidth, 480 * 0.8});
}

std::shared_ptr<ui::Label> labelAt(const ui::View& box, std::size_t index) {
    return std::dynamic_pointer_cast<ui::Label>(box.subviews().at(index));
}

class ToastTest : public testing::Test {
  protected:
    std::shared_ptr<ui::View> view = std::make_shared<ui::View>(Rect(0, 0, 320, 480));
    graphics::Image::Ptr image = graphics::Image::imageNamed("bc");
};

TEST_F(ToastTest, BoxLayoutFollowsItsParts) {
    const auto regular = ui::Font::systemFontOfSize(16);
    const auto bold = ui::Font::boldSystemFontOfSize(16);

    // A message alone: padded by 10 on every side.
    auto box = Toast::viewForMessage(*view, "Copied to clipboard", std::nullopt, nullptr);
    const auto message = textSize("Copied to clipboard", regular);
    EXPECT_EQ(box->frame(), Rect(0, 0, message.width + 20, message.height + 20));
    EXPECT_EQ(labelAt(*box, 0)->frame(), Rect(10, 10, message.width, message.height));

    // Image, title and message: texts right of the image, message under the title.
    ASSERT_NE(image, nullptr);
    box = Toast::viewForMessage(*view, "m", std::string("Title"), image);
    ASSERT_EQ(box->subviews().size(), 3u);
    const auto title = textSize("Title", bold, 80);
    EXPECT_EQ(labelAt(*box, 0)->frame(), Rect(100, 10, title.width, title.height));
    EXPECT_EQ(labelAt(*box, 1)->frame().origin, Point(100, 10 + title.height + 10));
    EXPECT_GE(box->frame().size.width, 100);
    EXPECT_GE(box->frame().size.height, 100);

    // A title alone gets the image's height rule only, as the layout states it.
    const std::string tall =
        "A title long enough to wrap over several lines in the toast box for sure";
    box = Toast::viewForMessage(*view, std::nullopt, tall, nullptr);
    EXPECT_GT(textSize(tall, bold).height, 20);
    EXPECT_EQ(box->frame().size.height, 20);

    EXPECT_EQ(Toast::viewForMessage(*view, std::nullopt, std::nullopt, nullptr), nullptr);
}

TEST_F(ToastTest, PositionsAreReadWithoutCaseAndDefaultToBottom) {
    ui::View toast(Rect(0, 0, 100, 40));
    struct Case {
        const char* rule;
        Toast::Position position;
        Point expected;
    };
    const std::vector<Case> cases = {
        {"top", std::string("Top"), {160, 30}},
        {"center", std::string("CENTER"), {160, 240}},
        {"bottom", std::string("bottom"), {160, 450}},
        {"unknown word", std::string("middle"), {160, 450}},
        {"nothing", std::monostate{}, {160, 450}},
        {"a point", Point(12, 34), {12, 34}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Toast::centerPointForPosition(*view, c.position, toast), c.expected) << c.rule;
    }
}

TEST_F(ToastTest, ToastStaysForItsDurationThenRemovesItself) {
    foundation::ManualClock clock;
    Toast::makeToast(view, std::nullopt);
    EXPECT_TRUE(view->subviews().empty());

    Toast::makeToast(view, "Copied to clipboard", 3, std::string("center"));
    Toast::makeToast(view, "Second", 1, std::string("top"));
    ASSERT_EQ(view->subviews().size(), 2u);
    auto first = view->subviews()[0];
    EXPECT_EQ(first->center(), Point(160, 240));
    EXPECT_EQ(first->alpha(), 1);
    clock.advance(1.45);
    EXPECT_EQ(view->subviews().size(), 1u) << "the one-second toast went at 1.4 s";
    clock.advance(3.35 - 1.45);
    EXPECT_EQ(view->subviews().size(), 1u);
    clock.advance(0.06);
    EXPECT_TRUE(view->subviews().empty());
}

TEST_F(ToastTest, OneActivityBoxPerViewUntilItsFadeOutEnds) {
    foundation::ManualClock clock;
    Toast::makeToastActivity(view);
    Toast::makeToastActivity(view);
    ASSERT_EQ(view->subviews().size(), 1u);
    auto box = Toast::toastActivityView(*view);
    EXPECT_EQ(box->frame(), Rect(110, 190, 100, 100));

    Toast::hideToastActivity(view);
    Toast::makeToastActivity(view);  // ignored: the box is still stored while it fades
    EXPECT_EQ(view->subviews().size(), 1u);
    clock.advance(0.2);
    EXPECT_TRUE(view->subviews().empty());
    EXPECT_EQ(Toast::toastActivityView(*view), nullptr);
    Toast::hideToastActivity(view);

    Toast::makeToastActivity(view, std::string("top"));
    EXPECT_EQ(Toast::toastActivityView(*view)->center(), Point(160, 60));
}

}  // namespace
