#pragma once

// A text view that draws a plain placeholder in a colour of its own (a
// light grey unless set) while it holds no text.

#include <string>

#include "platform/graphics/Color.h"
#include "ui/RedrawingTextView/RedrawingTextView.h"

class UIPlaceHolderTextView : public RedrawingTextView {
  public:
    using RedrawingTextView::RedrawingTextView;

    std::string className() const override { return "UIPlaceHolderTextView"; }

    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(const std::string& placeholder);
    const graphics::Color& placeholderTextColor() const { return placeholderTextColor_; }
    void setPlaceholderTextColor(const graphics::Color& color) { placeholderTextColor_ = color; }

    // Where drawRect puts the placeholder for `rect`: inside the content
    // inset, 8 points down (and 8 right without a left inset).
    graphics::Rect placeholderRect(const graphics::Rect& rect) const;

    // Draws the placeholder, cut at its tail, while the text is empty.
    void drawRect(const graphics::Rect& rect) const;
    // On screen, over the text view's own drawing.
    void drawContent(graphics::BitmapContext& context) const override { drawRect(bounds()); }

  private:
    std::string placeholder_;
    graphics::Color placeholderTextColor_ = graphics::Color::white(0.702, 1);
};
