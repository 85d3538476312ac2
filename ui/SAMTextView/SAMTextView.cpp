#include "ui/SAMTextView/SAMTextView.h"

#include "platform/graphics/ImageContext.h"
#include "platform/ui/StringDrawing.h"

std::string SAMTextView::placeholder() const {
    return attributedPlaceholder_ ? attributedPlaceholder_->string() : std::string();
}

void SAMTextView::setPlaceholder(const std::string& placeholder) {
    if (attributedPlaceholder_ && attributedPlaceholder_->string() == placeholder) {
        return;
    }
    ui::TextAttributes attributes;
    if (isFirstResponder() && typingAttributes() != ui::TextAttributes{}) {
        attributes = typingAttributes();
    } else {
        attributes.font = font();
        attributes.foregroundColor = graphics::Color::rgb(199 / 255.0, 199 / 255.0, 205 / 255.0, 1);
        if (textAlignment() != ui::TextAlignment::left) {
            attributes.alignment = textAlignment();
        }
    }
    setAttributedPlaceholder(ui::AttributedString(placeholder, attributes));
}

void SAMTextView::setAttributedPlaceholder(std::optional<ui::AttributedString> placeholder) {
    if (placeholder == attributedPlaceholder_) {
        return;
    }
    attributedPlaceholder_ = std::move(placeholder);
    setNeedsDisplay();
}

graphics::Rect SAMTextView::placeholderRectForBounds(const graphics::Rect& bounds) const {
    const auto inset = contentInset();
    graphics::Rect rect(bounds.origin.x + inset.left, bounds.origin.y + inset.top,
                        bounds.size.width - inset.left - inset.right,
                        bounds.size.height - inset.top - inset.bottom);
    if (hasTextContainer()) {
        const auto container = textContainerInset();
        rect = {rect.origin.x + container.left, rect.origin.y + container.top,
                rect.size.width - container.left - container.right,
                rect.size.height - container.top - container.bottom};
        rect.origin.x += lineFragmentPadding();
        rect.size.width -= 2 * lineFragmentPadding();
    } else {
        if (inset.left == 0) {
            rect.origin.x += 8;
        }
        rect.origin.y += 8;
    }
    return rect;
}

void SAMTextView::drawRect(const graphics::Rect&) const {
    auto* context = graphics::currentContext();
    if (!context || !text().empty() || !attributedPlaceholder_ ||
        attributedPlaceholder_->runs.empty()) {
        return;
    }
    const auto& attributes = attributedPlaceholder_->runs.front().attributes;
    context->saveGState();
    context->setFillColor(attributes.foregroundColor.value_or(graphics::Color::blackColor()));
    ui::drawStringInRect(attributedPlaceholder_->string(), placeholderRectForBounds(bounds()),
                         attributes.font.value_or(font()), ui::LineBreakMode::wordWrap,
                         attributes.alignment.value_or(ui::TextAlignment::left));
    context->restoreGState();
}

void SAMTextView::layoutSubviews() {
    RedrawingTextView::layoutSubviews();
    if (attributedPlaceholder_ && text().empty()) {
        setNeedsDisplay();
    }
}
