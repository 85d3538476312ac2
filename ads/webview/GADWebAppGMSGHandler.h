#pragma once

// The messages an ad sends to the web-app screen showing it: "customClose"
// and, before the screen is shown, "setInterstitialProperties" (a
// transparent background). Messages of an ad on no such screen change
// nothing. Main thread.

#include "ads/webview/GADGMSGHandler.h"

class GADWebAppGMSGHandler : public GADGMSGHandler {
  public:
    GADWebAppGMSGHandler();

    void customClose(const Arguments& arguments);
    void setInterstitialProperties(const Arguments& arguments);
};
