#pragma once

// Turns a slot's request into an ad URL through the hidden SDK-core page:
// loads the shared page when needed (again after a failure and an hour after
// the last load), holds the slots until it has loaded, numbers the requests
// ("1", "2", ...), sends each to the page and routes the page's answer back to
// the slot that asked, on the main queue; applies the SDK constants the page
// hands out; lends further core web views to the slots' active-view code.
// Every request is answered once: a request without parameters at once, one
// the page leaves unanswered after kRequestTimeout, and the outstanding ones
// when the page is reloaded. Its queues never wait for the main thread.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADSDKCoreControllerDelegate.h"
#include "ads/webview/GADSDKCoreGMSGHandlerDelegate.h"
#include "ads/webview/GADSDKCoreWebViewNotification.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/Value.h"

class GADSDKCoreWebView;

class GADSDKCoreController : public GADSDKCoreWebViewNotification,
                             public GADSDKCoreGMSGHandlerDelegate,
                             public std::enable_shared_from_this<GADSDKCoreController> {
  public:
    // The page is reloaded on the first request more than this long after
    // its last load.
    static constexpr std::uint64_t kPageLifetimeMilliseconds = 3'600'000;
    // Seconds a request may wait for the page's answer, its load included.
    static constexpr double kRequestTimeout = 60.0;

    GADSDKCoreController();
    ~GADSDKCoreController() override;
    GADSDKCoreController(const GADSDKCoreController&) = delete;
    GADSDKCoreController& operator=(const GADSDKCoreController&) = delete;

    // The shared controller, made on first use.
    static std::shared_ptr<GADSDKCoreController> sharedInstance();
    // Replaces the shared controller (tests drive slots through their own).
    static void setSharedInstance(std::shared_ptr<GADSDKCoreController> controller);

    // Starts one ad-URL request for the delegate (main thread); the delegate
    // hears exactly one answer on a later turn of the main queue. A delegate
    // that asks again before the page has loaded is asked once.
    virtual void buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>& delegate);

    // A new core web view already loading the page, for one slot's
    // viewability reports; the caller owns it and its answers reach no one.
    virtual std::shared_ptr<GADActiveViewSDKCoreWebView> nextSDKCoreWebView();
    // Keeps the core web view running until its unload ping has come (at
    // most the 4 newest are kept).
    virtual void finishedUsingSDKCoreWebView(
        const std::shared_ptr<GADActiveViewSDKCoreWebView>& webView);
    std::size_t runningActiveViewWebViewCount() const;

    // The compact JSON sent to the page: values of "extras" that JSON cannot
    // hold become their description; "" when the rest cannot be written.
    static std::string adRequestParameterJSONFromParameters(
        const foundation::Dictionary& parameters);

    // Viewability sampling intervals (seconds) from the SDK constants; none
    // until they give some. Any thread.
    void setActiveViewMonitorRefreshIntervals(std::optional<foundation::Array> intervals);
    virtual std::optional<foundation::Array> activeViewMonitorRefreshIntervals() const;

    // The shared page (made on first use, main thread).
    std::shared_ptr<GADSDKCoreWebView> activeSDKCoreWebView();
    bool SDKConstantsNeedReload() const;
    // Requests sent to the page and not answered yet.
    std::size_t pendingRequestCount() const;

    // GADSDKCoreWebViewNotification: the drain after a load.
    void didFinishLoadingSDKCoreInSDKCoreWebView(GADSDKCoreWebView& webView) override;
    // GADSDKCoreGMSGHandlerDelegate: the page's answers.
    void SDKCoreGMSGHandlerLoadAdParameters(GADSDKCoreGMSGHandler& handler,
                                            const foundation::Dictionary& parameters,
                                            const std::string& requestID) override;
    void SDKCoreGMSGHandlerLoadAd(GADSDKCoreGMSGHandler& handler, const std::shared_ptr<GADAd>& ad,
                                  const std::optional<foundation::Dictionary>& headers,
                                  const std::string& requestID) override;
    void SDKCoreGMSGHandlerLoadSDKConstants(GADSDKCoreGMSGHandler& handler,
                                            const foundation::Dictionary& constants) override;
    void SDKCoreGMSGHandlerDidReceiveInvalidAdParameters(GADSDKCoreGMSGHandler& handler,
                                                         const foundation::Dictionary& parameters,
                                                         const std::string& requestID) override;

  private:
    // One request: who asked, and the ticket its time-out is filed under.
    struct Request {
        std::weak_ptr<GADSDKCoreControllerDelegate> delegate;
        const void* key = nullptr;
        std::uint64_t ticket = 0;
    };
    using Answer = std::function<void(GADSDKCoreControllerDelegate&)>;

    // The reload rule; on the lock queue.
    void refreshActiveWebViewSDKCore();
    void observeSDKCoreWebViewForSDKCoreLoadRequestCompleted();
    void asynchronouslyRequestURLForDelegate(const Request& request);
    void sendRequest(const std::string& requestID, const Request& request);
    // Removes the request sent under the ID; nullopt when none waits.
    std::optional<Request> takeRequest(const std::string& requestID);
    // Tells the delegate on a later turn of the main queue and stops the
    // request's time-out.
    void answer(const Request& request, Answer call);
    void requestTimedOut(std::uint64_t ticket);
    void cacheRunningActiveViewWebView(const std::shared_ptr<GADActiveViewSDKCoreWebView>& webView);
    void removeFinishedActiveViewWebViews();

    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::shared_ptr<foundation::DispatchQueue> requestURLQueue_;
    std::once_flag webViewOnce_;
    std::shared_ptr<GADSDKCoreWebView> activeSDKCoreWebView_;
    // Guarded by the lock queue.
    std::vector<Request> pendingActiveWebViewLoadDelegates_;
    std::map<std::string, Request> pendingBuildAdURLDelegates_;
    std::vector<std::shared_ptr<GADActiveViewSDKCoreWebView>> activeViewSDKCoreWebViews_;
    std::uint64_t lastWebViewRefreshTimestamp_ = 0;
    bool SDKConstantsNeedReload_ = true;
    std::optional<foundation::Array> activeViewMonitorRefreshIntervals_;
    // Owned by the URL queue.
    std::uint64_t requestID_ = 1;
    // Main thread: the time-outs by ticket.
    std::uint64_t nextTicket_ = 1;
    std::map<std::uint64_t, std::shared_ptr<foundation::Timer>> timeouts_;
};
