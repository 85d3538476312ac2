#include <gtest/gtest.h>

#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/Window.h"
#include "ui/SAMTextView/SAMTextView.h"

namespace {

// How many pixels of the rendered view show the placeholder's bluish grey
// (the view's own text is drawn in neutral greys).
int inkedPixels(SAMTextView& view) {
    const auto image = ui::ScreenRenderer::render(view);
    const auto& bitmap = *image->bitmap();
    int inked = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const auto pixel = bitmap.pixel(x, y);
            inked += pixel.b >= pixel.r + 3 ? 1 : 0;
        }
    }
    return inked;
}

TEST(SAMTextViewTest, PlaceholderRectFollowsInsetsAndTheTextContainer) {
    struct Case {
        const char* rule;
        bool container;
        graphics::EdgeInsets inset;
        graphics::Rect rect;
    };
    const Case cases[] = {
        {"no container, no inset: 8 right and 8 down", false, {0, 0, 0, 0}, {8, 8, 200, 100}},
        {"no container, a left inset replaces the 8", false, {0, 5, 0, 0}, {5, 8, 195, 100}},
        {"no container, a top inset adds to the 8", false, {4, 0, 6, 3}, {8, 12, 197, 90}},
        {"container inset and line padding", true, {0, 0, 0, 0}, {5, 8, 190, 84}},
        {"content inset, then container", true, {10, 5, 0, 5}, {10, 18, 180, 74}},
    };
    for (const auto& c : cases) {
        SAMTextView view(graphics::Rect(0, 0, 200, 100));
        view.setHasTextContainer(c.container);
        view.setContentInset(c.inset);
        EXPECT_EQ(view.placeholderRectForBounds(view.bounds()), c.rect) << c.rule;
    }
}

TEST(SAMTextViewTest, PlainPlaceholderTakesTheViewsFontGreyAndAlignment) {
    SAMTextView view(graphics::Rect(0, 0, 200, 100));
    view.setFont(ui::Font::systemFontOfSize(15));
    view.setTextAlignment(ui::TextAlignment::left);
    view.setPlaceholder("Notes");
    const auto& left = view.attributedPlaceholder()->runs.at(0).attributes;
    EXPECT_EQ(left.font, ui::Font::systemFontOfSize(15));
    EXPECT_EQ(left.foregroundColor, graphics::Color::rgb(199 / 255.0, 199 / 255.0, 205 / 255.0));
    EXPECT_EQ(left.alignment, std::nullopt);

    view.setTextAlignment(ui::TextAlignment::center);
    view.setPlaceholder("Other notes");
    EXPECT_EQ(view.placeholder(), "Other notes");
    EXPECT_EQ(view.attributedPlaceholder()->runs.at(0).attributes.alignment,
              ui::TextAlignment::center);
}

TEST(SAMTextViewTest, PlaceholderShowsExactlyWhileTheTextIsEmpty) {
    auto window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 480));
    auto editor = std::make_shared<SAMTextView>(graphics::Rect(0, 0, 200, 100));
    window->addSubview(editor);
    window->makeKeyAndVisible();
    auto& view = *editor;
    view.setPlaceholder("Notes");
    const int before = view.displayRequests();
    view.setPlaceholder("Notes");
    EXPECT_EQ(view.displayRequests(), before);
    view.setAttributedPlaceholder(view.attributedPlaceholder());
    EXPECT_EQ(view.displayRequests(), before);

    EXPECT_GT(inkedPixels(view), 0);
    ASSERT_TRUE(view.becomeFirstResponder());
    view.insertText("a");
    EXPECT_GT(view.displayRequests(), before);
    EXPECT_EQ(inkedPixels(view), 0);
    const int typed = view.displayRequests();
    view.deleteBackward();
    EXPECT_GT(view.displayRequests(), typed);
    EXPECT_GT(inkedPixels(view), 0);
    view.setText("set from code");
    EXPECT_EQ(inkedPixels(view), 0);
    view.resignFirstResponder();
}

}  // namespace
