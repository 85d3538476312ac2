// The main screens as the host's `png` draws them, checked by pixel facts a
// wrong render would break: the scanner's buttons and its menu sheet over the
// dimmed screen, the QR creation screen's button and centred title, its
// alert, the QR code reading back from the picture, the share sheet over the
// dimmed code, history thumbnails kept in their rows, and Japanese and
// Chinese text drawn as glyphs, not boxes.

#include <gtest/gtest.h>

#include <functional>

#include "app/OverlayCoverView.h"
#include "host/SamplePhoto.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TableViewCell.h"
#include "tests/app/QRDecoding.h"
#include "tests/host/HostTest.h"
#include "tests/platform/graphics/Ink.h"

namespace {

using graphics::Rect;
using graphics::Rgba8;

const Rgba8 kTint{0, 122, 255, 255};

class ScreenRenderTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        launch();
        scale_ = ui::Screen::mainScreen().scale();
    }

    // The screen as `png` writes it.
    std::shared_ptr<const graphics::Bitmap> shot(const std::string& name = "screen.png") {
        path_ = (folder_ / name).string();
        auto reply = session_->png(path_);
        EXPECT_TRUE(reply.ok) << reply.text;
        auto image = graphics::Image::imageWithContentsOfFile(path_);
        return image ? image->bitmap() : nullptr;
    }
    // Where a view is in the picture.
    Rect onScreen(const ui::View& view) const {
        auto r = view.convertRectToView(view.bounds(), nullptr);
        return {r.origin.x * scale_, r.origin.y * scale_, r.size.width * scale_,
                r.size.height * scale_};
    }
    ui::View::Ptr find(const std::function<bool(const ui::View&)>& test) const {
        std::function<ui::View::Ptr(const ui::View::Ptr&)> walk = [&](const ui::View::Ptr& view) {
            if (!view->isHidden() && test(*view)) {
                return view;
            }
            for (auto it = view->subviews().rbegin(); it != view->subviews().rend(); ++it) {
                if (auto found = walk(*it)) {
                    return found;
                }
            }
            return ui::View::Ptr();
        };
        return walk(session_->delegate()->window());
    }
    ui::View::Ptr labelShowing(const std::string& text) const {
        return find([&](const ui::View& v) {
            auto label = dynamic_cast<const ui::Label*>(&v);
            return label && label->text() == text;
        });
    }
    std::shared_ptr<ui::NavigationController> nav() const { return session_->delegate()->nav2(); }
    void run(const std::vector<std::string>& lines) {
        for (const auto& line : lines) {
            auto reply = session_->execute(line);
            ASSERT_TRUE(reply.ok) << line << ": " << reply.text;
        }
    }
    void scan(const std::string& text) {
        const auto path = (folder_ / "code.png").string();
        ASSERT_TRUE(SamplePhoto::write(path, text));
        auto reply = session_->photo(path);
        ASSERT_TRUE(reply.ok) << reply.text;
    }
    // The summed brightness of an area, to compare a screen before and after dimming.
    static double brightness(const graphics::Bitmap& bitmap, const Rect& area) {
        double sum = 0;
        for (int y = static_cast<int>(area.minY()); y < static_cast<int>(area.maxY()); ++y) {
            for (int x = static_cast<int>(area.minX()); x < static_cast<int>(area.maxX()); ++x) {
                auto p = bitmap.pixel(x, y);
                sum += p.r + p.g + p.b;
            }
        }
        return sum;
    }

    double scale_ = 1;
    std::string path_;
};

}  // namespace

TEST_F(ScreenRenderTest, TheScannerShowsItsButtonsAndItsMenuOverADimmedScreen) {
    auto cover = session_->delegate()->window()->firstSubviewOfType<OverlayCoverView>();
    ASSERT_TRUE(cover);
    auto before = shot();
    ASSERT_TRUE(before);
    EXPECT_EQ(before->width(), static_cast<int>(320 * scale_));
    for (const auto& button : {cover->btnAlbum(), cover->btnHistory(), cover->btnMenu()}) {
        ASSERT_TRUE(button);
        SCOPED_TRACE(button->accessibilityLabel());
        auto frame = onScreen(*button);
        // Its icon, in its tint colour, inside its frame.
        auto background =
            before->pixel(static_cast<int>(frame.minX()) + 1, static_cast<int>(frame.minY()) + 1);
        auto icon = inkIn(*before, frame.insetBy(-6, -6), background, 24);
        EXPECT_GT(icon.count, 100);
        EXPECT_TRUE(frame.contains(icon.bounds)) << graphics::toString(icon.bounds);
        EXPECT_GT(countNear(*before, frame, button->tintColor().toRgba8()), 20);
    }

    run({"tap Menu"});
    auto after = shot();
    ASSERT_TRUE(after);
    const Rect middle(0, 150 * scale_, after->width(), 150 * scale_);
    EXPECT_LT(brightness(*after, middle), brightness(*before, middle) * 0.7);
    // The sheet's buttons are drawn in its panels along the bottom.
    const Rect bottom(0, 350 * scale_, after->width(), 218 * scale_);
    auto panels = countNear(*after, bottom, Rgba8{247, 247, 247, 255}, 10);
    EXPECT_GT(panels, static_cast<int>(100 * 300 * scale_ * scale_));
    EXPECT_GT(countNear(*after, bottom, kTint), 200);
}

TEST_F(ScreenRenderTest, TheQRScreensShowTheButtonTheTitleTheAlertAndAReadableCode) {
    run({"tap Menu", "tap QR Code Creator"});
    auto bitmap = shot();
    ASSERT_TRUE(bitmap);
    auto button = find([](const ui::View& v) {
        auto b = dynamic_cast<const ui::Button*>(&v);
        return b && b->currentTitle() == "Generate QR Code";
    });
    ASSERT_TRUE(button);
    auto frame = onScreen(*button);
    auto title = inkIn(*bitmap, frame.insetBy(0, -10 * scale_), Rgba8{255, 255, 255, 255}, 24);
    EXPECT_GT(title.count, 200);
    EXPECT_TRUE(frame.contains(title.bounds)) << graphics::toString(title.bounds);
    EXPECT_NEAR(title.bounds.midX(), frame.midX(), 3 * scale_);

    auto bar = onScreen(*nav()->navigationBar());
    auto barColor = bitmap->pixel(static_cast<int>(bar.midX()), static_cast<int>(bar.minY()) + 2);
    auto heading = inkIn(
        *bitmap,
        Rect(bar.midX() - 60 * scale_, bar.minY(), 120 * scale_, bar.size.height - 2 * scale_),
        barColor, 24);
    EXPECT_GT(heading.count, 50);
    EXPECT_NEAR(heading.bounds.midX(), bar.midX(), 3 * scale_);

    run({"tap Generate QR Code"});
    bitmap = shot();
    ASSERT_TRUE(bitmap);
    // White dimmed by 40 % black outside the alert, its button tinted inside.
    EXPECT_TRUE(nearPixel(bitmap->pixel(4, bitmap->height() - 4), Rgba8{153, 153, 153, 255}, 3));
    auto alert = inkIn(*bitmap, Rect(0, 0, bitmap->width(), bitmap->height()),
                       bitmap->pixel(4, bitmap->height() - 4), 24);
    EXPECT_NEAR(alert.bounds.midX(), bitmap->width() / 2.0, 2 * scale_);
    EXPECT_GT(countNear(*bitmap, alert.bounds, kTint), 50);

    const std::string text = "Hello from the screen";
    run({"tap Okay", "type " + text, "tap Generate QR Code"});
    ASSERT_TRUE(shot("qr.png"));
    EXPECT_EQ(decodeQRFile(path_), text);
}

TEST_F(ScreenRenderTest, TheShareSheetShowsItsActivitiesOverTheDimmedCode) {
    run({"tap Menu", "tap QR Code Creator", "type Shared code", "tap Generate QR Code"});
    auto before = shot();
    ASSERT_TRUE(before);
    run({"tap Action"});
    ASSERT_NE(session_->screen().find("[ActivityView]"), std::string::npos) << session_->screen();
    auto after = shot();
    ASSERT_TRUE(after);
    const Rect top(0, 70 * scale_, after->width(), 80 * scale_);
    EXPECT_LT(brightness(*after, top), brightness(*before, top) * 0.7);
    // Along the bottom: the panel of activity tiles, white tiles in it, and
    // the Cancel button in the tint colour.
    const Rect bottom(0, 300 * scale_, after->width(), 268 * scale_);
    EXPECT_GT(countNear(*after, bottom, Rgba8{247, 247, 247, 255}, 3),
              static_cast<int>(60 * 300 * scale_ * scale_));
    EXPECT_GT(countNear(*after, bottom, Rgba8{255, 255, 255, 255}, 3),
              static_cast<int>(6 * 50 * 50 * scale_ * scale_));
    EXPECT_GT(countNear(*after, bottom, kTint), 100);
}

TEST_F(ScreenRenderTest, HistoryThumbnailsStayInTheirRowsAndEastAsianTextIsDrawn) {
    const std::vector<std::string> texts{"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                         "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97"};
    std::vector<std::shared_ptr<const graphics::Bitmap>> titles;
    for (const auto& text : texts) {
        scan(text);
        auto label = labelShowing(text);
        ASSERT_TRUE(label) << session_->screen();
        auto bitmap = shot();
        ASSERT_TRUE(bitmap);
        auto frame = onScreen(*label).intersection(Rect(0, 0, bitmap->width(), bitmap->height()));
        titles.push_back(bitmap->cropped(frame));
        ASSERT_TRUE(titles.back());
        EXPECT_GT(inkIn(*titles.back(), Rect(0, 0, frame.size.width, frame.size.height),
                        titles.back()->pixel(0, 0), 24)
                      .count,
                  100);
        run({"back"});
    }
    // Glyphs a font lacks all draw as the same box; different texts drawing
    // the same pixels would be boxes.
    ASSERT_EQ(titles[0]->width(), titles[1]->width());
    int differing = 0;
    for (int y = 0; y < titles[0]->height(); ++y) {
        for (int x = 0; x < titles[0]->width(); ++x) {
            differing += titles[0]->pixel(x, y) == titles[1]->pixel(x, y) ? 0 : 1;
        }
    }
    EXPECT_GT(differing, 100);

    run({"tap History"});
    auto bitmap = shot();
    ASSERT_TRUE(bitmap);
    Rect column = Rect::null();
    Rect rows = Rect::null();
    for (const auto& text : texts) {
        auto label = labelShowing(text);
        ASSERT_TRUE(label) << session_->screen();
        auto row = std::dynamic_pointer_cast<ui::TableViewCell>(
            label->superview() ? label->superview()->superview() : nullptr);
        ASSERT_TRUE(row);
        ASSERT_TRUE(row->imageView()->image());
        auto thumbnail = onScreen(*row->imageView());
        auto rowFrame = onScreen(*row);
        EXPECT_TRUE(rowFrame.contains(thumbnail)) << graphics::toString(thumbnail);
        EXPECT_GT(inkIn(*bitmap, thumbnail, Rgba8{255, 255, 255, 255}, 24).count, 100);
        column = column.unionWith(thumbnail);
        rows = rows.unionWith(rowFrame);
    }
    // Nothing of the thumbnails spills below the last row.
    EXPECT_EQ(inkIn(*bitmap, Rect(column.minX(), rows.maxY() + 1, column.size.width, 40 * scale_),
                    Rgba8{255, 255, 255, 255}, 24)
                  .count,
              0);
}
