#pragma once

// What every ad network's adapter does for the mediation waterfall: load a
// banner or an interstitial for its connector, show the interstitial, and
// stop calling back. The class functions answer which adapter classes the
// program holds, found by name in the class registry.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "ads/api/GADAdSize.h"

namespace ui {
class ViewController;
}  // namespace ui

class GADMAdNetworkAdapter {
  public:
    // The protocol's name in the class registry.
    static constexpr const char* kProtocolName = "GADMAdNetworkAdapter";

    virtual ~GADMAdNetworkAdapter() = default;

    virtual void getBannerWithSize(GADAdSize adSize) = 0;
    virtual void getInterstitial() = 0;
    // Stops calling the connector and lets go of the network's objects.
    virtual void stopBeingDelegate() = 0;
    virtual bool isBannerAnimationOK(std::int64_t animationType) = 0;
    virtual void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) = 0;
    // Resizes the shown banner; false when the adapter cannot.
    virtual bool changeAdSizeTo(GADAdSize) { return false; }

    // The names of every registered class that adopts the protocol, itself or
    // through a superclass; nullopt when there is none.
    static std::optional<std::set<std::string>> availableAdapterNames();
    // The class adopts the protocol.
    static bool classIsAdapterClass(const std::string& className);
    // The class makes adapters of the current protocol (a class registered
    // without an adapter factory implements an older one).
    static bool classImplementsCurrentAdapterAPI(const std::string& className);
};
