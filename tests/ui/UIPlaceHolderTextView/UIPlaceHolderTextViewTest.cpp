#include <gtest/gtest.h>

#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/Window.h"
#include "ui/UIPlaceHolderTextView/UIPlaceHolderTextView.h"

namespace {

// Whether the rendered view shows any pixel of the placeholder colour (the
// view's own text is blue, so its edges never match).
bool drawsPlaceholder(UIPlaceHolderTextView& view) {
    view.setTextColor(graphics::Color::blueColor());
    const auto image = ui::ScreenRenderer::render(view);
    const auto& bitmap = *image->bitmap();
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const auto pixel = bitmap.pixel(x, y);
            if (pixel.a == 255 && pixel.r == 179 && pixel.g == 179 && pixel.b == 179) {
                return true;
            }
        }
    }
    return false;
}

TEST(UIPlaceHolderTextViewTest, PlaceholderRectAddsEightWhereNoInsetIsGiven) {
    struct Case {
        graphics::EdgeInsets inset;
        graphics::Rect rect;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, {8, 8, 200, 100}},
        {{0, 5, 0, 0}, {5, 8, 195, 100}},
        {{10, 0, 4, 6}, {8, 18, 194, 86}},
    };
    for (const auto& c : cases) {
        UIPlaceHolderTextView view(graphics::Rect(0, 0, 200, 100));
        view.setContentInset(c.inset);
        EXPECT_EQ(view.placeholderRect(view.bounds()), c.rect);
    }
}

TEST(UIPlaceHolderTextViewTest, DrawsItsGreyPlaceholderOnlyWhileEmpty) {
    auto window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 480));
    auto editor = std::make_shared<UIPlaceHolderTextView>(graphics::Rect(0, 0, 200, 100));
    window->addSubview(editor);
    window->makeKeyAndVisible();
    auto& view = *editor;
    EXPECT_EQ(view.placeholderTextColor(), graphics::Color::white(0.702, 1));
    EXPECT_FALSE(drawsPlaceholder(view));
    view.setPlaceholder("Type a text to encode");
    const int requests = view.displayRequests();
    view.setPlaceholder("Type a text to encode");
    EXPECT_EQ(view.displayRequests(), requests);
    EXPECT_TRUE(drawsPlaceholder(view));

    ASSERT_TRUE(view.becomeFirstResponder());
    view.insertText("x");
    EXPECT_FALSE(drawsPlaceholder(view));
    view.deleteBackward();
    EXPECT_TRUE(drawsPlaceholder(view));
    EXPECT_GT(view.displayRequests(), requests + 1);
    view.resignFirstResponder();
}

}  // namespace
