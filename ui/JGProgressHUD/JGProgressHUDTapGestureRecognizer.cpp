#include "ui/JGProgressHUD/JGProgressHUDTapGestureRecognizer.h"

void JGProgressHUDTapGestureRecognizer::touchesEnded(
    const std::vector<std::shared_ptr<ui::Touch>>& touches, const ui::Event& event) {
    if (!touches.empty()) {
        lastTouches_.clear();
        for (const auto& touch : touches) {
            lastTouches_.push_back(*touch);
        }
    }
    ui::TapGestureRecognizer::touchesEnded(touches, event);
}

graphics::Point JGProgressHUDTapGestureRecognizer::tapLocationInView(const ui::View* view) const {
    if (numberOfTouches() > 0 || lastTouches_.empty()) {
        return locationInView(view);
    }
    double x = 0;
    double y = 0;
    for (const auto& touch : lastTouches_) {
        auto p = touch.locationInView(view);
        x += p.x;
        y += p.y;
    }
    const auto n = static_cast<double>(lastTouches_.size());
    return {x / n, y / n};
}
