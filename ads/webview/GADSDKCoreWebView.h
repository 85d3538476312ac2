#pragma once

// The hidden web view that shows the SDK-core page: it tracks whether the
// page is new, loading, loaded or failed, holds JavaScript commands until the
// page can take them (at most 50, the oldest goes) and runs them in order on
// the main thread, tells one-time observers when a load has ended, and lets
// through only the page itself and, once it has loaded, in-ad messages. Its
// GADSDKCoreGMSGHandler takes the page's answers; other messages go to an
// ordinary GADWebViewDelegate. A page that finishes loading without the
// page's functions (an error page, say) counts as failed. Callable from any
// thread: the state is kept on a serial queue that never waits; commands run
// from a second queue that waits for the main thread, on which nothing on
// the main thread waits.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADSDKCoreGMSGHandler.h"
#include "ads/webview/GADSDKCoreWebViewNotification.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/DispatchQueue.h"

enum GADSDKCoreWebViewState : std::int64_t {
    GADSDKCoreWebViewStateNew = 0,
    GADSDKCoreWebViewStateLoading = 1,
    GADSDKCoreWebViewStateLoaded = 2,
    GADSDKCoreWebViewStateFailed = 3,
};

class GADSDKCoreWebView : public GADWebViewDelegate,
                          public GADActiveViewSDKCoreWebView,
                          public std::enable_shared_from_this<GADSDKCoreWebView> {
  public:
    static constexpr std::size_t kMaxPendingJSCommands = 50;

    // A core web view whose page is not loaded until refreshSDKCore.
    static std::shared_ptr<GADSDKCoreWebView> make();
    ~GADSDKCoreWebView() override;

    // Tells the observer once when the current load ends; at once (from a
    // background queue, through the main queue) when the page has already
    // loaded or failed. Held weakly.
    void addObserverForOneTimeNotification(
        const std::shared_ptr<GADSDKCoreWebViewNotification>& observer);
    void removeObserver(const GADSDKCoreWebViewNotification* observer);
    // (Re)loads the page.
    void refreshSDKCore();
    // Runs the command in the page once it has loaded; dropped after a failure.
    void executeJavaScriptCommand(const std::string& command) override;

    std::int64_t state() const;
    void setState(std::int64_t state);
    bool hasSDKCoreLoadedAtLeastOnce() const;
    void setHasSDKCoreLoadedAtLeastOnce(bool loaded);
    std::size_t pendingJavaScriptCommandCount() const;

    const std::shared_ptr<GADWebView>& webView() const { return webView_; }
    std::shared_ptr<GADWebView> activeViewWebView() const override { return webView_; }
    const std::shared_ptr<GADSDKCoreGMSGHandler>& SDKCoreGMSGHandler() const { return handler_; }

    // GADWebViewDelegate.
    bool webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidFinishLoad(GADWebView& webView) override;
    void webViewDidFailLoad(GADWebView& webView, const net::URLError& error) override;

  private:
    GADSDKCoreWebView();
    void notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished();
    void executePendingJavaScriptCommands();
    void dispatchPendingJavaScriptCommands();

    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::shared_ptr<foundation::DispatchQueue> commandQueue_;
    std::shared_ptr<GADWebViewDelegate> webViewDelegate_;
    std::shared_ptr<GADWebView> webView_;
    std::shared_ptr<GADSDKCoreGMSGHandler> handler_;
    // Guarded by the lock queue.
    std::int64_t state_ = GADSDKCoreWebViewStateNew;
    bool hasSDKCoreLoadedAtLeastOnce_ = false;
    std::vector<std::string> pendingJSCommands_;
    std::map<const GADSDKCoreWebViewNotification*, std::weak_ptr<GADSDKCoreWebViewNotification>>
        observers_;
};
