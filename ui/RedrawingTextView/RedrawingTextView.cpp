#include "ui/RedrawingTextView/RedrawingTextView.h"

RedrawingTextView::RedrawingTextView(const graphics::Rect& frame) : ui::TextView(frame) {
    textChanged_ = foundation::NotificationCenter::defaultCenter().addObserver(
        ui::TextViewTextDidChangeNotification, static_cast<const ui::TextView*>(this), nullptr,
        [this](const foundation::Notification&) { setNeedsDisplay(); });
}

RedrawingTextView::~RedrawingTextView() {
    foundation::NotificationCenter::defaultCenter().removeObserver(textChanged_);
}

void RedrawingTextView::setText(std::string text) {
    ui::TextView::setText(std::move(text));
    setNeedsDisplay();
}

bool RedrawingTextView::insertText(const std::string& text) {
    const bool inserted = ui::TextView::insertText(text);
    setNeedsDisplay();
    return inserted;
}

void RedrawingTextView::setAttributedText(std::optional<ui::AttributedString> text) {
    ui::TextView::setAttributedText(std::move(text));
    setNeedsDisplay();
}

void RedrawingTextView::setContentInset(graphics::EdgeInsets insets) {
    ui::TextView::setContentInset(insets);
    setNeedsDisplay();
}

void RedrawingTextView::setFont(const ui::Font& font) {
    ui::TextView::setFont(font);
    setNeedsDisplay();
}

void RedrawingTextView::setTextAlignment(ui::TextAlignment alignment) {
    ui::TextView::setTextAlignment(alignment);
    setNeedsDisplay();
}
