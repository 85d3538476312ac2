#pragma once

// A label: text (plain or attributed) in a font and colour, aligned, on a
// number of lines (0: any), wrapped or cut by its line-break mode, sized by the
// deterministic text metric.

#include <optional>
#include <string>

#include "platform/ui/AttributedString.h"
#include "platform/ui/Font.h"
#include "platform/ui/LineBreakMode.h"
#include "platform/ui/View.h"

namespace ui {

enum class BaselineAdjustment { alignBaselines = 0, alignCenters = 1, none = 2 };

class Label : public View {
  public:
    using Ptr = std::shared_ptr<Label>;

    explicit Label(const graphics::Rect& frame = {});

    // The text shown: the attributed text's string when one is set.
    std::string text() const;
    virtual void setText(std::string text);
    const std::optional<AttributedString>& attributedText() const { return attributedText_; }
    void setAttributedText(std::optional<AttributedString> text);
    const Font& font() const { return font_; }
    virtual void setFont(const Font& font);
    const graphics::Color& textColor() const { return textColor_; }
    void setTextColor(const graphics::Color& color) { textColor_ = color; }
    std::optional<graphics::Color> highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(std::optional<graphics::Color> color) {
        highlightedTextColor_ = color;
    }
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; }
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines) { numberOfLines_ = lines; }
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode) { lineBreakMode_ = mode; }
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSize_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts) { adjustsFontSize_ = adjusts; }
    double minimumScaleFactor() const { return minimumScaleFactor_; }
    void setMinimumScaleFactor(double factor) { minimumScaleFactor_ = factor; }
    double minimumFontSize() const { return minimumFontSize_; }
    void setMinimumFontSize(double size) { minimumFontSize_ = size; }
    BaselineAdjustment baselineAdjustment() const { return baselineAdjustment_; }
    void setBaselineAdjustment(BaselineAdjustment adjustment) { baselineAdjustment_ = adjustment; }
    std::optional<graphics::Color> shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<graphics::Color> color) { shadowColor_ = color; }
    graphics::Size shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(graphics::Size offset) { shadowOffset_ = offset; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Labels take the focus only where the application says every label of
    // the process may (a category of the label class does).
    bool canBecomeFirstResponder() const override;
    static void setAllLabelsCanBecomeFirstResponder(bool can);

    // The lines as shown in the current bounds (wrapped, cut to the line count).
    std::vector<std::string> displayedLines() const;
    // The font size after shrinking to fit the width, when allowed.
    double displayedFontSize() const;

    // "text" and "font" (its point size) are observable besides the view's keys.
    foundation::Value valueForKey(std::string_view key) const override;
    graphics::Size sizeThatFits(graphics::Size size) const override;
    graphics::Size intrinsicContentSize() const override { return sizeThatFits({0, 0}); }
    std::string outlineText() const override;

  private:
    // Multi-line labels wrap words (or characters) and cut only the last line.
    LineBreakMode wrapMode() const;

    std::string text_;
    std::optional<AttributedString> attributedText_;
    Font font_ = Font::systemFontOfSize(17);
    graphics::Color textColor_ = graphics::Color::blackColor();
    std::optional<graphics::Color> highlightedTextColor_;
    bool highlighted_ = false;
    TextAlignment alignment_ = TextAlignment::natural;
    int numberOfLines_ = 1;
    LineBreakMode lineBreakMode_ = LineBreakMode::truncateTail;
    bool adjustsFontSize_ = false;
    double minimumScaleFactor_ = 0;
    double minimumFontSize_ = 0;
    BaselineAdjustment baselineAdjustment_ = BaselineAdjustment::alignBaselines;
    std::optional<graphics::Color> shadowColor_;
    graphics::Size shadowOffset_{0, -1};
    bool enabled_ = true;
};

}  // namespace ui
