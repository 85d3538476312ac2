#pragma once

// A progress indicator drawn by a layer of its own (pie or ring) that fills
// the view: the progress is handed to the layer, which moves to it over 0.3 s
// when animated.

#include <cmath>
#include <memory>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Transaction.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

template <typename Layer>
class JGProgressHUDLayerIndicatorView : public JGProgressHUDIndicatorView {
  public:
    explicit JGProgressHUDLayerIndicatorView(Token token)
        : JGProgressHUDIndicatorView(token), indicatorLayer_(std::make_shared<Layer>()) {
        layer().addSublayer(indicatorLayer_);
    }

    const std::shared_ptr<Layer>& indicatorLayer() const { return indicatorLayer_; }

    // Moves the layer's progress within one transaction of 0.3 s when
    // animated, 0 otherwise.
    void setProgress(float progress, bool animated) override {
        if (std::fabs(static_cast<double>(progress) - this->progress()) < kJGProgressHUDEpsilon) {
            return;
        }
        JGProgressHUDIndicatorView::setProgress(progress, animated);
        ui::Transaction::begin();
        ui::Transaction::setAnimationDuration(animated ? kAnimatedProgressDuration : 0);
        indicatorLayer_->setProgress(progress);
        ui::Transaction::commit();
    }
    using JGProgressHUDIndicatorView::setProgress;

    void setFrame(const graphics::Rect& frame) override {
        JGProgressHUDIndicatorView::setFrame(frame);
        indicatorLayer_->setFrame(bounds());
    }

    void setBounds(const graphics::Rect& bounds) override {
        JGProgressHUDIndicatorView::setBounds(bounds);
        indicatorLayer_->setFrame(this->bounds());
    }

  protected:
    // Draws the layer at the screen's scale and asks for its first drawing.
    void setUpLayer() {
        indicatorLayer_->setContentsScale(ui::Screen::mainScreen().scale());
        indicatorLayer_->setNeedsDisplay();
    }

  private:
    static constexpr double kAnimatedProgressDuration = 0.3;

    std::shared_ptr<Layer> indicatorLayer_;
};
