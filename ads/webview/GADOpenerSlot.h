#pragma once

// The slot behind an opener as its actions and the in-ad messages see it:
// the ad unit, click accounting, leaving the application and in-app
// purchases. The ad slot implements it. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"

class GADInAppPurchase;

class GADOpenerSlot {
  public:
    virtual ~GADOpenerSlot() = default;

    virtual const std::optional<std::string>& adUnitID() const = 0;
    // Pings the current ad's click URLs.
    virtual void pingClickURLs() = 0;
    // Counts a click on the current ad.
    virtual void adWasClicked() = 0;
    // The URL a click opens, carrying what the click needs.
    virtual foundation::URL spamClickURLWithURL(const foundation::URL& url) = 0;
    // The owner hears the ad sends the user out of the application.
    virtual void adWillLeaveApplication() = 0;
    // The ad's statistics note the click that left the application.
    virtual void willLeaveAppDueToClick() = 0;
    // Hands the purchase to the in-app purchase delegate.
    virtual void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>& purchase) = 0;
    // The current ad is an MRAID ad: its web links open in the in-app browser.
    virtual bool isMRAIDEnabled() const { return false; }
};
