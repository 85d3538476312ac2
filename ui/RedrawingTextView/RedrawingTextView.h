#pragma once

// A text view that asks to be redrawn after every change of its text (set,
// inserted, attributed, typed), content inset, font and alignment: the base
// of the views that draw a placeholder while they are empty.

#include <optional>
#include <string>

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/TextView.h"

class RedrawingTextView : public ui::TextView {
  public:
    explicit RedrawingTextView(const graphics::Rect& frame = {});
    ~RedrawingTextView() override;

    void setText(std::string text) override;
    bool insertText(const std::string& text) override;
    void setAttributedText(std::optional<ui::AttributedString> text) override;
    void setContentInset(graphics::EdgeInsets insets) override;
    void setFont(const ui::Font& font) override;
    void setTextAlignment(ui::TextAlignment alignment) override;

  private:
    // Its own text-did-change notifications, observed for its whole life.
    foundation::NotificationCenter::ObserverToken textChanged_;
};
