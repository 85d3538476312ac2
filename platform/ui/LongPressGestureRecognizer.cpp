#include "platform/ui/LongPressGestureRecognizer.h"

#include <cmath>

#include "platform/foundation/RunLoop.h"

namespace ui {

LongPressGestureRecognizer::~LongPressGestureRecognizer() {
    cancelTimer();
}

void LongPressGestureRecognizer::cancelTimer() {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
}

void LongPressGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                              const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (state() != GestureRecognizerState::possible) {
        return;
    }
    if (static_cast<int>(numberOfTouches()) > touchesRequired_) {
        cancelTimer();
        setState(GestureRecognizerState::failed);
        return;
    }
    if (static_cast<int>(numberOfTouches()) == touchesRequired_) {
        start_ = locationInView(nullptr);
        cancelTimer();
        std::weak_ptr<GestureRecognizer> weak = weak_from_this();
        timer_ = foundation::RunLoop::main().performAfter(minimumPressDuration_, [weak] {
            auto self = std::static_pointer_cast<LongPressGestureRecognizer>(weak.lock());
            if (self && self->state() == GestureRecognizerState::possible &&
                static_cast<int>(self->numberOfTouches()) == self->touchesRequired_) {
                self->timer_.reset();
                self->setState(GestureRecognizerState::began);
            }
        });
    }
}

void LongPressGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<Touch>>&,
                                              const Event&) {
    auto p = locationInView(nullptr);
    if (state() == GestureRecognizerState::possible) {
        if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement_) {
            cancelTimer();
            setState(GestureRecognizerState::failed);
        }
    } else if (state() == GestureRecognizerState::began ||
               state() == GestureRecognizerState::changed) {
        setState(GestureRecognizerState::changed);
    }
}

void LongPressGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                              const Event& event) {
    bool active =
        state() == GestureRecognizerState::began || state() == GestureRecognizerState::changed;
    if (active) {
        setState(GestureRecognizerState::ended);
    } else if (state() == GestureRecognizerState::possible) {
        cancelTimer();
        setState(GestureRecognizerState::failed);
    }
    GestureRecognizer::touchesEnded(touches, event);
}

void LongPressGestureRecognizer::reset() {
    cancelTimer();
    GestureRecognizer::reset();
}

}  // namespace ui
