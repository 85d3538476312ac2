#include "platform/ui/GestureRecognizer.h"

#include <algorithm>

#include "platform/ui/View.h"

namespace ui {

GestureRecognizer::GestureRecognizer(Action action) {
    if (action) {
        addTarget(std::move(action));
    }
}

int GestureRecognizer::addTarget(Action action) {
    int token = nextToken_++;
    targets_.emplace_back(token, std::move(action));
    return token;
}

void GestureRecognizer::removeTarget(int token) {
    targets_.erase(std::remove_if(targets_.begin(), targets_.end(),
                                  [&](const auto& t) { return t.first == token; }),
                   targets_.end());
}

void GestureRecognizer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (!enabled) {
        if (state_ == GestureRecognizerState::began || state_ == GestureRecognizerState::changed) {
            setState(GestureRecognizerState::cancelled);
        }
        reset();
    }
}

std::shared_ptr<View> GestureRecognizer::view() const {
    return view_.lock();
}

void GestureRecognizer::setView(View* view) {
    if (!view) {
        view_.reset();
        return;
    }
    view_ = std::static_pointer_cast<View>(view->shared_from_this());
}

graphics::Point GestureRecognizer::locationInView(const View* view) const {
    if (touches_.empty()) {
        return {};
    }
    double x = 0;
    double y = 0;
    for (const auto& touch : touches_) {
        auto p = touch->locationInView(view);
        x += p.x;
        y += p.y;
    }
    auto n = static_cast<double>(touches_.size());
    return {x / n, y / n};
}

graphics::Point GestureRecognizer::locationOfTouch(std::size_t index, const View* view) const {
    return index < touches_.size() ? touches_[index]->locationInView(view) : graphics::Point{};
}

void GestureRecognizer::touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                                     const Event&) {
    for (const auto& touch : touches) {
        if (std::find(touches_.begin(), touches_.end(), touch) == touches_.end()) {
            touches_.push_back(touch);
        }
    }
}

void GestureRecognizer::touchesMoved(const std::vector<std::shared_ptr<Touch>>&, const Event&) {}

void GestureRecognizer::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                                     const Event&) {
    for (const auto& touch : touches) {
        touches_.erase(std::remove(touches_.begin(), touches_.end(), touch), touches_.end());
    }
}

void GestureRecognizer::touchesCancelled(const std::vector<std::shared_ptr<Touch>>& touches,
                                         const Event& event) {
    if (state_ == GestureRecognizerState::began || state_ == GestureRecognizerState::changed) {
        setState(GestureRecognizerState::cancelled);
    } else if (state_ == GestureRecognizerState::possible) {
        setState(GestureRecognizerState::failed);
    }
    GestureRecognizer::touchesEnded(touches, event);
}

void GestureRecognizer::reset() {
    state_ = GestureRecognizerState::possible;
    touches_.clear();
}

void GestureRecognizer::touchSequenceEnded() {
    if (state_ == GestureRecognizerState::began || state_ == GestureRecognizerState::changed) {
        return;
    }
    reset();
}

void GestureRecognizer::setState(GestureRecognizerState state) {
    bool starting =
        state_ == GestureRecognizerState::possible &&
        (state == GestureRecognizerState::began || state == GestureRecognizerState::ended);
    if (starting) {
        auto d = delegate();
        if (!enabled_ || (d && !d->gestureRecognizerShouldBegin(*this))) {
            state_ = GestureRecognizerState::failed;
            return;
        }
    }
    state_ = state;
    if (state != GestureRecognizerState::failed && state != GestureRecognizerState::possible) {
        sendActions();
    }
}

void GestureRecognizer::sendActions() {
    auto keep = shared_from_this();
    auto targets = targets_;
    for (const auto& [token, action] : targets) {
        if (action) {
            action(*this);
        }
    }
}

}  // namespace ui
