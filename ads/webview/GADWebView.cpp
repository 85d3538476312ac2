#include "ads/webview/GADWebView.h"

void GADWebView::configureAsBannerAdView() {
    setHidden(true);
}

std::string GADWebView::stringByEvaluatingJavaScriptFromString(const std::string&) {
    return "";
}
