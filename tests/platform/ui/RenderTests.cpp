// What the screen renderer draws, checked by pixel facts a wrong render would
// break: titles inside their buttons, the navigation title centred in its
// bar, alerts and sheets over a dimmed screen, wrapped and shortened text,
// images in their content mode, accessories and switches, and text in
// scripts the main font lacks.

#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/FontRuns.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextPainter.h"
#include "platform/ui/TextView.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using graphics::Rect;
using graphics::Rgba8;

const Rgba8 kWhite{255, 255, 255, 255};
const Rgba8 kTint{0, 122, 255, 255};
const Rgba8 kRed{255, 0, 0, 255};

// Rows of `area` that hold ink, grouped into bands separated by empty rows.
int inkBands(const graphics::Bitmap& bitmap, const Rect& area, const Rgba8& background) {
    int bands = 0;
    bool inBand = false;
    for (int y = static_cast<int>(area.minY()); y < static_cast<int>(area.maxY()); ++y) {
        bool inked =
            inkIn(bitmap, Rect(area.minX(), y, area.size.width, 1), background, 24).count > 0;
        bands += inked && !inBand ? 1 : 0;
        inBand = inked;
    }
    return bands;
}

class RenderTest : public UiTest {
  protected:
    // A shown window whose white root view holds `views`.
    ui::Window::Ptr screenWith(const std::vector<ui::View::Ptr>& views) {
        auto root = std::make_shared<ui::ViewController>();
        auto window = show(root);
        root->view()->setBackgroundColor(graphics::Color::whiteColor());
        for (const auto& view : views) {
            root->view()->addSubview(view);
        }
        return window;
    }
    static std::shared_ptr<const graphics::Bitmap> render(const ui::View& view) {
        auto image = ui::ScreenRenderer::render(view);
        return image ? image->bitmap() : nullptr;
    }
    static ui::Label::Ptr label(const Rect& frame, const std::string& text) {
        auto label = std::make_shared<ui::Label>(frame);
        label->setText(text);
        return label;
    }
};

}  // namespace

TEST_F(RenderTest, ButtonTitlesAndImagesAreDrawnInsideTheirFrames) {
    auto system = ui::Button::buttonWithType(ui::ButtonType::system);
    system->setFrame(Rect(20, 100, 280, 44));
    system->setTitle(std::string("Generate QR Code"));
    auto icon = std::make_shared<ui::Button>(Rect(20, 200, 40, 40));
    icon->setImage(graphics::Image::make(graphics::Bitmap::make(10, 10, kRed)));
    auto disabled = ui::Button::buttonWithType(ui::ButtonType::system);
    disabled->setFrame(Rect(20, 300, 280, 44));
    disabled->setTitle(std::string("Generate QR Code"));
    disabled->setEnabled(false);
    auto bitmap = render(*screenWith({system, icon, disabled}));
    ASSERT_TRUE(bitmap);

    auto title = inkIn(*bitmap, Rect(0, 60, 320, 130), kWhite, 24);
    ASSERT_GT(title.count, 100);
    EXPECT_TRUE(Rect(20, 100, 280, 44).contains(title.bounds)) << graphics::toString(title.bounds);
    EXPECT_NEAR(title.bounds.midX(), 160, 4);
    EXPECT_GT(countNear(*bitmap, title.bounds, kTint), 20);
    // A disabled title is grey, not tinted.
    auto grey = inkIn(*bitmap, Rect(20, 300, 280, 44), kWhite, 24);
    EXPECT_GT(grey.count, 100);
    EXPECT_EQ(countNear(*bitmap, grey.bounds, kTint), 0);
    // The image sits in the middle of its button at its own size.
    EXPECT_EQ(bitmap->pixel(40, 220), kRed);
    EXPECT_EQ(bitmap->pixel(28, 220), kWhite);
}

TEST_F(RenderTest, NavigationBarShowsItsTitleCentredWithBackAndBarItems) {
    auto first = std::make_shared<ui::ViewController>();
    first->setTitle("Scanner");
    auto second = std::make_shared<ui::ViewController>();
    second->setTitle("History");
    second->navigationItem().setRightBarButtonItem(
        ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::edit));
    auto nav = ui::NavigationController::withRootViewController(first);
    auto window = show(nav);
    nav->pushViewController(second, false);
    settle();
    auto bar = nav->navigationBar();
    ASSERT_TRUE(bar);
    auto frame = bar->convertRectToView(bar->bounds(), nullptr);
    auto bitmap = render(*window);
    ASSERT_TRUE(bitmap);
    auto barColor =
        bitmap->pixel(static_cast<int>(frame.midX()), static_cast<int>(frame.minY()) + 2);

    // The title's ink is centred on the bar, in the middle third.
    auto middle = inkIn(*bitmap, Rect(110, frame.minY(), 100, frame.size.height - 1), barColor, 24);
    ASSERT_GT(middle.count, 30);
    EXPECT_NEAR(middle.bounds.midX(), frame.midX(), 3);
    EXPECT_NEAR(middle.bounds.midY(), frame.midY(), 4);
    // The back button on the left and the Edit item on the right, tinted.
    EXPECT_GT(countNear(*bitmap, Rect(0, frame.minY(), 100, frame.size.height), kTint), 20);
    EXPECT_GT(countNear(*bitmap, Rect(250, frame.minY(), 70, frame.size.height), kTint), 20);
}

TEST_F(RenderTest, AlertsAndSheetsAreDrawnOverADimmedScreen) {
    auto window = screenWith({});
    auto alert = ui::AlertView::make("Hint", "QR text can't be empty.", {}, std::string("Okay"));
    alert->show();
    auto bitmap = render(*window);
    ASSERT_TRUE(bitmap);
    // White dimmed by 40 % black; the panel stays light in the middle.
    EXPECT_TRUE(nearPixel(bitmap->pixel(5, 5), Rgba8{153, 153, 153, 255}, 3));
    auto panel = inkIn(*bitmap, Rect(0, 0, 320, 568), bitmap->pixel(5, 5), 24);
    EXPECT_NEAR(panel.bounds.midX(), 160, 2);
    EXPECT_NEAR(panel.bounds.midY(), 284, 2);
    EXPECT_NEAR(panel.bounds.size.width, 270, 2);
    EXPECT_GT(countNear(*bitmap, panel.bounds, kTint), 20);
    alert->tapButton(0);

    auto sheet = ui::ActionSheet::make("", {}, std::string("Cancel"), std::string("Erase"),
                                       {"Album", "History"});
    sheet->showInView(window);
    bitmap = render(*window);
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(nearPixel(bitmap->pixel(5, 5), Rgba8{153, 153, 153, 255}, 3));
    // Four buttons of 57 points stacked from the bottom, the cancel one apart.
    auto buttons = inkIn(*bitmap, Rect(0, 284, 320, 284), bitmap->pixel(5, 5), 24);
    EXPECT_NEAR(buttons.bounds.maxY(), 560, 2);
    EXPECT_NEAR(buttons.bounds.minY(), 560 - 4 * 57 - 8, 2);
    EXPECT_GT(countNear(*bitmap, buttons.bounds, kTint), 60);
    EXPECT_GT(countNear(*bitmap, buttons.bounds, Rgba8{255, 59, 48, 255}), 10);
}

TEST_F(RenderTest, TextIsWrappedOrShortenedAsItsModeSays) {
    auto wrapped = label(Rect(10, 40, 120, 100), "The quick brown fox jumps over the lazy dog");
    wrapped->setNumberOfLines(0);
    auto view = std::make_shared<ui::TextView>(Rect(10, 200, 200, 100));
    view->setText("first line\nsecond line");
    auto bitmap = render(*screenWith({wrapped, view}));
    ASSERT_TRUE(bitmap);
    auto ink = inkIn(*bitmap, Rect(0, 30, 320, 120), kWhite, 24);
    EXPECT_TRUE(Rect(8, 40, 124, 100).contains(ink.bounds)) << graphics::toString(ink.bounds);
    EXPECT_GE(inkBands(*bitmap, Rect(10, 40, 120, 100), kWhite), 3);
    EXPECT_EQ(inkBands(*bitmap, Rect(10, 200, 200, 100), kWhite), 2);

    const graphics::Font font = ui::TextPainter::drawingFont(ui::Font::systemFontOfSize(17));
    const std::string text = "http://example.com/a/very/long/path";
    struct Case {
        ui::LineBreakMode mode;
        std::string starts;
        std::string ends;
    };
    // Truncating modes keep the head, the ends or the tail around "…".
    const Case cases[] = {
        {ui::LineBreakMode::truncateTail, "http", "\xE2\x80\xA6"},
        {ui::LineBreakMode::truncateHead, "\xE2\x80\xA6", "path"},
        {ui::LineBreakMode::truncateMiddle, "http", "path"},
        {ui::LineBreakMode::clip, text, text},
    };
    for (const auto& c : cases) {
        ui::TextStyle style;
        style.lineBreakMode = c.mode;
        auto lines = ui::TextPainter::lines(text, style, 150, 0);
        ASSERT_EQ(lines.size(), 1u);
        SCOPED_TRACE(lines[0]);
        EXPECT_EQ(lines[0].rfind(c.starts, 0), 0u);
        EXPECT_EQ(lines[0].substr(lines[0].size() - c.ends.size()), c.ends);
        if (c.mode != ui::LineBreakMode::clip) {
            EXPECT_LE(font.measure(lines[0]).width, 150);
            EXPECT_NE(lines[0].find("\xE2\x80\xA6"), std::string::npos);
        }
    }
    // Several lines cut to two end with the ellipsis on the second.
    ui::TextStyle two;
    two.maxLines = 2;
    auto lines = ui::TextPainter::lines("one two three four five six seven eight", two, 80, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 3), "\xE2\x80\xA6");
}

TEST_F(RenderTest, TextInScriptsTheMainFontLacksIsNotDrawnAsBoxes) {
    EXPECT_FALSE(graphics::FontRuns::hasGlyph(graphics::Font{}, U'\u65E5'));
    auto runs = graphics::FontRuns::split("QR \xE6\x97\xA5\xE6\x9C\xAC", graphics::Font{});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].font.family, graphics::FontRuns::kFallbackFamily);

    // Missing glyphs all draw the same box: two different texts drawing the
    // same pixels would be boxes.
    auto a = label(Rect(0, 0, 200, 40), "\xE6\x97\xA5\xE6\x9C\xAC");
    auto b = label(Rect(0, 0, 200, 40), "\xE6\x9C\xAC\xE6\x97\xA5");
    auto first = render(*a);
    auto second = render(*b);
    ASSERT_TRUE(first && second);
    int differing = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            differing += first->pixel(x, y) == second->pixel(x, y) ? 0 : 1;
        }
    }
    EXPECT_GT(differing, 30);
}

TEST_F(RenderTest, ImagesAccessoriesAndSwitchesShowTheirState) {
    auto wide = graphics::Image::make(graphics::Bitmap::make(20, 10, kRed));
    auto fit = std::make_shared<ui::ImageView>(Rect(10, 10, 40, 40));
    fit->setImage(wide);
    fit->setContentMode(ui::ContentMode::scaleAspectFit);
    auto fill = std::make_shared<ui::ImageView>(Rect(60, 10, 40, 40));
    fill->setImage(wide);
    auto cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::defaultStyle, "c");
    cell->setFrame(Rect(0, 100, 320, 44));
    cell->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);
    auto on = std::make_shared<ui::Switch>(Rect(10, 200, 51, 31));
    on->setOn(true);
    auto off = std::make_shared<ui::Switch>(Rect(100, 200, 51, 31));
    auto bitmap = render(*screenWith({fit, fill, cell, on, off}));
    ASSERT_TRUE(bitmap);
    // Aspect fit leaves bands above and below; scale to fill covers the view.
    EXPECT_EQ(bitmap->pixel(30, 13), kWhite);
    EXPECT_EQ(bitmap->pixel(30, 30), kRed);
    EXPECT_EQ(bitmap->pixel(80, 13), kRed);
    EXPECT_GT(inkIn(*bitmap, Rect(300, 100, 20, 44), kWhite, 24).count, 10);
    EXPECT_EQ(inkIn(*bitmap, Rect(200, 100, 90, 44), kWhite, 24).count, 0);
    // On is green under the knob's left; off is light grey there.
    auto onTrack = bitmap->pixel(20, 215);
    EXPECT_GT(onTrack.g, onTrack.r + 60);
    auto offTrack = bitmap->pixel(145, 215);
    EXPECT_LT(std::abs(offTrack.g - offTrack.r), 10);
}

TEST_F(RenderTest, SnapshotIsANewViewShowingTheViewAsDrawnNow) {
    ui::Screen::mainScreen().setScale(2);
    auto view = std::make_shared<ui::View>(Rect(10, 30, 40, 20));
    view->setBackgroundColor(graphics::Color::rgb(1, 0, 0));
    auto inner = std::make_shared<ui::View>(Rect(0, 0, 20, 20));
    inner->setBackgroundColor(graphics::Color::whiteColor());
    view->addSubview(inner);
    screenWith({view});

    auto snapshot = view->snapshotViewAfterScreenUpdates(true);
    ASSERT_TRUE(snapshot);
    EXPECT_NE(snapshot, view);
    EXPECT_EQ(snapshot->superview(), nullptr);
    EXPECT_EQ(snapshot->frame(), Rect(0, 0, 40, 20));
    auto image = std::dynamic_pointer_cast<ui::ImageView>(snapshot)->image();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), graphics::Size(40, 20));
    EXPECT_EQ(image->bitmap()->width(), 80);
    EXPECT_EQ(image->bitmap()->pixel(10, 10), kWhite);
    EXPECT_EQ(image->bitmap()->pixel(70, 30), kRed);

    // Later changes of the view leave the snapshot as it was.
    view->setBackgroundColor(graphics::Color::whiteColor());
    EXPECT_EQ(image->bitmap()->pixel(70, 30), kRed);
}
