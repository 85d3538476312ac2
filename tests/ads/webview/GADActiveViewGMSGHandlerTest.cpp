#include <gtest/gtest.h>

#include "ads/webview/GADActiveViewGMSGHandler.h"
#include "ads/webview/GADActiveViewObserver.h"
#include "ads/webview/GADWebView.h"

namespace {

struct Observer : GADActiveViewObserver {
    std::vector<bool> heard;
    void webViewDidChangeActiveViewVisibility(GADWebView& webView) override {
        heard.push_back(webView.activeViewVisibility());
    }
};

bool handle(GADActiveViewGMSGHandler& handler, const std::string& url,
            const std::shared_ptr<GADWebView>& webView) {
    return handler.handleRequest(net::URLRequest(*foundation::URL::fromString(url)), webView);
}

TEST(GADActiveViewGMSGHandlerTest, ThePagesVerdictReachesTheObserver) {
    GADActiveViewGMSGHandler handler;
    auto webView = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    auto observer = std::make_shared<Observer>();
    webView->setActiveViewObserver(observer);

    const std::vector<std::pair<const char*, bool>> cases = {
        {"gmsg://ad/visibilityChanged?isVisible=1", true},
        {"gmsg://ad/visibilityChanged?isVisible=0", false},
        {"gmsg://ad/visibilityChanged?isVisible=1", true},
        {"gmsg://ad/visibilityChanged?isVisible=true", false},
        {"gmsg://ad/visibilityChanged?isVisible=1", true},
        {"gmsg://ad/visibilityChanged", false},
    };
    std::vector<bool> expected;
    for (const auto& [url, visible] : cases) {
        EXPECT_TRUE(handle(handler, url, webView)) << url;
        EXPECT_EQ(webView->activeViewVisibility(), visible) << url;
        expected.push_back(visible);
    }
    EXPECT_EQ(observer->heard, expected);

    EXPECT_FALSE(webView->activeViewUnloadPingReceived());
    EXPECT_TRUE(handle(handler, "gmsg://ad/untrackActiveViewUnit", webView));
    EXPECT_TRUE(webView->activeViewUnloadPingReceived());

    // Other messages and other schemes are left to other handlers; a gone
    // observer is not told.
    EXPECT_FALSE(handle(handler, "gmsg://ad/mraid?a=resize", webView));
    EXPECT_FALSE(handle(handler, "http://ad/visibilityChanged?isVisible=1", webView));
    observer.reset();
    EXPECT_TRUE(handle(handler, "gmsg://ad/visibilityChanged?isVisible=0", webView));
}

}  // namespace
