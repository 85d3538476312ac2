#pragma once

// The frames of one run of the full-screen swipe animation: the sheet's
// view from start to end and, when the ad travels along, its snapshot.

#include <memory>

#include "platform/graphics/Geometry.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"

class GADAnimationContext {
  public:
    const std::shared_ptr<ui::ViewController>& animatedViewController() const {
        return animatedViewController_;
    }
    void setAnimatedViewController(std::shared_ptr<ui::ViewController> controller) {
        animatedViewController_ = std::move(controller);
    }
    const graphics::Rect& animatedViewStartFrame() const { return animatedViewStartFrame_; }
    void setAnimatedViewStartFrame(const graphics::Rect& frame) { animatedViewStartFrame_ = frame; }
    const graphics::Rect& animatedViewEndFrame() const { return animatedViewEndFrame_; }
    void setAnimatedViewEndFrame(const graphics::Rect& frame) { animatedViewEndFrame_ = frame; }
    const graphics::Rect& draggableViewStartFrame() const { return draggableViewStartFrame_; }
    void setDraggableViewStartFrame(const graphics::Rect& frame) {
        draggableViewStartFrame_ = frame;
    }
    const graphics::Rect& draggableViewEndFrame() const { return draggableViewEndFrame_; }
    void setDraggableViewEndFrame(const graphics::Rect& frame) { draggableViewEndFrame_ = frame; }
    // None: no snapshot moves.
    const std::shared_ptr<ui::View>& draggableViewScreenshot() const {
        return draggableViewScreenshot_;
    }
    void setDraggableViewScreenshot(const std::shared_ptr<ui::View>& screenshot) {
        draggableViewScreenshot_ = screenshot;
    }

  private:
    std::shared_ptr<ui::ViewController> animatedViewController_;
    graphics::Rect animatedViewStartFrame_;
    graphics::Rect animatedViewEndFrame_;
    graphics::Rect draggableViewStartFrame_;
    graphics::Rect draggableViewEndFrame_;
    std::shared_ptr<ui::View> draggableViewScreenshot_;
};
