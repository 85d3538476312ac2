#include "platform/ui/ViewPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/ImageContext.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextPainter.h"
#include "platform/ui/TextView.h"

namespace ui {

namespace {

constexpr double kPi = std::numbers::pi;

TextAlignment shownAlignment(TextAlignment alignment) {
    return alignment == TextAlignment::natural || alignment == TextAlignment::justified
               ? TextAlignment::left
               : alignment;
}

void drawLabel(graphics::BitmapContext& context, const Label& label) {
    TextStyle style;
    style.font = label.font().fontWithSize(label.displayedFontSize());
    style.color = label.isHighlighted() && label.highlightedTextColor()
                      ? *label.highlightedTextColor()
                      : label.textColor();
    if (!label.isEnabled()) {
        style.color = style.color.withAlphaComponent(style.color.alpha() * 0.4);
    }
    style.alignment = shownAlignment(label.textAlignment());
    style.lineBreakMode = label.lineBreakMode();
    style.maxLines = label.numberOfLines();
    TextPainter::draw(context, label.text(), label.bounds(), style);
}

void drawTextView(graphics::BitmapContext& context, const TextView& view) {
    auto b = view.bounds();
    auto inset = view.textContainerInset();
    double padding = view.lineFragmentPadding();
    TextStyle style;
    style.font = view.font();
    style.color = view.textColor();
    style.alignment = shownAlignment(view.textAlignment());
    style.lineBreakMode = LineBreakMode::wordWrap;
    style.maxLines = 0;
    style.centerVertically = false;
    // The text scrolls: its lines run on below the bounds, cut by the clip.
    auto lines = TextPainter::lines(view.text(), style,
                                    b.size.width - inset.left - inset.right - 2 * padding, 0);
    double height = view.font().lineHeight() * static_cast<double>(lines.size());
    context.saveGState();
    context.clipToRect(b);
    TextPainter::draw(context, view.text(),
                      {b.origin.x + inset.left + padding, b.origin.y + inset.top,
                       b.size.width - inset.left - inset.right - 2 * padding, height},
                      style);
    context.restoreGState();
}

void drawTextField(graphics::BitmapContext& context, const TextField& field) {
    auto b = field.bounds();
    if (field.borderStyle() != TextBorderStyle::none) {
        context.setStrokeColor(graphics::Color::white(0.75));
        context.setLineWidth(1);
        context.strokeRect(b.insetBy(0.5, 0.5));
    }
    bool empty = field.text().empty();
    std::string text = field.text();
    if (!empty && field.traits().secureTextEntry) {
        text.clear();
        for (std::size_t i = 0; i < Font::codePointsOf(field.text()).size(); ++i) {
            text += "\xE2\x80\xA2";
        }
    }
    TextStyle style;
    style.font = field.font();
    style.color = empty ? graphics::Color::white(0.7) : field.textColor();
    style.alignment = shownAlignment(field.textAlignment());
    style.lineBreakMode = LineBreakMode::clip;
    context.saveGState();
    context.clipToRect(b);
    TextPainter::draw(context, empty ? field.placeholder() : text, b.insetBy(7, 0), style);
    context.restoreGState();
}

graphics::Color buttonTitleColor(const Button& button) {
    if (auto color = button.titleColorForState(button.state())) {
        return *color;
    }
    if (button.buttonType() == ButtonType::custom) {
        return graphics::Color::whiteColor();
    }
    if (!button.isEnabled()) {
        return graphics::Color::white(0.6);
    }
    auto tint = button.tintColor();
    return button.isHighlighted() ? tint.withAlphaComponent(0.3) : tint;
}

// The round symbol of the info, detail and add button types.
void drawSymbol(graphics::BitmapContext& context, const graphics::Rect& b, const std::string& text,
                const graphics::Color& color) {
    double size = std::min({b.size.width, b.size.height, 22.0});
    graphics::Rect circle{b.midX() - size / 2, b.midY() - size / 2, size, size};
    context.setStrokeColor(color);
    context.setLineWidth(1.5);
    context.strokeEllipseInRect(circle.insetBy(1, 1));
    TextStyle style;
    style.font = Font::boldSystemFontOfSize(size * 0.6);
    style.color = color;
    style.alignment = TextAlignment::center;
    TextPainter::draw(context, text, circle, style);
}

void drawButton(graphics::BitmapContext& context, const Button& button, double alpha) {
    auto b = button.bounds();
    if (auto background = button.backgroundImageForState(button.state())) {
        ViewPainter::drawImage(context, *background, b, alpha);
    }
    switch (button.buttonType()) {
        case ButtonType::infoLight:
        case ButtonType::infoDark:
        case ButtonType::detailDisclosure:
            if (!button.currentImage() && button.currentTitle().empty()) {
                drawSymbol(context, b, "i", button.tintColor());
            }
            break;
        case ButtonType::contactAdd:
            if (!button.currentImage() && button.currentTitle().empty()) {
                drawSymbol(context, b, "+", button.tintColor());
            }
            break;
        default:
            break;
    }
    auto content = button.contentRectForBounds(b);
    if (auto image = button.currentImage()) {
        auto slot = button.imageRectForContentRect(content);
        double imageAlpha = button.isEnabled() ? alpha : alpha * 0.4;
        ViewPainter::drawImage(
            context, *image,
            ViewPainter::imageRect(ContentMode::scaleAspectFit, image->size(), slot), imageAlpha,
            button.tintColor());
    }
    auto title = button.currentTitle();
    if (title.empty()) {
        return;
    }
    TextStyle style;
    const auto& label = button.loadedTitleLabel();
    style.font = label ? label->font() : Font::systemFontOfSize(Font::buttonFontSize());
    style.color = buttonTitleColor(button);
    style.lineBreakMode = label && label->numberOfLines() != 1 ? label->lineBreakMode()
                                                               : LineBreakMode::truncateMiddle;
    style.maxLines = label ? label->numberOfLines() : 1;
    // Beside an image the title starts where the image ends.
    switch (button.currentImage() ? ContentHorizontalAlignment::left
                                  : button.contentHorizontalAlignment()) {
        case ContentHorizontalAlignment::left:
            style.alignment = TextAlignment::left;
            break;
        case ContentHorizontalAlignment::right:
            style.alignment = TextAlignment::right;
            break;
        default:
            style.alignment = TextAlignment::center;
    }
    TextPainter::draw(context, title, button.titleRectForContentRect(content), style);
}

void drawAccessory(graphics::BitmapContext& context, const TableViewCell& cell) {
    if (cell.accessoryView()) {
        return;
    }
    auto b = cell.bounds();
    graphics::Rect slot{b.maxX() - 20, b.origin.y, 20, b.size.height};
    const double cx = slot.midX() - 2;
    const double cy = slot.midY();
    context.setLineWidth(2);
    switch (cell.accessoryType()) {
        case TableViewCellAccessoryType::disclosureIndicator:
            context.setStrokeColor(graphics::Color::white(0.78));
            context.beginPath();
            context.moveToPoint(cx - 3, cy - 6);
            context.addLineToPoint(cx + 3, cy);
            context.addLineToPoint(cx - 3, cy + 6);
            context.strokePath();
            break;
        case TableViewCellAccessoryType::checkmark:
            context.setStrokeColor(cell.tintColor());
            context.beginPath();
            context.moveToPoint(cx - 6, cy);
            context.addLineToPoint(cx - 2, cy + 5);
            context.addLineToPoint(cx + 6, cy - 6);
            context.strokePath();
            break;
        case TableViewCellAccessoryType::detailDisclosureButton:
        case TableViewCellAccessoryType::detailButton:
            drawSymbol(context, {slot.origin.x - 2, cy - 10, 20, 20}, "i", cell.tintColor());
            break;
        default:
            break;
    }
}

void drawSwitch(graphics::BitmapContext& context, const Switch& control) {
    auto b = control.bounds();
    graphics::Rect track{b.origin.x, b.midY() - 15.5, 51, 31};
    double radius = track.size.height / 2;
    auto pill = [&](const graphics::Rect& r, double rr) {
        context.beginPath();
        context.addArc(r.origin.x + rr, r.midY(), rr, 0.5 * kPi, 1.5 * kPi, false);
        context.addArc(r.maxX() - rr, r.midY(), rr, 1.5 * kPi, 2.5 * kPi, false);
        context.closePath();
        context.fillPath();
    };
    context.setFillColor(control.isOn() ? graphics::Color::rgb(0.3, 0.85, 0.39)
                                        : graphics::Color::white(0.9));
    pill(track, radius);
    double knob = track.size.height - 4;
    double x = control.isOn() ? track.maxX() - 2 - knob : track.origin.x + 2;
    context.setFillColor(graphics::Color::whiteColor());
    context.fillEllipseInRect({x, track.origin.y + 2, knob, knob});
    if (!control.isOn()) {
        context.setStrokeColor(graphics::Color::white(0.8));
        context.setLineWidth(1);
        context.strokeEllipseInRect({x, track.origin.y + 2, knob, knob});
    }
}

void drawActivityIndicator(graphics::BitmapContext& context, const ActivityIndicatorView& view) {
    auto b = view.bounds();
    auto color = view.color().value_or(view.style() == ActivityIndicatorViewStyle::gray
                                           ? graphics::Color::grayColor()
                                           : graphics::Color::whiteColor());
    double radius = std::min(b.size.width, b.size.height) / 2;
    context.setLineWidth(std::max(1.5, radius / 6));
    context.setLineCap(graphics::LineCap::round);
    for (int i = 0; i < 12; ++i) {
        double angle = kPi * 2 * i / 12;
        context.setStrokeColor(color.withAlphaComponent(color.alpha() * (1 - i / 14.0)));
        context.beginPath();
        context.moveToPoint(b.midX() + std::cos(angle) * radius * 0.45,
                            b.midY() + std::sin(angle) * radius * 0.45);
        context.addLineToPoint(b.midX() + std::cos(angle) * radius * 0.9,
                               b.midY() + std::sin(angle) * radius * 0.9);
        context.strokePath();
    }
}

}  // namespace

graphics::Rect ViewPainter::imageRect(ContentMode mode, graphics::Size image,
                                      const graphics::Rect& b) {
    if (image.width <= 0 || image.height <= 0) {
        return b;
    }
    auto placed = [&](double width, double height, double fx, double fy) {
        return graphics::Rect{b.origin.x + (b.size.width - width) * fx,
                              b.origin.y + (b.size.height - height) * fy, width, height};
    };
    switch (mode) {
        case ContentMode::scaleAspectFit:
        case ContentMode::scaleAspectFill: {
            double sx = b.size.width / image.width;
            double sy = b.size.height / image.height;
            double s = mode == ContentMode::scaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
            return placed(image.width * s, image.height * s, 0.5, 0.5);
        }
        case ContentMode::center:
            return placed(image.width, image.height, 0.5, 0.5);
        case ContentMode::top:
            return placed(image.width, image.height, 0.5, 0);
        case ContentMode::bottom:
            return placed(image.width, image.height, 0.5, 1);
        case ContentMode::left:
            return placed(image.width, image.height, 0, 0.5);
        case ContentMode::right:
            return placed(image.width, image.height, 1, 0.5);
        default:
            return b;
    }
}

void ViewPainter::drawImage(graphics::BitmapContext& context, const graphics::Image& image,
                            const graphics::Rect& rect, double alpha,
                            const std::optional<graphics::Color>& tint) {
    auto bitmap = image.uprightBitmap();
    if (!bitmap || bitmap->width() == 0 || bitmap->height() == 0 || rect.isEmpty()) {
        return;
    }
    if (tint && image.renderingMode() == graphics::RenderingMode::alwaysTemplate) {
        // A template image shows its shape in the tint colour.
        auto shape = std::make_shared<graphics::Bitmap>(*bitmap);
        auto color = tint->toRgba8();
        for (int y = 0; y < shape->height(); ++y) {
            auto* p = shape->row(y);
            for (int x = 0; x < shape->width(); ++x, p += 4) {
                p[0] = color.r;
                p[1] = color.g;
                p[2] = color.b;
                p[3] = static_cast<std::uint8_t>(p[3] * color.a / 255);
            }
        }
        bitmap = shape;
    }
    auto t = graphics::AffineTransform::makeScale(rect.size.width / bitmap->width(),
                                                  rect.size.height / bitmap->height());
    t.tx = rect.origin.x;
    t.ty = rect.origin.y;
    context.drawBitmap(*bitmap, t, alpha);
}

bool ViewPainter::drawsSubview(const View& view, const View& subview) {
    if (auto button = dynamic_cast<const Button*>(&view)) {
        return &subview == button->loadedTitleLabel().get() ||
               &subview == button->loadedImageView().get();
    }
    return false;
}

void ViewPainter::drawContent(graphics::BitmapContext& context, const View& view, double alpha,
                              const BarPainter::ViewDrawer& drawView) {
    if (auto label = dynamic_cast<const Label*>(&view)) {
        drawLabel(context, *label);
    } else if (auto imageView = dynamic_cast<const ImageView*>(&view)) {
        if (auto image = imageView->displayedImage()) {
            drawImage(context, *image, imageRect(view.contentMode(), image->size(), view.bounds()),
                      alpha, view.tintColor());
        }
    } else if (auto button = dynamic_cast<const Button*>(&view)) {
        drawButton(context, *button, alpha);
    } else if (auto field = dynamic_cast<const TextField*>(&view)) {
        drawTextField(context, *field);
    } else if (auto textView = dynamic_cast<const TextView*>(&view)) {
        drawTextView(context, *textView);
    } else if (auto bar = dynamic_cast<const NavigationBar*>(&view)) {
        BarPainter::drawNavigationBar(context, *bar, drawView);
    } else if (auto toolbar = dynamic_cast<const Toolbar*>(&view)) {
        BarPainter::drawToolbar(context, *toolbar, drawView);
    } else if (auto cell = dynamic_cast<const TableViewCell*>(&view)) {
        drawAccessory(context, *cell);
    } else if (auto control = dynamic_cast<const Switch*>(&view)) {
        drawSwitch(context, *control);
    } else if (auto indicator = dynamic_cast<const ActivityIndicatorView*>(&view)) {
        drawActivityIndicator(context, *indicator);
    }
    // What a view draws itself comes over what its kind shows; the context
    // is current meanwhile for drawing code that looks it up.
    graphics::pushContext(&context);
    view.drawContent(context);
    graphics::popContext();
}

}  // namespace ui
