#include "ads/webview/GADImpressionTicketGestureRecognizer.h"

#include <cmath>

#include "platform/ui/View.h"

void GADImpressionTicketGestureRecognizer::touchesBegan(
    const std::vector<std::shared_ptr<ui::Touch>>& touches, const ui::Event& event) {
    ui::GestureRecognizer::touchesBegan(touches, event);
    if (touches.size() != 1) {
        setState(ui::GestureRecognizerState::failed);
    }
}

void GADImpressionTicketGestureRecognizer::touchesMoved(
    const std::vector<std::shared_ptr<ui::Touch>>& touches, const ui::Event& event) {
    ui::GestureRecognizer::touchesMoved(touches, event);
    if (state() == ui::GestureRecognizerState::failed || touches.empty()) {
        return;
    }
    const auto viewHolder = view();
    const graphics::Point now = touches.front()->locationInView(viewHolder.get());
    const graphics::Point before = touches.front()->previousLocationInView(viewHolder.get());
    const double dx = now.x - before.x;
    if (std::fabs(now.y - before.y) > kMaximumVerticalMove) {
        setState(ui::GestureRecognizerState::failed);
        return;
    }
    switch (gestureState_) {
        case GADImpressionTicketGestureStateNone:
            if (dx < 0) {
                setState(ui::GestureRecognizerState::failed);
                return;
            }
            distanceMoved_ += std::fabs(dx);
            gestureState_ = GADImpressionTicketGestureStateFirstStrokeRight;
            break;
        case GADImpressionTicketGestureStateFirstStrokeRight:
        case GADImpressionTicketGestureStateThirdStrokeRight:
            if (dx >= 0) {
                distanceMoved_ += std::fabs(dx);
            } else {
                turn(dx);
            }
            break;
        case GADImpressionTicketGestureStateSecondStrokeLeft:
            if (dx <= 0) {
                distanceMoved_ += std::fabs(dx);
            } else {
                turn(dx);
            }
            break;
        default:
            if (dx <= 0) {
                distanceMoved_ += std::fabs(dx);
            } else {
                setState(ui::GestureRecognizerState::failed);
            }
            break;
    }
}

void GADImpressionTicketGestureRecognizer::turn(double dx) {
    if (distanceMoved_ < kMinimumStroke) {
        setState(ui::GestureRecognizerState::failed);
        return;
    }
    distanceMoved_ = std::fabs(dx);
    ++gestureState_;
}

void GADImpressionTicketGestureRecognizer::touchesEnded(
    const std::vector<std::shared_ptr<ui::Touch>>& touches, const ui::Event& event) {
    ui::GestureRecognizer::touchesEnded(touches, event);
    if (state() == ui::GestureRecognizerState::possible &&
        gestureState_ == GADImpressionTicketGestureStateFourthStrokeLeft) {
        setState(ui::GestureRecognizerStateRecognized);
        return;
    }
    setState(ui::GestureRecognizerState::failed);
    gestureState_ = GADImpressionTicketGestureStateNone;
}

void GADImpressionTicketGestureRecognizer::touchesCancelled(
    const std::vector<std::shared_ptr<ui::Touch>>& touches, const ui::Event& event) {
    ui::GestureRecognizer::touchesCancelled(touches, event);
    setState(ui::GestureRecognizerState::failed);
    reset();
}

void GADImpressionTicketGestureRecognizer::reset() {
    ui::GestureRecognizer::reset();
    gestureState_ = GADImpressionTicketGestureStateNone;
    distanceMoved_ = 0;
}
