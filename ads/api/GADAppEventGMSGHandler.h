#pragma once

// The "appEvent" message of an ad: its "name" and optional "info" go to the
// slot's owner. Holds the slot weakly; once it is gone nothing happens.
// Main thread.

#include <memory>

#include "ads/webview/GADGMSGHandler.h"

class GADSlot;

class GADAppEventGMSGHandler : public GADGMSGHandler {
  public:
    explicit GADAppEventGMSGHandler(const std::weak_ptr<GADSlot>& slot);

    void appEvent(const Arguments& arguments);

  private:
    std::weak_ptr<GADSlot> slot_;
};
