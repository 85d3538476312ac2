#include "platform/ui/SwipeGestureRecognizer.h"

#include <cmath>

namespace ui {

void SwipeGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                          const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    start_ = locationInView(nullptr);
}

void SwipeGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                          const Event& event) {
    auto end = locationInView(nullptr);
    bool enoughFingers = static_cast<int>(numberOfTouches()) == touchesRequired_;
    GestureRecognizer::touchesEnded(touches, event);
    if (state() != GestureRecognizerState::possible) {
        return;
    }
    double dx = end.x - start_.x;
    double dy = end.y - start_.y;
    unsigned stroke = 0;
    if (std::fabs(dx) >= 50 && std::fabs(dx) > 2 * std::fabs(dy)) {
        stroke = dx > 0 ? SwipeDirection::right : SwipeDirection::left;
    } else if (std::fabs(dy) >= 50 && std::fabs(dy) > 2 * std::fabs(dx)) {
        stroke = dy > 0 ? SwipeDirection::down : SwipeDirection::up;
    }
    setState(enoughFingers && (stroke & direction_) ? GestureRecognizerState::ended
                                                    : GestureRecognizerState::failed);
}

}  // namespace ui
