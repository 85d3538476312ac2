#pragma once

// What the application hears of its banner, always on the main thread. Every
// method is optional.

class GADBannerView;
class GADRequestError;

class GADBannerViewDelegate {
  public:
    virtual ~GADBannerViewDelegate() = default;

    virtual void adViewDidReceiveAd(GADBannerView&) {}
    virtual void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError&) {}
    virtual void adViewWillPresentScreen(GADBannerView&) {}
    virtual void adViewWillDismissScreen(GADBannerView&) {}
    virtual void adViewDidDismissScreen(GADBannerView&) {}
    virtual void adViewWillLeaveApplication(GADBannerView&) {}
};
