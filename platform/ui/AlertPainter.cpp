#include "platform/ui/AlertPainter.h"

#include <algorithm>
#include <numbers>

#include "platform/ui/ActionSheet.h"
#include "platform/ui/TextPainter.h"

namespace ui {

namespace {

constexpr double kAlertWidth = 270;
constexpr double kAlertButtonHeight = 44;
constexpr double kSheetButtonHeight = 57;
constexpr double kSheetMargin = 8;
constexpr double kPadding = 16;

const graphics::Color kPanel = graphics::Color::white(0.97);
const graphics::Color kLine = graphics::Color::white(0.8);
const graphics::Color kBlue = graphics::Color::rgb(0, 122.0 / 255.0, 1);

void roundedRect(graphics::BitmapContext& context, const graphics::Rect& r, double radius) {
    context.beginPath();
    context.addArc(r.origin.x + radius, r.origin.y + radius, radius, std::numbers::pi,
                   1.5 * std::numbers::pi, false);
    context.addArc(r.maxX() - radius, r.origin.y + radius, radius, 1.5 * std::numbers::pi,
                   2 * std::numbers::pi, false);
    context.addArc(r.maxX() - radius, r.maxY() - radius, radius, 0, 0.5 * std::numbers::pi, false);
    context.addArc(r.origin.x + radius, r.maxY() - radius, radius, 0.5 * std::numbers::pi,
                   std::numbers::pi, false);
    context.closePath();
    context.fillPath();
}

TextStyle buttonStyle(const AlertPainter::Button& button, double size) {
    TextStyle style;
    style.font = button.role == AlertPainter::ButtonRole::cancel ? Font::boldSystemFontOfSize(size)
                                                                 : Font::systemFontOfSize(size);
    style.color = button.role == AlertPainter::ButtonRole::destructive
                      ? graphics::Color::rgb(1, 59.0 / 255.0, 48.0 / 255.0)
                      : kBlue;
    style.alignment = TextAlignment::center;
    style.lineBreakMode = LineBreakMode::truncateMiddle;
    return style;
}

// The title and message block of a panel `width` wide; answers its height
// (drawn only when `context` is given).
double drawHeader(graphics::BitmapContext* context, const AlertPainter::Content& content, double x,
                  double y, double width, bool sheet) {
    TextStyle title;
    title.font = sheet ? Font::systemFontOfSize(13) : Font::boldSystemFontOfSize(17);
    title.color = sheet ? graphics::Color::grayColor() : graphics::Color::blackColor();
    title.alignment = TextAlignment::center;
    title.maxLines = 0;
    title.centerVertically = false;
    TextStyle message = title;
    message.font = Font::systemFontOfSize(13);
    double inner = width - 2 * kPadding;
    double height = 0;
    for (const auto& [text, style] :
         {std::pair{content.title, title}, {content.message, message}}) {
        if (text.empty()) {
            continue;
        }
        auto lines = TextPainter::lines(text, style, inner, 0);
        double h = style.font.lineHeight() * static_cast<double>(lines.size());
        if (context) {
            TextPainter::draw(*context, text, {x + kPadding, y + kPadding + height, inner, h},
                              style);
        }
        height += h + 4;
    }
    return height > 0 ? height + 2 * kPadding - 4 : 0;
}

void drawAlert(graphics::BitmapContext& context, const graphics::Rect& screen,
               const AlertPainter::Content& content) {
    const auto& buttons = content.buttons;
    const bool sideBySide = buttons.size() == 2;
    double header = drawHeader(nullptr, content, 0, 0, kAlertWidth, false);
    double rows = sideBySide ? 1 : static_cast<double>(buttons.size());
    double height = header + rows * kAlertButtonHeight;
    graphics::Rect box{screen.midX() - kAlertWidth / 2, screen.midY() - height / 2, kAlertWidth,
                       height};
    context.setFillColor(kPanel);
    roundedRect(context, box, 13);
    drawHeader(&context, content, box.origin.x, box.origin.y, kAlertWidth, false);
    double y = box.origin.y + header;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        graphics::Rect slot{box.origin.x, y, kAlertWidth, kAlertButtonHeight};
        if (sideBySide) {
            slot = {box.origin.x + static_cast<double>(i) * kAlertWidth / 2, y, kAlertWidth / 2,
                    kAlertButtonHeight};
        } else {
            y += kAlertButtonHeight;
        }
        context.setFillColor(kLine);
        context.fillRect({slot.origin.x, slot.origin.y, slot.size.width, 0.5});
        if (sideBySide && i == 1) {
            context.fillRect({slot.origin.x, slot.origin.y, 0.5, slot.size.height});
        }
        TextPainter::draw(context, buttons[i].title, slot.insetBy(4, 0),
                          buttonStyle(buttons[i], 17));
    }
}

void drawSheet(graphics::BitmapContext& context, const graphics::Rect& screen,
               const AlertPainter::Content& content) {
    std::vector<AlertPainter::Button> group;
    std::vector<AlertPainter::Button> cancel;
    for (const auto& button : content.buttons) {
        (button.role == AlertPainter::ButtonRole::cancel ? cancel : group).push_back(button);
    }
    const double width = screen.size.width - 2 * kSheetMargin;
    const double x = screen.origin.x + kSheetMargin;
    double header = drawHeader(nullptr, content, 0, 0, width, true);
    double groupHeight = header + kSheetButtonHeight * static_cast<double>(group.size());
    double cancelHeight = kSheetButtonHeight * static_cast<double>(cancel.size());
    double bottom = screen.maxY() - kSheetMargin;
    if (!cancel.empty()) {
        graphics::Rect box{x, bottom - cancelHeight, width, cancelHeight};
        context.setFillColor(graphics::Color::whiteColor());
        roundedRect(context, box, 13);
        for (std::size_t i = 0; i < cancel.size(); ++i) {
            TextPainter::draw(context, cancel[i].title,
                              {x, box.origin.y + kSheetButtonHeight * static_cast<double>(i), width,
                               kSheetButtonHeight},
                              buttonStyle(cancel[i], 20));
        }
        bottom = box.origin.y - kSheetMargin;
    }
    if (groupHeight <= 0) {
        return;
    }
    graphics::Rect box{x, bottom - groupHeight, width, groupHeight};
    context.setFillColor(kPanel);
    roundedRect(context, box, 13);
    drawHeader(&context, content, x, box.origin.y, width, true);
    double y = box.origin.y + header;
    for (const auto& button : group) {
        if (y > box.origin.y) {
            context.setFillColor(kLine);
            context.fillRect({x, y, width, 0.5});
        }
        TextPainter::draw(context, button.title, {x + 4, y, width - 8, kSheetButtonHeight},
                          buttonStyle(button, 20));
        y += kSheetButtonHeight;
    }
}

}  // namespace

AlertPainter::Content AlertPainter::contentOf(const Alert& alert) {
    Content content{alert.title(), alert.message(), {}, false};
    int destructive = -1;
    if (auto sheet = dynamic_cast<const ActionSheet*>(&alert)) {
        content.sheet = true;
        destructive = sheet->destructiveButtonIndex();
    }
    for (int i = 0; i < alert.numberOfButtons(); ++i) {
        ButtonRole role = i == alert.cancelButtonIndex() ? ButtonRole::cancel
                          : i == destructive             ? ButtonRole::destructive
                                                         : ButtonRole::normal;
        content.buttons.push_back({alert.buttonTitleAtIndex(i), role});
    }
    return content;
}

AlertPainter::Content AlertPainter::contentOf(const AlertController& controller) {
    Content content{controller.title(),
                    controller.message(),
                    {},
                    controller.preferredStyle() == AlertControllerStyle::actionSheet};
    for (const auto& action : controller.actions()) {
        ButtonRole role = action->style() == AlertActionStyle::cancel ? ButtonRole::cancel
                          : action->style() == AlertActionStyle::destructive
                              ? ButtonRole::destructive
                              : ButtonRole::normal;
        content.buttons.push_back({action->title(), role});
    }
    return content;
}

void AlertPainter::draw(graphics::BitmapContext& context, const graphics::Rect& screen,
                        const Content& content) {
    context.setFillColor(graphics::Color::white(0, 0.4));
    context.fillRect(screen);
    if (content.sheet) {
        drawSheet(context, screen, content);
    } else {
        drawAlert(context, screen, content);
    }
}

}  // namespace ui
