#include "platform/ui/TouchSimulator.h"

#include "platform/foundation/Clock.h"

namespace ui {

View::Ptr TouchSimulator::begin(const std::vector<graphics::Point>& points, int tapCount) {
    if (points.empty()) {
        return nullptr;
    }
    if (touches_.empty()) {
        const Event event{EventType::touches, foundation::Clock::monotonic(), {}};
        view_ = window_->hitTest(points.front(), &event);
        recognizers_.clear();
        viewCancelled_ = false;
        for (auto v = view_; v; v = v->superview()) {
            for (const auto& recognizer : v->gestureRecognizers()) {
                if (recognizer->isEnabled()) {
                    recognizers_.push_back(recognizer);
                }
            }
        }
    }
    double now = foundation::Clock::monotonic();
    std::vector<std::shared_ptr<Touch>> added;
    for (auto p : points) {
        auto touch = std::make_shared<Touch>();
        touch->phase = TouchPhase::began;
        touch->tapCount = tapCount;
        touch->timestamp = now;
        touch->windowLocation = touch->previousWindowLocation = p;
        touch->view = view_;
        touch->window = window_;
        added.push_back(touch);
        touches_.push_back(touch);
    }
    deliver(Phase::began);
    return view_;
}

void TouchSimulator::move(const std::vector<graphics::Point>& points) {
    double now = foundation::Clock::monotonic();
    for (std::size_t i = 0; i < touches_.size() && i < points.size(); ++i) {
        touches_[i]->previousWindowLocation = touches_[i]->windowLocation;
        touches_[i]->windowLocation = points[i];
        touches_[i]->phase = TouchPhase::moved;
        touches_[i]->timestamp = now;
    }
    deliver(Phase::moved);
}

void TouchSimulator::end() {
    for (auto& touch : touches_) {
        touch->phase = TouchPhase::ended;
    }
    deliver(Phase::ended);
    touches_.clear();
    for (const auto& recognizer : recognizers_) {
        recognizer->touchSequenceEnded();
    }
    recognizers_.clear();
    view_.reset();
}

void TouchSimulator::cancel() {
    for (auto& touch : touches_) {
        touch->phase = TouchPhase::cancelled;
    }
    deliver(Phase::cancelled);
    touches_.clear();
    for (const auto& recognizer : recognizers_) {
        recognizer->touchSequenceEnded();
    }
    recognizers_.clear();
    view_.reset();
}

void TouchSimulator::deliver(Phase phase) {
    Event event{EventType::touches, foundation::Clock::monotonic(), touches_};
    auto touches = touches_;
    for (const auto& recognizer : recognizers_) {
        auto d = recognizer->delegate();
        if (phase == Phase::began && d && !d->shouldReceiveTouch(*recognizer, *touches.front())) {
            continue;
        }
        auto before = recognizer->state();
        switch (phase) {
            case Phase::began:
                recognizer->touchesBegan(touches, event);
                break;
            case Phase::moved:
                recognizer->touchesMoved(touches, event);
                break;
            case Phase::ended:
                recognizer->touchesEnded(touches, event);
                break;
            case Phase::cancelled:
                recognizer->touchesCancelled(touches, event);
                break;
        }
        auto after = recognizer->state();
        bool took =
            before == GestureRecognizerState::possible &&
            (after == GestureRecognizerState::began || after == GestureRecognizerState::ended);
        if (took && recognizer->cancelsTouchesInView() && view_ && !viewCancelled_) {
            viewCancelled_ = true;
            view_->touchesCancelled(touches, event);
        }
    }
    if (!view_ || viewCancelled_) {
        return;
    }
    switch (phase) {
        case Phase::began:
            view_->touchesBegan(touches, event);
            break;
        case Phase::moved:
            view_->touchesMoved(touches, event);
            break;
        case Phase::ended:
            view_->touchesEnded(touches, event);
            break;
        case Phase::cancelled:
            view_->touchesCancelled(touches, event);
            break;
    }
}

void TouchSimulator::tap(const std::shared_ptr<Window>& window, graphics::Point point, int taps) {
    TouchSimulator fingers(window);
    for (int i = 1; i <= taps; ++i) {
        fingers.begin({point}, i);
        fingers.end();
    }
}

void TouchSimulator::drag(const std::shared_ptr<Window>& window, graphics::Point from,
                          graphics::Point to, int steps) {
    TouchSimulator finger(window);
    finger.begin({from});
    for (int i = 1; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        finger.move({{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t}});
    }
    finger.end();
}

void TouchSimulator::pinch(const std::shared_ptr<Window>& window, graphics::Point center,
                           double startSpread, double scale, int steps) {
    TouchSimulator fingers(window);
    auto at = [&](double spread) {
        return std::vector<graphics::Point>{{center.x - spread / 2, center.y},
                                            {center.x + spread / 2, center.y}};
    };
    fingers.begin(at(startSpread));
    for (int i = 1; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        fingers.move(at(startSpread * (1 + (scale - 1) * t)));
    }
    fingers.end();
}

}  // namespace ui
