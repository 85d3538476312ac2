#include "platform/ui/PinchGestureRecognizer.h"

#include <cmath>

namespace ui {

double PinchGestureRecognizer::spread() const {
    if (numberOfTouches() < 2) {
        return 0;
    }
    auto a = locationOfTouch(0, nullptr);
    auto b = locationOfTouch(1, nullptr);
    return std::hypot(a.x - b.x, a.y - b.y);
}

void PinchGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                          const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (numberOfTouches() == 2 && state() == GestureRecognizerState::possible) {
        initial_ = spread();
        lastTime_ = event.timestamp;
    }
}

void PinchGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<Touch>>&,
                                          const Event& event) {
    if (numberOfTouches() < 2 || initial_ <= 0) {
        return;
    }
    double previous = scale_;
    double dt = event.timestamp - lastTime_;
    lastTime_ = event.timestamp;
    if (state() == GestureRecognizerState::possible) {
        scale_ = spread() / initial_;
        setState(GestureRecognizerState::began);
    } else if (state() == GestureRecognizerState::began ||
               state() == GestureRecognizerState::changed) {
        scale_ = spread() / initial_;
        setState(GestureRecognizerState::changed);
    }
    velocity_ = dt > 0 ? (scale_ - previous) / dt : 0;
}

void PinchGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                          const Event& event) {
    if (state() == GestureRecognizerState::began || state() == GestureRecognizerState::changed) {
        setState(GestureRecognizerState::ended);
    } else if (state() == GestureRecognizerState::possible) {
        setState(GestureRecognizerState::failed);
    }
    GestureRecognizer::touchesEnded(touches, event);
}

void PinchGestureRecognizer::reset() {
    GestureRecognizer::reset();
    scale_ = 1;
    velocity_ = 0;
    initial_ = 0;
}

}  // namespace ui
