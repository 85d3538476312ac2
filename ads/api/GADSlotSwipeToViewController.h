#pragma once

// A slot's part in swiping a banner to a store sheet: reports the ad's place
// on screen to the page, installs the pan gesture on the banner while the
// page enables the swipe, lets only pans that start in the ad's swipeable
// rectangles through, presents the store sheet interactively as the finger
// moves, and tells the page how the swipe and the sheet ended. While a swipe
// is under way it keeps its slot alive. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "ads/presentation/GADPercentDrivenUserInteractionAnimationController.h"
#include "ads/presentation/GADSwipeToViewControllerConfigurations.h"
#include "ads/presentation/GADViewControllerFullScreenSwipeAnimation.h"
#include "platform/foundation/Value.h"
#include "platform/services/StoreProductViewController.h"
#include "platform/ui/PanGestureRecognizer.h"

class GADAd;
class GADSlot;

class GADSlotSwipeToViewController
    : public GADPercentDrivenUserInteractionAnimationControllerDelegate,
      public services::StoreProductViewControllerDelegate,
      public std::enable_shared_from_this<GADSlotSwipeToViewController> {
  public:
    explicit GADSlotSwipeToViewController(const std::weak_ptr<GADSlot>& slot) : slot_(slot) {}

    // The swipe settings of the slot's current ad, made once per ad; nullptr
    // for an ad without them.
    std::shared_ptr<GADSwipeToViewControllerConfigurations> configurations();

    // Sends the page "onAdVisible" with the ad's frame, the device's frame
    // and orientation and whether the ad sits in a scroll view, when that
    // changed since the last report; nothing while a swipe is under way.
    void canEnableSwipeToViewController();
    // Installs the pan on the owner's swipe view with the ad's direction.
    void enableSwipeToViewController();
    // Removes the pan; the next position report is sent again.
    void disableSwipeToViewController();
    // The point (in `view`'s coordinates, the window's for nullptr) lies in
    // one of the ad's swipeable rectangles of the swipe view.
    bool shouldProcessTouch(graphics::Point point, const ui::View* view);
    void handlePanGesture(ui::PanGestureRecognizer& recognizer);
    // Gives a sheet still held back to the application's cache.
    void returnStoreProductViewController();

    bool isEnabled() const { return enabled_; }
    bool isAnimationControllerInitialized() const { return animationController_ != nullptr; }
    bool isSwipeUnderWay() const { return strongSlot_ != nullptr; }
    const std::shared_ptr<GADViewControllerFullScreenSwipeAnimation>& animation() const {
        return animation_;
    }
    const std::shared_ptr<GADPercentDrivenUserInteractionAnimationController>& animationController()
        const {
        return animationController_;
    }
    const std::shared_ptr<ui::PanGestureRecognizer>& swipeGestureRecognizer() const {
        return recognizer_;
    }
    const std::shared_ptr<services::StoreProductViewController>&
    swipeableStoreProductViewController() const {
        return sheet_;
    }

    // GADPercentDrivenUserInteractionAnimationControllerDelegate.
    void animationControllerDidFinishAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController& controller) override;
    void animationControllerDidCancelAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController& controller) override;
    // services::StoreProductViewControllerDelegate: the user closed the sheet.
    void productViewControllerDidFinish(services::StoreProductViewController& controller) override;

  private:
    void setUpAnimationController(double duration);
    void loadStoreProductViewController(const foundation::Value& productID,
                                        const std::string& cacheKey);
    void sendEvent(const std::string& name);
    std::shared_ptr<ui::View> swipeView() const;

    std::weak_ptr<GADSlot> slot_;
    std::weak_ptr<GADAd> configurationsAd_;
    std::shared_ptr<GADSwipeToViewControllerConfigurations> configurations_;
    bool enabled_ = false;
    std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation_;
    std::shared_ptr<GADPercentDrivenUserInteractionAnimationController> animationController_;
    std::shared_ptr<ui::PanGestureRecognizer> recognizer_;
    std::optional<int> targetToken_;
    std::shared_ptr<services::StoreProductViewController> sheet_;
    std::optional<std::string> sheetProductID_;
    std::shared_ptr<GADSlot> strongSlot_;
    // The pan started a presentation that has not finished or been cancelled.
    bool presentationRunning_ = false;
    std::optional<foundation::Dictionary> savedParams_;
};
