#include "platform/ui/TextView.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UTF16.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/TextMeasurement.h"

namespace ui {

TextView::TextView(const graphics::Rect& frame) : ScrollView(frame) {}

std::string TextView::text() const {
    return attributedText_ ? attributedText_->string() : text_;
}

void TextView::setText(std::string text) {
    text_ = std::move(text);
    attributedText_.reset();
    selectedRange_ = {foundation::utf16::length(text_), 0};
}

void TextView::setAttributedText(std::optional<AttributedString> text) {
    attributedText_ = std::move(text);
    text_ = attributedText_ ? attributedText_->string() : std::string();
    selectedRange_ = {foundation::utf16::length(text_), 0};
}

void TextView::setSelectedRange(TextRange range) {
    auto length = foundation::utf16::length(text_);
    range.location = std::min(range.location, length);
    range.length = std::min(range.length, length - range.location);
    if (range == selectedRange_) {
        return;
    }
    selectedRange_ = range;
    if (auto d = delegate()) {
        d->textViewDidChangeSelection(*this);
    }
}

bool TextView::becomeFirstResponder() {
    if (isFirstResponder()) {
        return true;
    }
    auto d = delegate();
    if (!canBecomeFirstResponder() || (d && editable_ && !d->textViewShouldBeginEditing(*this))) {
        return false;
    }
    if (!ScrollView::becomeFirstResponder()) {
        return false;
    }
    if (editable_) {
        Keyboard::shared().inputDidBeginEditing();
    }
    if (editable_) {
        if (auto d2 = delegate()) {
            d2->textViewDidBeginEditing(*this);
        }
        foundation::NotificationCenter::defaultCenter().post(
            TextViewTextDidBeginEditingNotification, this);
    }
    return true;
}

bool TextView::resignFirstResponder() {
    if (!isFirstResponder()) {
        return true;
    }
    auto d = delegate();
    if (d && editable_ && !d->textViewShouldEndEditing(*this)) {
        return false;
    }
    if (!ScrollView::resignFirstResponder()) {
        return false;
    }
    if (editable_) {
        Keyboard::shared().inputDidEndEditing();
    }
    if (editable_) {
        if (auto d2 = delegate()) {
            d2->textViewDidEndEditing(*this);
        }
        foundation::NotificationCenter::defaultCenter().post(TextViewTextDidEndEditingNotification,
                                                             this);
    }
    return true;
}

bool TextView::replaceCharacters(TextRange range, const std::string& replacement) {
    if (!editable_ || !isFirstResponder()) {
        return false;
    }
    auto updated = foundation::utf16::replacing(text_, range.location, range.length, replacement);
    if (!updated) {
        return false;
    }
    if (auto d = delegate(); d && !d->shouldChangeTextInRange(*this, range, replacement)) {
        return false;
    }
    if (attributedText_) {
        attributedText_->runs.clear();
        attributedText_->append(*updated, typingAttributes_);
    }
    text_ = std::move(*updated);
    selectedRange_ = {range.location + foundation::utf16::length(replacement), 0};
    if (auto d = delegate()) {
        d->textViewDidChange(*this);
    }
    foundation::NotificationCenter::defaultCenter().post(TextViewTextDidChangeNotification, this);
    return true;
}

bool TextView::insertText(const std::string& text) {
    return replaceCharacters(selectedRange_, text);
}

bool TextView::deleteBackward() {
    if (selectedRange_.length > 0) {
        return replaceCharacters(selectedRange_, "");
    }
    if (selectedRange_.location == 0) {
        return false;
    }
    auto before =
        Font::codePointsOf(foundation::utf16::substring(text_, 0, selectedRange_.location));
    std::size_t units = !before.empty() && before.back() >= 0x10000 ? 2 : 1;
    return replaceCharacters({selectedRange_.location - units, units}, "");
}

graphics::Size TextView::sizeThatFits(graphics::Size size) const {
    double width = (size.width > 0 ? size.width : bounds().size.width) - 2 * lineFragmentPadding_ -
                   textContainerInset_.left - textContainerInset_.right;
    auto text = TextMeasurement::boundingSize(this->text(), font_, {std::max(1.0, width), 0});
    return {size.width > 0 ? size.width : bounds().size.width,
            text.height + textContainerInset_.top + textContainerInset_.bottom};
}

std::string TextView::outlineText() const {
    if (isHidden()) {
        return {};
    }
    return "TextView \"" + text() + "\"" + (isFirstResponder() && editable_ ? " (editing)" : "");
}

}  // namespace ui
