#include "ads/webview/GADWebView.h"

void GADWebView::configureAsBannerAdView() {
    setHidden(true);
}
