#include "ui/UIPlaceHolderTextView/UIPlaceHolderTextView.h"

#include "platform/graphics/ImageContext.h"
#include "platform/ui/StringDrawing.h"

void UIPlaceHolderTextView::setPlaceholder(const std::string& placeholder) {
    if (placeholder == placeholder_) {
        return;
    }
    placeholder_ = placeholder;
    setNeedsDisplay();
}

graphics::Rect UIPlaceHolderTextView::placeholderRect(const graphics::Rect& rect) const {
    const auto inset = contentInset();
    return {rect.origin.x + inset.left + (inset.left == 0 ? 8 : 0), rect.origin.y + inset.top + 8,
            rect.size.width - inset.left - inset.right,
            rect.size.height - inset.top - inset.bottom};
}

void UIPlaceHolderTextView::drawRect(const graphics::Rect& rect) const {
    auto* context = graphics::currentContext();
    if (!context || !text().empty() || placeholder_.empty()) {
        return;
    }
    context->saveGState();
    context->setFillColor(placeholderTextColor_);
    ui::drawStringInRect(placeholder_, placeholderRect(rect), font(),
                         ui::LineBreakMode::truncateTail, textAlignment());
    context->restoreGState();
}
