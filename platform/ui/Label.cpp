#include "platform/ui/Label.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/foundation/ProcessState.h"
#include "platform/ui/TextMeasurement.h"

namespace ui {

namespace {

std::atomic<bool> labelsCanBecomeFirstResponder{false};

}  // namespace

bool Label::canBecomeFirstResponder() const {
    return labelsCanBecomeFirstResponder;
}

void Label::setAllLabelsCanBecomeFirstResponder(bool can) {
    // Process state: tests put it back.
    static std::once_flag registered;
    std::call_once(registered, [] {
        foundation::ProcessState::addReset([] { labelsCanBecomeFirstResponder = false; });
    });
    labelsCanBecomeFirstResponder = can;
}

Label::Label(const graphics::Rect& frame) : View(frame) {
    setUserInteractionEnabled(false);
    setBackgroundColor(std::nullopt);
    setOpaque(false);
}

std::string Label::text() const {
    return attributedText_ ? attributedText_->string() : text_;
}

foundation::Value Label::valueForKey(std::string_view key) const {
    if (key == "text") {
        return text();
    }
    if (key == "font") {
        return font_.pointSize();
    }
    return View::valueForKey(key);
}

void Label::setText(std::string text) {
    willChangeValueForKey("text");
    text_ = std::move(text);
    attributedText_.reset();
    didChangeValueForKey("text");
    setNeedsDisplay();
}

void Label::setAttributedText(std::optional<AttributedString> text) {
    willChangeValueForKey("text");
    attributedText_ = std::move(text);
    text_ = attributedText_ ? attributedText_->string() : std::string();
    didChangeValueForKey("text");
    setNeedsDisplay();
}

void Label::setFont(const Font& font) {
    willChangeValueForKey("font");
    font_ = font;
    didChangeValueForKey("font");
    setNeedsDisplay();
}

double Label::displayedFontSize() const {
    double size = font_.pointSize();
    double width = bounds().size.width;
    if (!adjustsFontSize_ || numberOfLines_ != 1 || width <= 0) {
        return size;
    }
    double minimum = minimumScaleFactor_ > 0 ? size * minimumScaleFactor_ : minimumFontSize_;
    double natural = font_.widthOf(text());
    if (natural <= width || natural == 0) {
        return size;
    }
    return std::max(minimum, size * width / natural);
}

LineBreakMode Label::wrapMode() const {
    if (numberOfLines_ == 1) {
        return LineBreakMode::clip;
    }
    return lineBreakMode_ == LineBreakMode::charWrap ? LineBreakMode::charWrap
                                                     : LineBreakMode::wordWrap;
}

std::vector<std::string> Label::displayedLines() const {
    auto font = font_.fontWithSize(displayedFontSize());
    bool wraps = numberOfLines_ != 1;
    auto lines =
        TextMeasurement::wrapLines(text(), font, wraps ? bounds().size.width : 0, wrapMode());
    std::size_t limit =
        numberOfLines_ > 0 ? static_cast<std::size_t>(numberOfLines_) : lines.size();
    double height = bounds().size.height;
    if (height > 0) {
        limit = std::min(
            limit, std::max<std::size_t>(1, static_cast<std::size_t>(height / font.lineHeight())));
    }
    if (lines.size() > limit) {
        lines.resize(limit);
    }
    return lines;
}

graphics::Size Label::sizeThatFits(graphics::Size size) const {
    return TextMeasurement::boundingSize(text(), font_, {numberOfLines_ == 1 ? 0 : size.width, 0},
                                         wrapMode(), numberOfLines_);
}

std::string Label::outlineText() const {
    if (isHidden()) {
        return {};
    }
    return "Label \"" + text() + "\"";
}

}  // namespace ui
