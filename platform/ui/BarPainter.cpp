#include "platform/ui/BarPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/TextPainter.h"
#include "platform/ui/ViewPainter.h"

namespace ui {

namespace {

constexpr double kMargin = 8;
constexpr double kGap = 10;
constexpr double kImageHeight = 28;

Font itemFont(const BarButtonItem& item) {
    return item.style() == BarButtonItemStyle::done ? Font::boldSystemFontOfSize(17)
                                                    : Font::systemFontOfSize(17);
}

graphics::Color barColor(BarStyle style, const std::optional<graphics::Color>& tint) {
    if (tint) {
        return *tint;
    }
    return style == BarStyle::defaultStyle ? graphics::Color::white(0.97)
                                           : graphics::Color::white(0.1);
}

graphics::Color itemColor(const BarButtonItem& item, const View& bar) {
    if (!item.isEnabled()) {
        return graphics::Color::white(0.6);
    }
    return item.tintColor().value_or(bar.tintColor());
}

graphics::Size imageSize(const graphics::Image& image) {
    auto size = image.size();
    if (size.height > kImageHeight && size.height > 0) {
        return {size.width * kImageHeight / size.height, kImageHeight};
    }
    return size;
}

void drawBackground(graphics::BitmapContext& context, const graphics::Rect& b,
                    const graphics::Color& color, bool lineAtBottom) {
    context.setFillColor(color);
    context.fillRect(b);
    context.setFillColor(graphics::Color::white(0.7));
    context.fillRect({b.origin.x, lineAtBottom ? b.maxY() - 0.5 : b.origin.y, b.size.width, 0.5});
}

void drawItem(graphics::BitmapContext& context, const BarButtonItem& item, const View& bar,
              const graphics::Rect& slot, const BarPainter::ViewDrawer& drawView) {
    if (item.isSpace()) {
        return;
    }
    if (const auto& custom = item.customView()) {
        auto size = custom->bounds().size;
        drawView(*custom, {slot.origin.x, slot.midY() - size.height / 2, size.width, size.height});
        return;
    }
    if (item.image() && item.title().empty()) {
        auto size = imageSize(*item.image());
        ViewPainter::drawImage(
            context, *item.image(),
            {slot.origin.x, slot.midY() - size.height / 2, size.width, size.height}, 1,
            itemColor(item, bar));
        return;
    }
    TextStyle style;
    style.font = itemFont(item);
    style.color = itemColor(item, bar);
    TextPainter::draw(context, item.displayTitle(), slot, style);
}

}  // namespace

double BarPainter::itemWidth(const BarButtonItem& item) {
    if (item.systemItem() == BarButtonSystemItem::flexibleSpace) {
        return 0;
    }
    if (item.systemItem() == BarButtonSystemItem::fixedSpace || item.width() > 0) {
        return item.width();
    }
    if (const auto& custom = item.customView()) {
        return custom->bounds().size.width;
    }
    if (item.image() && item.title().empty()) {
        return imageSize(*item.image()).width;
    }
    return std::ceil(TextPainter::drawingFont(itemFont(item)).measure(item.displayTitle()).width);
}

void BarPainter::drawNavigationBar(graphics::BitmapContext& context, const NavigationBar& bar,
                                   const ViewDrawer& drawView) {
    auto b = bar.bounds();
    const bool dark = bar.barStyle() != BarStyle::defaultStyle;
    drawBackground(context, b, barColor(bar.barStyle(), bar.barTintColor()), true);
    auto top = bar.topItem();
    double left = b.origin.x + kMargin;
    double right = b.maxX() - kMargin;
    const graphics::Rect row{b.origin.x, b.origin.y, b.size.width, b.size.height};
    auto back = bar.backButtonTitle();
    if (!back.empty()) {
        TextStyle style;
        style.color = bar.tintColor();
        auto text = "\xE2\x80\xB9 " + back;
        double width = std::min(
            b.size.width / 3, std::ceil(TextPainter::drawingFont(style.font).measure(text).width));
        TextPainter::draw(context, text, {left, row.origin.y, width, row.size.height}, style);
        left += width + kGap;
    }
    if (!top) {
        return;
    }
    for (const auto& item : top->leftBarButtonItems()) {
        double width = itemWidth(*item);
        drawItem(context, *item, bar, {left, row.origin.y, width, row.size.height}, drawView);
        left += width + kGap;
    }
    for (const auto& item : top->rightBarButtonItems()) {
        double width = itemWidth(*item);
        right -= width;
        drawItem(context, *item, bar, {right, row.origin.y, width, row.size.height}, drawView);
        right -= kGap;
    }
    if (const auto& titleView = top->titleView()) {
        auto size = titleView->bounds().size;
        drawView(*titleView,
                 {b.midX() - size.width / 2, b.midY() - size.height / 2, size.width, size.height});
        return;
    }
    TextStyle style;
    style.font = bar.titleFont().value_or(Font::boldSystemFontOfSize(17));
    style.color = bar.titleColor().value_or(dark ? graphics::Color::whiteColor()
                                                 : graphics::Color::blackColor());
    style.alignment = TextAlignment::center;
    // Centred on the bar when it fits between the items, else in the room left.
    double width = TextPainter::drawingFont(style.font).measure(top->title()).width;
    double half = std::min(b.midX() - left, right - b.midX());
    graphics::Rect slot{b.midX() - half, row.origin.y, 2 * half, row.size.height};
    if (width > slot.size.width) {
        slot = {left, row.origin.y, std::max(0.0, right - left), row.size.height};
    }
    TextPainter::draw(context, top->title(), slot, style);
}

void BarPainter::drawToolbar(graphics::BitmapContext& context, const Toolbar& bar,
                             const ViewDrawer& drawView) {
    auto b = bar.bounds();
    drawBackground(context, b, barColor(bar.barStyle(), bar.barTintColor()), false);
    const auto& items = bar.items();
    double fixed = 0;
    int flexible = 0;
    for (const auto& item : items) {
        fixed += itemWidth(*item);
        flexible += item->systemItem() == BarButtonSystemItem::flexibleSpace ? 1 : 0;
    }
    double gaps = items.size() > 1 ? kGap * static_cast<double>(items.size() - 1) : 0;
    double spare = std::max(0.0, b.size.width - 2 * kMargin - fixed - gaps);
    double x = b.origin.x + kMargin;
    for (const auto& item : items) {
        double width = item->systemItem() == BarButtonSystemItem::flexibleSpace ? spare / flexible
                                                                                : itemWidth(*item);
        drawItem(context, *item, bar, {x, b.origin.y, width, b.size.height}, drawView);
        x += width + kGap;
    }
}

}  // namespace ui
