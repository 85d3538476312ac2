#include "ads/api/GADSwipeToViewControllerGMSGHandler.h"

#include "ads/api/GADSlot.h"
#include "ads/api/GADSlotSwipeToViewController.h"

GADSwipeToViewControllerGMSGHandler::GADSwipeToViewControllerGMSGHandler(
    const std::weak_ptr<GADSlot>& slot)
    : GADGMSGHandler([] {
          static const auto table = std::make_shared<const ActionTable>(ActionTable{
              {"enableSwipeToViewController",
               action(&GADSwipeToViewControllerGMSGHandler::enableSwipeToViewController)},
              {"disableSwipeToViewController",
               action(&GADSwipeToViewControllerGMSGHandler::disableSwipeToViewController)},
          });
          return table;
      }()),
      slot_(slot) {}

void GADSwipeToViewControllerGMSGHandler::enableSwipeToViewController(const Arguments& arguments) {
    const auto slot = slot_.lock();
    if (!slot || !slot->swipeToViewController()) {
        return;
    }
    const auto& swipe = slot->swipeToViewController();
    if (const auto settings = swipe->configurations()) {
        const auto* direction = arguments.parameter("swipe_direction");
        int value = GADSwipeToViewControllerConfigurations::kSwipeDirectionNone;
        if (direction && *direction == "top_to_bottom") {
            value = GADSwipeToViewControllerConfigurations::kSwipeDirectionTopToBottom;
        } else if (direction && *direction == "bottom_to_top") {
            value = GADSwipeToViewControllerConfigurations::kSwipeDirectionBottomToTop;
        }
        settings->setSwipeDirection(value);
        const auto* draggable = arguments.parameter("ad_draggable");
        settings->setAdDraggable(draggable && *draggable == "1");
    }
    swipe->enableSwipeToViewController();
}

void GADSwipeToViewControllerGMSGHandler::disableSwipeToViewController(const Arguments&) {
    const auto slot = slot_.lock();
    if (!slot || !slot->swipeToViewController()) {
        return;
    }
    const auto& swipe = slot->swipeToViewController();
    swipe->disableSwipeToViewController();
    if (const auto settings = swipe->configurations()) {
        settings->setSwipeDirection(GADSwipeToViewControllerConfigurations::kSwipeDirectionNone);
        settings->setAdDraggable(false);
    }
}
