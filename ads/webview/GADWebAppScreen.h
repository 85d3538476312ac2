#pragma once

// The full-screen web-app screen showing an ad, as the ad's web-app messages
// change it: its own close button or the ad's, and a transparent background
// before it is shown. The web-app screen implements it. Main thread.

class GADWebAppScreen {
  public:
    virtual ~GADWebAppScreen() = default;
    virtual void setUseCustomClose(bool useCustomClose) = 0;
    virtual void setTransparentInterstitial(bool transparent) = 0;
};
