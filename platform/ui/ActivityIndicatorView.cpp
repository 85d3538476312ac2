#include "platform/ui/ActivityIndicatorView.h"

namespace ui {

ActivityIndicatorView::ActivityIndicatorView(ActivityIndicatorViewStyle style) : style_(style) {
    auto size = sizeThatFits({});
    setFrame(graphics::Rect(0, 0, size.width, size.height));
    setHidden(true);
    setUserInteractionEnabled(false);
}

void ActivityIndicatorView::setStyle(ActivityIndicatorViewStyle style) {
    style_ = style;
    auto f = frame();
    auto size = sizeThatFits({});
    setFrame(graphics::Rect(f.midX() - size.width / 2, f.midY() - size.height / 2, size.width,
                            size.height));
}

graphics::Size ActivityIndicatorView::sizeThatFits(graphics::Size) const {
    return style_ == ActivityIndicatorViewStyle::whiteLarge ? graphics::Size{37, 37}
                                                            : graphics::Size{20, 20};
}

void ActivityIndicatorView::startAnimating() {
    animating_ = true;
    setHidden(false);
}

void ActivityIndicatorView::stopAnimating() {
    animating_ = false;
    if (hidesWhenStopped_) {
        setHidden(true);
    }
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    setHidden(hides && !animating_);
}

}  // namespace ui
