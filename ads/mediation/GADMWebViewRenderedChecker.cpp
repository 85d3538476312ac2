#include "ads/mediation/GADMWebViewRenderedChecker.h"

#include "ads/webview/GADWebViewRenderedChecker.h"
#include "platform/web/WebView.h"

void GADMWebViewRenderedChecker::checkIsContentRenderedInWebView() {
    auto webView = webView_.lock();
    auto delegate = delegate_.lock();
    if (!webView || !delegate) {
        return;
    }
    delegate->webViewIsRendered(*webView, GADWebViewRenderedChecker::isContentRendered(*webView));
}
