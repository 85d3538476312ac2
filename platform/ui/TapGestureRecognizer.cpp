#include "platform/ui/TapGestureRecognizer.h"

#include <cmath>

namespace ui {

void TapGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                        const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (state() != GestureRecognizerState::possible) {
        return;
    }
    if (maxTouches_ == 0) {
        start_ = locationInView(nullptr);
    }
    maxTouches_ = std::max(maxTouches_, numberOfTouches());
    if (static_cast<int>(numberOfTouches()) > touchesRequired_) {
        setState(GestureRecognizerState::failed);
    }
}

void TapGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<Touch>>&, const Event&) {
    auto p = locationInView(nullptr);
    if (state() == GestureRecognizerState::possible &&
        std::hypot(p.x - start_.x, p.y - start_.y) > 10) {
        setState(GestureRecognizerState::failed);
    }
}

void TapGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                        const Event& event) {
    int tapCount = touches.empty() ? 0 : touches.front()->tapCount;
    GestureRecognizer::touchesEnded(touches, event);
    if (state() != GestureRecognizerState::possible || numberOfTouches() > 0) {
        return;
    }
    if (static_cast<int>(maxTouches_) == touchesRequired_ && tapCount >= taps_) {
        setState(GestureRecognizerState::ended);
    } else if (tapCount >= taps_) {
        setState(GestureRecognizerState::failed);
    }
}

void TapGestureRecognizer::reset() {
    GestureRecognizer::reset();
    maxTouches_ = 0;
}

}  // namespace ui
