#pragma once

// What the publisher hears of the app events an ad page raises: the event's
// name and its optional info, on the main thread. Both methods are optional.

#include <optional>
#include <string>

class GADBannerView;
class GADInterstitial;

class GADAppEventDelegate {
  public:
    virtual ~GADAppEventDelegate() = default;

    virtual void adViewDidReceiveAppEvent(GADBannerView&, const std::string& name,
                                          const std::optional<std::string>& info) {}
    virtual void interstitialDidReceiveAppEvent(GADInterstitial&, const std::string& name,
                                                const std::optional<std::string>& info) {}
};
