#pragma once

// Hears a slot's screen events and the two full-screen notices in one log,
// for the tests of the full-screen ad screens.

#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADSlot.h"
#include "platform/foundation/NotificationCenter.h"

class ScreenEventRecorder : public GADSlotAdEventDelegate,
                            public std::enable_shared_from_this<ScreenEventRecorder> {
  public:
    using Log = std::vector<std::string>;

    explicit ScreenEventRecorder(Log& log) : log_(log) {}

    // Becomes the slot's event delegate and observes the notices.
    void listenTo(GADSlot& slot) {
        slot.setAdEventDelegate(shared_from_this());
        auto& center = foundation::NotificationCenter::defaultCenter();
        for (const char* name : {kAdModalViewControllerWillPresentFullScreen,
                                 kAdModalViewControllerDidDismissFullScreen}) {
            center.addObserver(
                shared_from_this(), name, nullptr,
                [this](const foundation::Notification& n) { log_.push_back(n.name); });
        }
    }

    void slotFinishedLoadingAdContent(GADSlot&) override {}
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError&) override {}
    void slotWillPresentScreen(GADSlot&) override { log_.push_back("slot will present"); }
    void slotWillDismissScreen(GADSlot&) override { log_.push_back("slot will dismiss"); }
    void slotDidDismissScreen(GADSlot&) override { log_.push_back("slot did dismiss"); }

  private:
    Log& log_;
};
