#pragma once

// The slot behind the component's full-screen screens as they see it: it
// hears when its ad takes and gives back the screen and when an
// interstitial's screen appears and disappears, and lends the current ad's
// statistics and its own web view; it is also the slot of the openers the
// screens make. The ad slot implements it. Main thread.

#include <memory>

#include "ads/webview/GADOpenerSlot.h"

class GADStatisticDictionary;
class GADWebView;

// Posted as a full-screen screen takes and gives back the screen: they pause
// and resume every slot's reload timer.
inline constexpr const char* kAdModalViewControllerWillPresentFullScreen =
    "kAdModalViewControllerWillPresentFullScreen";
inline constexpr const char* kAdModalViewControllerDidDismissFullScreen =
    "kAdModalViewControllerDidDismissFullScreen";

class GADScreenSlot : public GADOpenerSlot {
  public:
    // The owner hears the ad takes the screen, will give it back and gave it back.
    virtual void adWillPresentScreen() = 0;
    virtual void adWillDismissScreen() = 0;
    virtual void adDidDismissScreen() = 0;
    // The slot watches the ad's visibility while an interstitial's screen is up.
    virtual void interstitialViewWillAppear() = 0;
    virtual void interstitialViewWillDisappear() = 0;
    // The statistics of the current ad; nullptr without one.
    virtual std::shared_ptr<GADStatisticDictionary> adStatistics() const = 0;
    // The web view the slot shows its ads in.
    virtual const std::shared_ptr<GADWebView>& webView() const = 0;
};
