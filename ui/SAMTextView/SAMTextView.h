#pragma once

// A text view that draws an attributed placeholder, in a light grey by
// default, while it holds no text.

#include <optional>
#include <string>

#include "ui/RedrawingTextView/RedrawingTextView.h"

class SAMTextView : public RedrawingTextView {
  public:
    using RedrawingTextView::RedrawingTextView;

    std::string className() const override { return "SAMTextView"; }

    // The attributed placeholder's plain text ("" without one).
    std::string placeholder() const;
    // Styles the text with the typing attributes while editing, else with
    // the view's font, the placeholder grey and the view's alignment.
    void setPlaceholder(const std::string& placeholder);
    const std::optional<ui::AttributedString>& attributedPlaceholder() const {
        return attributedPlaceholder_;
    }
    void setAttributedPlaceholder(std::optional<ui::AttributedString> placeholder);

    // Where the placeholder goes within `bounds`: inside the content inset
    // and the text container's inset and line padding (8 points in without
    // a container).
    graphics::Rect placeholderRectForBounds(const graphics::Rect& bounds) const;

    // Draws the placeholder into the current context while the text is empty.
    void drawRect(const graphics::Rect& rect) const;
    // On screen, over the text view's own drawing.
    void drawContent(graphics::BitmapContext& context) const override { drawRect(bounds()); }
    void layoutSubviews() override;

  private:
    std::optional<ui::AttributedString> attributedPlaceholder_;
};
