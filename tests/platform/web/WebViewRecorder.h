#pragma once

// Delegates for web-view tests that write down every callback as a line
// ("should other gmsg://a", "start", "finish", "fail -999", ...) and can
// refuse URLs by scheme.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/web/NavigationDelegate.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"

namespace testing_support {

inline const char* navigationTypeName(web::NavigationType type) {
    switch (type) {
        case web::NavigationType::linkClicked:
            return "link";
        case web::NavigationType::formSubmitted:
            return "form";
        case web::NavigationType::backForward:
            return "backforward";
        case web::NavigationType::reload:
            return "reload";
        case web::NavigationType::formResubmitted:
            return "resubmit";
        default:
            return "other";
    }
}

class WebViewRecorder : public web::WebViewDelegate {
  public:
    std::vector<std::string> events;
    std::set<std::string> refusedSchemes{"gmsg"};
    std::vector<bool> loadingAtFinish;
    std::function<void(web::WebView&, const net::URLRequest&)> onShouldStart;
    int finishes = 0;

    bool webViewShouldStartLoad(web::WebView& view, const net::URLRequest& request,
                                web::NavigationType type) override {
        events.push_back(std::string("should ") + navigationTypeName(type) + " " +
                         request.url()->absoluteString());
        if (onShouldStart) {
            onShouldStart(view, request);
        }
        return refusedSchemes.count(request.url()->scheme()) == 0;
    }
    void webViewDidStartLoad(web::WebView&) override { events.push_back("start"); }
    void webViewDidFinishLoad(web::WebView& view) override {
        events.push_back("finish");
        loadingAtFinish.push_back(view.isLoading());
        ++finishes;
    }
    void webViewDidFailLoad(web::WebView&, const net::URLError& error) override {
        events.push_back("fail " + std::to_string(error.code));
    }

    // Runs the main loop until the view is idle after having loaded.
    static bool waitUntilIdle(web::WebView& view, double timeout = 10) {
        foundation::RunLoop::main().runUntilIdle();
        const bool idle =
            foundation::RunLoop::main().runUntil([&] { return !view.isLoading(); }, timeout);
        foundation::RunLoop::main().runUntilIdle();
        return idle;
    }
};

class NavigationRecorder : public web::NavigationDelegate, public web::WebUIDelegate {
  public:
    std::vector<std::string> events;
    std::set<std::string> refusedSchemes;
    std::vector<web::NavigationAction> actions;
    std::shared_ptr<web::WebView> windowToOpen;

    web::NavigationActionPolicy decidePolicyForNavigationAction(
        web::WebView&, const web::NavigationAction& action) override {
        actions.push_back(action);
        events.push_back(
            std::string("decide ") +
            (action.targetFrame ? (action.targetFrame->isMainFrame ? "main " : "sub ") : "new ") +
            action.request.url()->absoluteString());
        return refusedSchemes.count(action.request.url()->scheme())
                   ? web::NavigationActionPolicy::cancel
                   : web::NavigationActionPolicy::allow;
    }
    void didStartProvisionalNavigation(web::WebView&) override { events.push_back("provisional"); }
    void didCommitNavigation(web::WebView&) override { events.push_back("commit"); }
    void didFinishNavigation(web::WebView&) override { events.push_back("finish"); }
    void didFailProvisionalNavigation(web::WebView&, const net::URLError& error) override {
        events.push_back("fail provisional " + std::to_string(error.code));
    }
    void didFailNavigation(web::WebView&, const net::URLError& error) override {
        events.push_back("fail " + std::to_string(error.code));
    }
    std::shared_ptr<web::WebView> createWebView(web::WebView&,
                                                const web::NavigationAction& action) override {
        events.push_back("create " + action.request.url()->absoluteString());
        return windowToOpen;
    }
};

}  // namespace testing_support
