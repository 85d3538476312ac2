#include "platform/ui/PanGestureRecognizer.h"

#include <cmath>

#include "platform/ui/View.h"

namespace ui {

namespace {

// A window-space vector in `view`'s coordinates (rotation and scale only).
graphics::Point vectorIn(const View* view, graphics::Point v) {
    if (!view) {
        return v;
    }
    auto a = view->convertPointFromView({0, 0}, nullptr);
    auto b = view->convertPointFromView(v, nullptr);
    return {b.x - a.x, b.y - a.y};
}

}  // namespace

graphics::Point PanGestureRecognizer::translationInView(const View* view) const {
    return vectorIn(view, {last_.x - origin_.x, last_.y - origin_.y});
}

void PanGestureRecognizer::setTranslation(graphics::Point translation, const View* view) {
    auto inWindow = view ? graphics::Point{view->convertPointToView(translation, nullptr).x -
                                               view->convertPointToView({0, 0}, nullptr).x,
                                           view->convertPointToView(translation, nullptr).y -
                                               view->convertPointToView({0, 0}, nullptr).y}
                         : translation;
    origin_ = {last_.x - inWindow.x, last_.y - inWindow.y};
}

graphics::Point PanGestureRecognizer::velocityInView(const View* view) const {
    return vectorIn(view, velocity_);
}

void PanGestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                        const Event& event) {
    GestureRecognizer::touchesBegan(touches, event);
    if (state() == GestureRecognizerState::possible) {
        origin_ = last_ = locationInView(nullptr);
        lastTime_ = event.timestamp;
    }
}

void PanGestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<Touch>>&,
                                        const Event& event) {
    auto p = locationInView(nullptr);
    double dt = event.timestamp - lastTime_;
    velocity_ =
        dt > 0 ? graphics::Point{(p.x - last_.x) / dt, (p.y - last_.y) / dt} : graphics::Point{};
    last_ = p;
    lastTime_ = event.timestamp;
    int touches = static_cast<int>(numberOfTouches());
    if (state() == GestureRecognizerState::possible) {
        if (touches >= minimumTouches_ && touches <= maximumTouches_ &&
            std::hypot(p.x - origin_.x, p.y - origin_.y) > 10) {
            setState(GestureRecognizerState::began);
        }
    } else if (state() == GestureRecognizerState::began ||
               state() == GestureRecognizerState::changed) {
        setState(GestureRecognizerState::changed);
    }
}

void PanGestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                        const Event& event) {
    GestureRecognizer::touchesEnded(touches, event);
    if (numberOfTouches() > 0) {
        return;
    }
    if (state() == GestureRecognizerState::began || state() == GestureRecognizerState::changed) {
        setState(GestureRecognizerState::ended);
    } else if (state() == GestureRecognizerState::possible) {
        setState(GestureRecognizerState::failed);
    }
}

void PanGestureRecognizer::reset() {
    GestureRecognizer::reset();
    velocity_ = {};
}

}  // namespace ui
