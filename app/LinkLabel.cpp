#include "app/LinkLabel.h"

LinkLabel::LinkLabel(const graphics::Rect& frame) : ui::Label(frame) {}

void LinkLabel::setShowAsLink(bool showAsLink) {
    if (showAsLink == showAsLink_) {
        return;
    }
    showAsLink_ = showAsLink;
    setTextColor(graphics::Color::blackColor());
    setNeedsDisplay();
}
