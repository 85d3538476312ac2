#pragma once

// The engine behind an ad placement: runs one ad request at a time through
// its states (ask the SDK-core page for an ad URL, fetch the ad, hand it on),
// keeps the reload timer that refreshes a banner, and reports every outcome
// to its owner once.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdFetcher.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADSlotDelegate.h"
#include "ads/api/GADSlotMediationGlue.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADSlotStatistics.h"
#include "ads/presentation/GADScreenSlot.h"
#include "ads/webview/GADActiveViewObserver.h"
#include "ads/webview/GADMRAIDAdSlot.h"
#include "ads/webview/GADSDKCoreControllerDelegate.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

class GADActiveViewMonitor;
class GADActiveViewSDKCoreWebView;
class GADInAppPurchaseDelegate;
class GADRequest;
class GADRequestError;
class GADBannerWebViewDelegate;
class GADOpener;
class GADSlotSwipeToViewController;
class GADInterstitial;
class GADWebView;

namespace ui {
class View;
class Window;
}  // namespace ui

enum GADSlotState : std::int64_t {
    GADSlotStateIdle = 0,
    GADSlotStateSDKCoreFailed = 1,
    GADSlotStateRequestingAdURL = 2,
    GADSlotStateReceivedAdURL = 3,
    GADSlotStateFetchingAd = 4,
    GADSlotStateRendering = 5,
    GADSlotStateReady = 6,
    GADSlotStateFailed = 7,
    GADSlotStateInvalidated = 8,
};

// Posted with the slot as object when a rotation moved its creative's frame.
inline constexpr const char* kGADSlotCreativeOrientationChangedNotification =
    "gad_slot_creative_orientation_changed";

class GADSlot : public std::enable_shared_from_this<GADSlot>,
                public GADSDKCoreControllerDelegate,
                public GADAdFetcherDelegate,
                public GADSlotAdResponseDelegate,
                public GADMRAIDAdSlot,
                public GADActiveViewObserver,
                public GADScreenSlot {
  public:
    // Seconds the fetch of an ad may take, from its start until the fetched
    // ad is handed on (rendered, mediated or given to its owner), before the
    // request fails with code 5. The SDK-core controller times the page's
    // answer before it.
    static constexpr double kRequestTimeout = 60.0;

    static std::shared_ptr<GADSlot> make(const graphics::Rect& frame = {});
    ~GADSlot() override;
    GADSlot(const GADSlot&) = delete;
    GADSlot& operator=(const GADSlot&) = delete;

    // Owner's set-up.
    const std::optional<std::string>& adUnitID() const override { return adUnitID_; }
    // Also names the slot statistics, which load what was kept for the unit.
    void setAdUnitID(std::optional<std::string> adUnitID);
    const std::shared_ptr<GADAdType>& adType() const { return adType_; }
    void setAdType(const std::shared_ptr<GADAdType>& type) { setAdType(type, true); }
    // Only a type that differs from the current one changes anything; with
    // `reloadRequest` a request in progress is cancelled and the last request
    // is loaded again.
    void setAdType(const std::shared_ptr<GADAdType>& type, bool reloadRequest);
    std::shared_ptr<GADSlotDelegate> slotDelegate() const { return slotDelegate_.lock(); }
    void setSlotDelegate(const std::shared_ptr<GADSlotDelegate>& d) { slotDelegate_ = d; }
    std::shared_ptr<GADSlotAdEventDelegate> adEventDelegate() const {
        return adEventDelegate_.lock();
    }
    void setAdEventDelegate(const std::shared_ptr<GADSlotAdEventDelegate>& d) {
        adEventDelegate_ = d;
    }
    std::shared_ptr<GADSlotAdResponseDelegate> adResponseDelegate() const {
        return adResponseDelegate_.lock();
    }
    void setAdResponseDelegate(const std::shared_ptr<GADSlotAdResponseDelegate>& d) {
        adResponseDelegate_ = d;
    }
    bool manualImpressionsEnabled() const { return manualImpressionsEnabled_; }
    void setManualImpressionsEnabled(bool enabled) { manualImpressionsEnabled_ = enabled; }
    bool reloadable() const { return reloadable_; }
    void setReloadable(bool reloadable) { reloadable_ = reloadable; }
    // Set on the slots that a mediation network of the component makes for
    // its own ads: their waterfalls never place the component's ads again.
    bool isCreatedForMediation() const { return createdForMediation_; }
    void setCreatedForMediation(bool created) { createdForMediation_ = created; }
    // The interstitial that owns the slot, if one does (held weakly).
    std::shared_ptr<GADInterstitial> interstitial() const { return interstitial_.lock(); }
    void setInterstitial(const std::weak_ptr<GADInterstitial>& interstitial) {
        interstitial_ = interstitial;
    }

    // Requests. A request the gate refuses is dropped silently.
    void loadRequest(const std::shared_ptr<GADRequest>& request) { loadRequest(request, false); }
    void loadRequest(const std::shared_ptr<GADRequest>& request, bool autoRefresh);
    // Busy in states 2 to 5 and once invalidated.
    bool isMakingRequest() const;
    // Refuses when invalidated, busy, the application inactive or the system
    // too old.
    bool shouldMakeRequest(const std::shared_ptr<GADRequest>& request) const;
    void cancelPendingActions();
    // The owner's teardown: cancel, end viewability reporting, forget the
    // delegate, never reload, state 8.
    void cancelPendingAndFutureActions();
    void resetRequestState();
    bool isMediating() const;
    void mediatedAdNetworkAutoRefreshed() { hasAutoRefreshed_ = true; }
    // "<GADSlot: 0x...>\nad unit ID:..."
    std::string description() const;
    // The SDK-core page's address.
    static std::string jsBuildAdURL();

    // State operations.
    std::int64_t state() const { return state_; }
    void setState(std::int64_t state);
    void willRequestAdURL();
    void didFailToRetrieveSDKCoreWithError(const GADRequestError& error);
    void didReceiveAdURL();
    void willFetchAdContent();
    void didFetchAdContent();
    void willProcessMediationResponse();
    void didFailToReceiveAdWithError(const std::shared_ptr<GADRequestError>& error,
                                     bool shouldReloadTimer, bool shouldCancelPendingActions);
    void didReceiveValidAd();
    void willStartAdRendering();
    void willLoadAdHTMLInWebView() { willStartAdRendering(); }
    // The ad page finished loading: the loading ad becomes the ad, the web
    // view's touches are forgotten and the load time is noted.
    void didLoadAdHTMLInWebView();
    // Counts the impression and pings the ad's impression URLs.
    void didMakeAdImpression();
    void willLeaveAppDueToClick() override;
    void resetState() { setState(GADSlotStateIdle); }
    void invalidateState() { setState(GADSlotStateInvalidated); }

    // Response handling: HTML into the web view, mediation to the glue,
    // custom rendering to an owner that takes it; each answers true.
    bool processAdResponse(const std::shared_ptr<GADAd>& ad);
    bool processMediationAdResponse(const std::shared_ptr<GADAd>& ad);
    bool processCustomRenderingAdResponse(const std::shared_ptr<GADAd>& ad);
    // The ad becomes the one on show.
    void finishedLoadingAdResponse(const std::shared_ptr<GADAd>& ad);
    // Gives the owner the view, resized to a size the response announced
    // when the owner lists it as valid.
    void setViewForAdUsingView(const std::shared_ptr<ui::View>& view);
    static bool validateAdResponseWithAdSize(GADAdSize size,
                                             const std::vector<GADAdSize>& validAdSizes);
    // Pings of the current ad's URL sets, uncached.
    void pingClickURLs() override;
    void pingImpressionURLs();
    void pingManualTrackingURLs();
    // Counts a click on the current ad.
    void adWasClicked() override;
    // The URL a click opens: the ad's impression ticket is noted, and a URL
    // of the ad vendor with an "ai" value may carry the collected signal.
    foundation::URL spamClickURLWithURL(const foundation::URL& url) override;
    // The host ends with one of the "as_domains" suffixes (or the built-in ones).
    static bool isDezuvoAdURL(const foundation::URL& url);
    const std::shared_ptr<GADSlotMediationGlue>& adMediationGlue() const {
        return adMediationGlue_;
    }
    // The opener of the slot's ad web view.
    std::shared_ptr<GADOpener> opener() const;
    // The slot's part in swiping its banner to a store sheet.
    const std::shared_ptr<GADSlotSwipeToViewController>& swipeToViewController() const {
        return swipeToViewController_;
    }

    // Owner notifications.
    void adFailedToReceiveContentWithError(const GADRequestError& error);
    void adFinishedLoadingContent();
    void adWillPresentScreen() override;
    void adWillDismissScreen() override;
    void adDidDismissScreen() override;
    void adWillLeaveApplication() override;

    // In-app purchases: the default purchase flow while the application has
    // turned it on, else the owner's delegate; the purchase goes to it on the
    // main thread.
    std::shared_ptr<GADInAppPurchaseDelegate> inAppPurchaseDelegate() const;
    void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>& purchase) override;

    // Reload timer.
    void reloadCurrentRequestWithTimer(foundation::Timer& timer);
    void reloadCurrentRequest();
    void scheduleReloadTimer(double interval);
    void scheduleAdReloadTimer() { scheduleReloadTimer(reloadInterval_); }
    void deactivateReloadTimer();
    void appWillBecomeInactive();
    void appDidBecomeActive();
    void adWillPresentFullScreen();
    void adDidRelinquishFullScreen();

    // GADSDKCoreControllerDelegate. The request's keys with the slot's laid
    // over them, gathered on the main thread whatever the caller's thread;
    // the pending ad statistics go with them and stay with the slot until
    // the request succeeds or they are given back.
    foundation::Dictionary requestParameters() override;
    void setRequestID(const std::string& requestID) override { requestID_ = requestID; }
    void loadAdURLWithParameters(const foundation::Dictionary& parameters) override;
    void loadAd(const std::shared_ptr<GADAd>& ad,
                const std::optional<foundation::Dictionary>& headers) override;
    // An ad network's JavaScript ad: its HTML loads in the web view under a
    // render check and passback watch; an ad without HTML fails.
    void loadAdNetworkJavaScriptRequest(const std::shared_ptr<GADAd>& ad);
    void invalidJavaScriptRequest() override;
    void failedJavaScriptFile() override;
    // Fails the request with code 5 while the slot waits for its ad URL.
    void javaScriptRequestTimedOut() override;

    // GADAdFetcherDelegate.
    void adFetcherDidFetchAd(GADAdFetcher& fetcher, const std::shared_ptr<GADAd>& ad) override;
    void adFetcherDidFailToFetchAdWithError(GADAdFetcher& fetcher,
                                            const std::shared_ptr<GADRequestError>& error) override;

    // GADSlotAdResponseDelegate: the slot's own handling of fetched ads.
    void slotDidFailToReceiveAdWithError(GADSlot& slot,
                                         const std::shared_ptr<GADRequestError>& error) override;
    bool slotDidReceiveAd(GADSlot& slot, const std::shared_ptr<GADAd>& ad) override;

    // MRAID ads. The script interception marks the ads; once an MRAID page
    // has loaded, its page hears the device's features, that the component
    // is ready, and later the screen after rotations and its visibility.
    bool isInterstitialSlot() const override;
    void willLoadMRAIDAd() override;
    bool isChildDirected() const override;
    // Markup that names `mraid` without loading "mraid.js" gets the MRAID
    // script first (after its doctype), as MRAID ads take it for granted
    // before their own scripts.
    static std::string markupWithMRAIDScript(const std::string& html);
    // The current ad is an MRAID ad.
    bool isMRAIDEnabled() const override;
    void didLoadMRAIDAd();
    // An MRAID page hears the share of its ad on screen after each sample:
    // "onExposureChanged" with the percentage (0 when the sample does not
    // count as visible) and the visible part in the ad's coordinates.
    void notifyMRAIDCreativeWithExposure(GADActiveViewMonitor& monitor);
    void didUnloadMRAIDAd();
    void notifyMRAIDCreativeWithVisibility(bool visible);
    void notifyOrientationToMRAIDCreative();
    void notifyDeviceFeatures();
    void SDKDidBecomeReady();

    // Rotation of the creative (MRAID ads): while listening, a rotation that
    // moves the web view's frame in window coordinates posts
    // kGADSlotCreativeOrientationChangedNotification.
    void beginListeningToDeviceOrientationChangeEvent();
    void endListeningToDeviceOrientationChangeEvent();
    void addCreativeOrientationChangeObserver(const std::shared_ptr<void>& observer,
                                              std::function<void()> action);
    void didChangeDeviceOrientation();
    bool isListeningToDeviceOrientationChangeEvent() const {
        return isListeningToDeviceOrientationChangeEvent_;
    }
    const graphics::Rect& creativeViewBounds() const { return creativeViewBounds_; }

    // Viewability. While an ad that asks for it (active-view settings, MRAID
    // or swipe settings) is shown, a monitor samples the ad's web view on
    // the SDK constants' schedule and each sample goes as a report
    // ("VIRA_updateActiveView") into an SDK-core page of the slot's own; a
    // last report, marked done, when the monitor goes. The page's verdict
    // reaches MRAID ads as their visibility.
    void webViewDidChangeActiveViewVisibility(GADWebView& webView) override;
    bool monitoredViewIsSubviewOfDeviceScreen() const;
    void resetActiveViewReporting();
    void finishActiveViewReporting();
    void activeViewMonitorWillUnload();
    void didRefreshActiveViewMonitor(GADActiveViewMonitor& monitor);
    // "VIRA_updateActiveView(<compact JSON>)"; nullopt without parameters or
    // for parameters with no JSON form.
    static std::optional<std::string> activeViewJSCommandWithParams(
        const std::optional<foundation::Value>& params);
    foundation::Dictionary activeViewParameters(GADActiveViewMonitor& monitor,
                                                bool activeViewUnloaded) const;
    // "interstitial_mb" or "banner_mb".
    std::string adFormat() const;
    // {"top", "bottom", "left", "right"} of the standardised rectangle.
    static foundation::Dictionary dictionaryForBounds(const graphics::Rect& bounds);
    bool canEnableActiveViewMonitoring() const;
    // A banner moving into a window starts the monitor; moving out samples
    // once and stops it. An interstitial's screen does the same as it
    // appears and disappears.
    void bannerDidMoveToWindow(const std::shared_ptr<ui::Window>& window);
    void interstitialViewWillAppear() override;
    void interstitialViewWillDisappear() override;
    const std::shared_ptr<GADActiveViewMonitor>& activeViewMonitor() const {
        return activeViewMonitor_;
    }
    std::uint64_t activeViewMonitorSequenceNumber() const {
        return activeViewMonitorSequenceNumber_;
    }
    const std::shared_ptr<GADActiveViewSDKCoreWebView>& SDKCoreWebView() const {
        return SDKCoreWebView_;
    }

    // Accessors.
    bool hasAutoRefreshed() const { return hasAutoRefreshed_; }
    const std::shared_ptr<GADRequest>& request() const { return request_; }
    const std::shared_ptr<GADAd>& ad() const { return ad_; }
    std::shared_ptr<GADStatisticDictionary> adStatistics() const override;
    const std::shared_ptr<GADAd>& loadingAd() const { return loadingAd_; }
    const std::shared_ptr<GADWebView>& webView() const override { return webView_; }
    // Component-clock milliseconds of the last finished ad page load.
    const std::optional<std::uint64_t>& timeLastLoaded() const { return timeLastLoaded_; }
    const foundation::Dictionary& applicationStatistics() const { return applicationStatistics_; }
    double reloadInterval() const { return reloadInterval_; }
    void setReloadInterval(double interval) { reloadInterval_ = interval; }
    const std::shared_ptr<foundation::Timer>& reloadTimer() const { return reloadTimer_; }
    const std::optional<std::string>& requestID() const { return requestID_; }
    graphics::Size newAdSize() const { return newAdSize_; }
    std::optional<std::string> adNetworkClassName() const;
    // The interstitial a mediated network delivered.
    std::shared_ptr<void> mediatedInterstitial() const;
    // Shows the mediated interstitial; only for a mediated interstitial slot.
    void presentMediatedInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController);
    const GADStatisticSet& pendingAdStatistics() const { return pendingAdStatistics_; }
    GADSlotStatistics& slotStats() { return slotStats_; }

    // "320x50|300x250": each size's points, whole and never negative.
    static std::string multipleAdSizeParameterFromSizes(const std::vector<GADAdSize>& sizes);

  private:
    GADSlot() = default;
    void initialize(const graphics::Rect& frame);
    void observeNotifications();
    void stopObservingNotifications();
    void armRequestTimeout();
    void cancelRequestTimeout();
    void requestTimedOut();
    foundation::Dictionary gatherRequestParameters();
    void pingURLs(const std::vector<foundation::URL>& urls);
    void sendActiveViewReport(GADActiveViewMonitor& monitor, bool activeViewUnloaded);
    // Hands the statistics of a request that was not sent back, once.
    void returnPendingAdStatistics();

    std::int64_t state_ = GADSlotStateIdle;
    std::weak_ptr<GADSlotDelegate> slotDelegate_;
    std::weak_ptr<GADSlotAdEventDelegate> adEventDelegate_;
    std::weak_ptr<GADSlotAdResponseDelegate> adResponseDelegate_;
    std::weak_ptr<GADInterstitial> interstitial_;
    std::optional<std::string> adUnitID_;
    bool hasAutoRefreshed_ = false;
    bool manualImpressionsEnabled_ = false;
    std::shared_ptr<GADAd> ad_;
    std::shared_ptr<GADAd> loadingAd_;
    std::shared_ptr<GADAdType> adType_;
    std::shared_ptr<GADRequest> request_;
    std::optional<std::uint64_t> timeLastLoaded_;
    std::shared_ptr<GADWebView> webView_;
    std::shared_ptr<GADBannerWebViewDelegate> webViewDelegate_;
    std::shared_ptr<GADAdFetcher> adFetcher_;
    std::shared_ptr<GADSlotMediationGlue> adMediationGlue_;
    std::shared_ptr<GADSlotSwipeToViewController> swipeToViewController_;
    foundation::Dictionary applicationStatistics_;
    double reloadInterval_ = 0;
    std::shared_ptr<foundation::Timer> reloadTimer_;
    std::shared_ptr<foundation::Timer> requestTimeoutTimer_;
    bool reloadable_ = true;
    bool createdForMediation_ = false;
    std::optional<std::string> requestID_;
    graphics::Size newAdSize_;
    GADSlotStatistics slotStats_;
    GADStatisticSet pendingAdStatistics_;
    // Whether this slot is counted among those expecting an MRAID script.
    bool countedForMRAID_ = false;
    bool isListeningToDeviceOrientationChangeEvent_ = false;
    graphics::Rect creativeViewBounds_;
    std::shared_ptr<GADActiveViewMonitor> activeViewMonitor_;
    std::uint64_t activeViewMonitorSequenceNumber_ = 0;
    std::shared_ptr<GADActiveViewSDKCoreWebView> SDKCoreWebView_;
};
