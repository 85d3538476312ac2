#pragma once

// The messages that switch a banner's swipe to a store sheet:
// "enableSwipeToViewController" sets the direction ("swipe_direction") and
// whether the ad travels along ("ad_draggable") on the ad's swipe settings and
// installs the swipe; "disableSwipeToViewController" removes it and clears
// both. Holds the slot weakly; once it is gone nothing happens. Main thread.

#include <memory>

#include "ads/webview/GADGMSGHandler.h"

class GADSlot;

class GADSwipeToViewControllerGMSGHandler : public GADGMSGHandler {
  public:
    explicit GADSwipeToViewControllerGMSGHandler(const std::weak_ptr<GADSlot>& slot);

    void enableSwipeToViewController(const Arguments& arguments);
    void disableSwipeToViewController(const Arguments& arguments);

  private:
    std::weak_ptr<GADSlot> slot_;
};
