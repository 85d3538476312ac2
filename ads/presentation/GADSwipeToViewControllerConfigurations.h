#pragma once

// An ad's swipe-to-store settings as its response gives them: the store
// product to show, the rectangles of the ad that may be swiped, the metadata
// sent back to the page with every swipe event and the transition's
// duration; the page sets the direction and whether the ad travels along.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

class GADSwipeToViewControllerConfigurations {
  public:
    // Direction set by the page: none, top to bottom, bottom to top.
    static constexpr int kSwipeDirectionNone = 0;
    static constexpr int kSwipeDirectionTopToBottom = 1;
    static constexpr int kSwipeDirectionBottomToTop = 2;

    // nullptr for settings that are no dictionary, and on systems before
    // 7.0.0 (no custom transitions there).
    static std::shared_ptr<GADSwipeToViewControllerConfigurations> make(
        const std::optional<foundation::Value>& configurations);

    // The store item identifier; only a JSON number counts.
    const std::optional<foundation::Value>& swipeableInAppStoreProductID() const {
        return productID_;
    }
    // The product as decimal text, the key under which store sheets are kept
    // for it whichever way the product was named.
    std::optional<std::string> swipeableInAppStoreProductIDString() const;
    // Absent when no usable rectangle was given.
    const std::optional<std::vector<graphics::Rect>>& swipeableRectangles() const {
        return rectangles_;
    }
    const std::optional<foundation::Dictionary>& swipeEventCreativeMetadata() const {
        return metadata_;
    }
    // Seconds; 1 when absent or not above 0.
    double swipeAnimationTransitionDuration() const { return duration_; }
    int swipeDirection() const { return direction_; }
    void setSwipeDirection(int direction) { direction_ = direction; }
    bool adDraggable() const { return adDraggable_; }
    void setAdDraggable(bool draggable) { adDraggable_ = draggable; }

    explicit GADSwipeToViewControllerConfigurations(const foundation::Dictionary& configurations);

  private:
    std::optional<foundation::Value> productID_;
    std::optional<std::vector<graphics::Rect>> rectangles_;
    std::optional<foundation::Dictionary> metadata_;
    double duration_ = 1;
    int direction_ = kSwipeDirectionNone;
    bool adDraggable_ = false;
};
