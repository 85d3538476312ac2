#include "ads/api/GADSlot.h"

#include <cstdio>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdBanner.h"
#include "ads/api/GADAdInterstitial.h"
#include "ads/api/GADAdNetworkJavasSciptWebViewDelegate.h"
#include "ads/api/GADBannerWebViewDelegate.h"
#include "ads/api/GADMediationClasses.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSignalCollector.h"
#include "ads/api/GADSlotSwipeToViewController.h"
#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADPublisherToolbarCredentials.h"
#include "ads/foundation/GADURLAdditions.h"
#include "ads/foundation/GADWeakTimerTarget.h"
#include "ads/presentation/GADOpenerPresentation.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

namespace {

// "losn": the sequence number of the last request answered offline.
void copySequenceNumberAsLast(GADStatisticDictionary& statistics) {
    foundation::Value sequence = statistics.objectForKey("seq_num");
    if (!sequence.isNull()) {
        statistics.setObjectForKeyedSubscript("losn", sequence);
    }
}

// "x", "y", "w", "h" of the standardized rectangle.
foundation::Dictionary rectangleDictionary(const graphics::Rect& rect) {
    graphics::Rect standard = rect.standardized();
    return {{"x", standard.origin.x},
            {"y", standard.origin.y},
            {"w", standard.size.width},
            {"h", standard.size.height}};
}

// Host suffixes of the ad vendor when the SDK constants give none.
constexpr const char* kDefaultAdDomains = "dezuvo.com,dezuvoads.com,zizez.net";

// As the program loads: the component's early activities, which the
// application singleton runs once the application has finished launching.
[[maybe_unused]] const bool kHandsOverEarlyActivities = [] {
    GADApplication::setEarlyActivities([] {
        GADMRAIDInterceptor::allow();
        if (auto mediation = GADMediationClasses::installed()) {
            mediation->availableAdapterNames();
        }
    });
    return true;
}();

std::uint64_t wholePoints(double value) {
    return value > 0 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

std::shared_ptr<GADSlot> GADSlot::make(const graphics::Rect& frame) {
    GADApplication::sharedApplication().runEarlyActivities();
    std::shared_ptr<GADSlot> slot(new GADSlot);
    slot->initialize(frame);
    return slot;
}

void GADSlot::initialize(const graphics::Rect& frame) {
    state_ = GADSlotStateIdle;
    reloadable_ = true;
    adResponseDelegate_ = std::static_pointer_cast<GADSlotAdResponseDelegate>(shared_from_this());
    webView_ = std::make_shared<GADWebView>(frame);
    webViewDelegate_ = std::make_shared<GADBannerWebViewDelegate>(shared_from_this());
    webView_->setDelegate(webViewDelegate_);
    swipeToViewController_ = std::make_shared<GADSlotSwipeToViewController>(weak_from_this());
    observeNotifications();
    adType_ = GADAdType::interstitialAdType();
    if (auto mediation = GADMediationClasses::installed()) {
        mediation->registerClasses();
    }
    GADOpenerPresentation::install();
    GADAd::installSDKCoreAdMaker();
    adMediationGlue_ = foundation::ClassRegistry::shared().make<GADSlotMediationGlue>(
        GADSlotMediationGlue::kClassName);
    if (adMediationGlue_) {
        adMediationGlue_->setSlot(weak_from_this());
    }
}

GADSlot::~GADSlot() {
    finishActiveViewReporting();
    didUnloadMRAIDAd();
    if (countedForMRAID_) {
        GADMRAIDInterceptor::disableCanInitWithRequest();
    }
    if (adFetcher_) {
        adFetcher_->cancel();
    }
    if (adMediationGlue_) {
        adMediationGlue_->setSlot({});
    }
    returnPendingAdStatistics();
    stopObservingNotifications();
    if (reloadTimer_) {
        reloadTimer_->invalidate();
    }
    if (requestTimeoutTimer_) {
        requestTimeoutTimer_->invalidate();
    }
}

void GADSlot::observeNotifications() {
    std::shared_ptr<GADSlot> self = shared_from_this();
    std::weak_ptr<GADSlot> weakSelf = self;
    auto observe = [&](const char* name, void (GADSlot::*handler)()) {
        foundation::NotificationCenter::defaultCenter().addObserver(
            self, name, nullptr, [weakSelf, handler](const foundation::Notification&) {
                if (auto slot = weakSelf.lock()) {
                    ((*slot).*handler)();
                }
            });
    };
    observe(ui::ApplicationWillResignActiveNotification, &GADSlot::appWillBecomeInactive);
    observe(ui::ApplicationDidBecomeActiveNotification, &GADSlot::appDidBecomeActive);
    observe(kAdModalViewControllerWillPresentFullScreen, &GADSlot::adWillPresentFullScreen);
    observe(kAdModalViewControllerDidDismissFullScreen, &GADSlot::adDidRelinquishFullScreen);
}

void GADSlot::stopObservingNotifications() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
}

void GADSlot::setAdUnitID(std::optional<std::string> adUnitID) {
    adUnitID_ = std::move(adUnitID);
    if (adUnitID_) {
        slotStats_.setIdentifier(*adUnitID_);
    }
}

void GADSlot::setAdType(const std::shared_ptr<GADAdType>& type, bool reloadRequest) {
    if (!type || (adType_ && adType_->isEqual(*type))) {
        return;
    }
    adType_ = type;
    if (newAdSize_.isZero() && reloadRequest) {
        webView_->setHidden(true);
    }
    if (isMediating()) {
        if (adMediationGlue_ && adMediationGlue_->changeAdTypeTo(type)) {
            return;
        }
        if (auto delegate = slotDelegate()) {
            delegate->slotDidReceiveAdView(*this, nullptr);
        }
    }
    if (!reloadRequest) {
        return;
    }
    if (isMakingRequest()) {
        cancelPendingActions();
    }
    if (request_) {
        loadRequest(request_, false);
    }
}

void GADSlot::loadRequest(const std::shared_ptr<GADRequest>& request, bool autoRefresh) {
    if (!shouldMakeRequest(request)) {
        return;
    }
    // Keeps the slot alive across owner callbacks that may release it.
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    willRequestAdURL();
    request_ = request ? request->copy() : GADRequest::request();
    hasAutoRefreshed_ = autoRefresh;

    std::optional<foundation::Dictionary> extras = request_->networkExtrasAdditionalParameters();
    foundation::Value parameters = extras ? foundation::Value(*extras) : foundation::Value();
    std::int64_t orientations = 0;
    const std::string orientation = parameters["_orientation"].stringValue();
    if (orientation == "p") {
        orientations = 2;
    } else if (orientation == "l") {
        orientations = 3;
    }
    if (const foundation::Dictionary* adDictionary = parameters["_ad"].asDictionary()) {
        std::shared_ptr<GADAd> ad;
        if (adType_ && adType_->isInterstitial()) {
            ad = std::make_shared<GADAdInterstitial>(*adDictionary);
        } else {
            ad = std::make_shared<GADAdBanner>(*adDictionary);
        }
        if (orientations) {
            ad->setSupportedOrientations(orientations);
        }
        const foundation::Dictionary* headers = parameters["_adHeaders"].asDictionary();
        loadAd(ad, headers ? std::optional<foundation::Dictionary>(*headers) : std::nullopt);
        return;
    }
    const std::string* requestURL = parameters["_requestUrl"].asString();
    if (requestURL) {
        GADMRAIDInterceptor::allow();
        auto ad = std::make_shared<GADAd>();
        ad->setAdURL(foundation::URL::fromString(*requestURL));
        if (orientations) {
            ad->setSupportedOrientations(orientations);
        }
        loadAd(ad, std::nullopt);
        return;
    }
    GADSDKCoreController::sharedInstance()->buildAdURL(
        std::static_pointer_cast<GADSDKCoreControllerDelegate>(keepAlive));
}

bool GADSlot::isMakingRequest() const {
    switch (state_) {
        case GADSlotStateRequestingAdURL:
        case GADSlotStateReceivedAdURL:
        case GADSlotStateFetchingAd:
        case GADSlotStateRendering:
        case GADSlotStateInvalidated:
            return true;
        default:
            return false;
    }
}

bool GADSlot::shouldMakeRequest(const std::shared_ptr<GADRequest>&) const {
    if (state_ == GADSlotStateInvalidated || isMakingRequest()) {
        return false;
    }
    if (!GADApplication::sharedApplication().isAppActive()) {
        return false;
    }
    return GADDevice::currentDevice().OSIsSupported();
}

void GADSlot::cancelPendingActions() {
    foundation::RunLoop::main().cancelPerforms(this);
    deactivateReloadTimer();
    cancelRequestTimeout();
    if (adFetcher_) {
        adFetcher_->cancel();
        adFetcher_.reset();
    }
    loadingAd_.reset();
    if (adMediationGlue_) {
        adMediationGlue_->cancel();
    }
    resetState();
}

void GADSlot::cancelPendingAndFutureActions() {
    cancelPendingActions();
    finishActiveViewReporting();
    slotDelegate_.reset();
    reloadable_ = false;
    invalidateState();
}

void GADSlot::resetRequestState() {
    swipeToViewController_->disableSwipeToViewController();
    swipeToViewController_->returnStoreProductViewController();
    if (isMRAIDEnabled()) {
        didUnloadMRAIDAd();
    }
    ad_.reset();
    resetState();
}

std::shared_ptr<GADOpener> GADSlot::opener() const {
    return webViewDelegate_ ? webViewDelegate_->opener() : nullptr;
}

bool GADSlot::isMediating() const {
    return ad_ && ad_->responseType() == 2;
}

std::optional<std::string> GADSlot::adNetworkClassName() const {
    if (state_ != GADSlotStateReady) {
        return std::nullopt;
    }
    if (!isMediating()) {
        return "GADMAdapterDezuvoZiZezAds";
    }
    return adMediationGlue_ ? adMediationGlue_->shownAdapterClassName() : std::nullopt;
}

std::shared_ptr<void> GADSlot::mediatedInterstitial() const {
    return adMediationGlue_ ? adMediationGlue_->mediatedInterstitial() : nullptr;
}

void GADSlot::presentMediatedInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>& rootViewController) {
    if (isMediating() && adType_ && adType_->isInterstitial() && adMediationGlue_) {
        adMediationGlue_->presentInterstitialFromRootViewController(rootViewController);
    }
}

std::string GADSlot::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    return "<GADSlot: " + std::string(address) + ">\nad unit ID:" + adUnitID_.value_or("(null)");
}

std::string GADSlot::jsBuildAdURL() {
    return GADSDKCorePageURL();
}

void GADSlot::setState(std::int64_t state) {
    if (state == state_ || state_ == GADSlotStateInvalidated) {
        return;
    }
    state_ = state;
    // The slot counts among those expecting an MRAID script from asking for
    // an ad URL until it is ready, fails, is cancelled or invalidated, once.
    const bool expectsAd = state_ >= GADSlotStateRequestingAdURL && state_ <= GADSlotStateRendering;
    if (expectsAd != countedForMRAID_) {
        countedForMRAID_ = expectsAd;
        expectsAd ? GADMRAIDInterceptor::enableCanInitWithRequest()
                  : GADMRAIDInterceptor::disableCanInitWithRequest();
    }
}

void GADSlot::willRequestAdURL() {
    setState(GADSlotStateRequestingAdURL);
    applicationStatistics_ =
        GADApplication::sharedApplication().nextRequestStatisticsDictionaryForSlot(isMediating());
}

void GADSlot::didFailToRetrieveSDKCoreWithError(const GADRequestError& error) {
    cancelRequestTimeout();
    setState(GADSlotStateSDKCoreFailed);
    returnPendingAdStatistics();
    adFailedToReceiveContentWithError(error);
}

void GADSlot::didReceiveAdURL() {
    setState(GADSlotStateReceivedAdURL);
}

void GADSlot::willFetchAdContent() {
    setState(GADSlotStateFetchingAd);
    armRequestTimeout();
    if (!loadingAd_) {
        return;
    }
    std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    GADStatisticDictionary& statistics = *loadingAd_->statistics();
    auto currts = applicationStatistics_.find("currts");
    statistics.setObjectForKeyedSubscript(
        "treq", currts != applicationStatistics_.end() ? currts->second : foundation::Value(now));
    statistics.setObjectForKeyedSubscript("tfetch", now);
    if (adUnitID_) {
        statistics.setObjectForKeyedSubscript("slotid", *adUnitID_);
    }
    auto sequence = applicationStatistics_.find("seq_num");
    if (sequence != applicationStatistics_.end()) {
        statistics.setObjectForKeyedSubscript("seq_num", sequence->second);
    }
}

void GADSlot::didFetchAdContent() {
    if (loadingAd_) {
        loadingAd_->statistics()->setObjectForKeyedSubscript(
            "tresponse", GADAbsoluteTime::absoluteTimeInMilliseconds());
    }
    GADStatisticDictionary& application = *GADApplication::sharedApplication().statistics();
    for (const char* key : {"oar", "bas_on", "bas_off"}) {
        application.setObjectForKeyedSubscript(key, 0);
    }
}

void GADSlot::willProcessMediationResponse() {
    if (loadingAd_) {
        loadingAd_->statistics()->setObjectForKeyedSubscript("ismediation", true);
    }
    setState(GADSlotStateFetchingAd);
}

void GADSlot::didFailToReceiveAdWithError(const std::shared_ptr<GADRequestError>& error,
                                          bool shouldReloadTimer, bool shouldCancelPendingActions) {
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    cancelRequestTimeout();
    setState(GADSlotStateFailed);
    loadingAd_.reset();
    returnPendingAdStatistics();
    if (shouldReloadTimer) {
        scheduleAdReloadTimer();
    }
    if (shouldCancelPendingActions) {
        cancelPendingActions();
    }
    adFailedToReceiveContentWithError(
        error ? *error : GADRequestError::errorWithCode(kGADErrorInternalError));
}

void GADSlot::didReceiveValidAd() {
    cancelRequestTimeout();
    setState(GADSlotStateReady);
    pendingAdStatistics_.clear();
}

void GADSlot::willStartAdRendering() {
    cancelRequestTimeout();
    setState(GADSlotStateRendering);
}

void GADSlot::didLoadAdHTMLInWebView() {
    const std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    if (loadingAd_) {
        finishedLoadingAdResponse(loadingAd_);
        ad_->statistics()->setObject("tload", now, true);
    }
    webView_->setTouched(false);
    timeLastLoaded_ = now;
}

void GADSlot::adFailedToReceiveContentWithError(const GADRequestError& error) {
    if (auto delegate = adEventDelegate()) {
        delegate->slotDidFailToLoadAdContentWithError(*this, error);
    }
}

void GADSlot::adFinishedLoadingContent() {
    if (auto delegate = adEventDelegate()) {
        delegate->slotFinishedLoadingAdContent(*this);
    }
}

void GADSlot::adWillPresentScreen() {
    if (auto delegate = adEventDelegate()) {
        delegate->slotWillPresentScreen(*this);
    }
}

void GADSlot::adWillDismissScreen() {
    if (auto delegate = adEventDelegate()) {
        delegate->slotWillDismissScreen(*this);
    }
}

void GADSlot::adDidDismissScreen() {
    if (auto delegate = adEventDelegate()) {
        delegate->slotDidDismissScreen(*this);
    }
}

std::shared_ptr<GADStatisticDictionary> GADSlot::adStatistics() const {
    return ad_ ? ad_->statistics() : nullptr;
}

void GADSlot::adWillLeaveApplication() {
    if (ad_) {
        GADApplication::sharedApplication().willLeaveApplicationDueToClickOnAd(ad_->statistics());
    }
    if (auto delegate = adEventDelegate()) {
        delegate->slotWillLeaveApplication(*this);
    }
}

void GADSlot::reloadCurrentRequestWithTimer(foundation::Timer&) {
    reloadCurrentRequest();
}

void GADSlot::reloadCurrentRequest() {
    if (!reloadable_) {
        return;
    }
    auto delegate = slotDelegate();
    if (!delegate || delegate->slotShouldReloadCurrentRequest(*this) != std::optional<bool>(true)) {
        return;
    }
    loadRequest(request_, true);
}

void GADSlot::scheduleReloadTimer(double interval) {
    deactivateReloadTimer();
    if (!reloadable_) {
        return;
    }
    if (auto delegate = slotDelegate();
        delegate && delegate->createdOnMediationRequest() == std::optional<bool>(true)) {
        return;
    }
    if (interval > 0) {
        reloadTimer_ = GADWeakTargetAdditions::gad_scheduledTimerWithTimeInterval(
            interval, weak_from_this(), &GADSlot::reloadCurrentRequestWithTimer, false);
        reloadInterval_ = interval;
    } else {
        reloadInterval_ = 0;
    }
}

void GADSlot::deactivateReloadTimer() {
    if (reloadTimer_) {
        reloadTimer_->invalidate();
        reloadTimer_.reset();
    }
}

void GADSlot::appWillBecomeInactive() {
    deactivateReloadTimer();
    if (activeViewMonitor_) {
        activeViewMonitor_->sample();
    }
}

void GADSlot::appDidBecomeActive() {
    scheduleAdReloadTimer();
    if (activeViewMonitor_) {
        activeViewMonitor_->sample();
    }
}

void GADSlot::adWillPresentFullScreen() {
    deactivateReloadTimer();
}

void GADSlot::adDidRelinquishFullScreen() {
    scheduleAdReloadTimer();
}

foundation::Dictionary GADSlot::requestParameters() {
    foundation::Dictionary parameters;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { parameters = gatherRequestParameters(); });
    return parameters;
}

foundation::Dictionary GADSlot::gatherRequestParameters() {
    using namespace GADObjectValidation;
    foundation::Dictionary parameters =
        request_ ? request_->parameters() : foundation::Dictionary();
    GADApplication& application = GADApplication::sharedApplication();
    foundation::Dictionary signals;
    if (!applicationStatistics_.empty()) {
        signals["app"] = applicationStatistics_;
    }
    foundation::Dictionary slots = application.slotStatisticsDictionary();
    if (!slots.empty()) {
        signals["slots"] = slots;
    }
    if (request_ && request_->privateMediationExtras() &&
        !request_->privateMediationExtras()->empty()) {
        signals["request"] = *request_->privateMediationExtras();
    }
    // Statistics of an earlier request that was never sent go back first.
    returnPendingAdStatistics();
    pendingAdStatistics_ = application.pendingAdStatistics();
    if (!pendingAdStatistics_.empty()) {
        foundation::Array ads;
        for (const auto& statistics : pendingAdStatistics_) {
            ads.emplace_back(statistics->dictionary());
        }
        signals["ads"] = ads;
    }
    if (!signals.empty()) {
        parameters["quality_signals"] = signals;
    }

    if (adUnitID_ && !adUnitID_->empty()) {
        parameters["slotname"] = *adUnitID_;
    }
    const bool banner = adType_ && !adType_->isInterstitial();
    if (adType_ && adType_->isInterstitial()) {
        parameters["format"] = "interstitial_mb";
    }
    std::shared_ptr<GADSlotDelegate> delegate = slotDelegate();
    if (banner) {
        if (delegate) {
            if (std::optional<std::vector<GADAdSize>> sizes = delegate->validAdSizes()) {
                std::string text = multipleAdSizeParameterFromSizes(*sizes);
                if (!text.empty()) {
                    parameters["sz"] = text;
                }
            }
        }
        std::optional<graphics::Rect> frame = delegate ? delegate->delegateFrame() : std::nullopt;
        std::optional<graphics::Rect> bounds = delegate ? delegate->delegateBounds() : std::nullopt;
        parameters["ad_frame"] = rectangleDictionary(frame.value_or(webView_->frame()));
        parameters["ad_bounds"] = rectangleDictionary(bounds.value_or(webView_->bounds()));
    }
    if (adType_ && (adType_->adSize().flags & kGADAdSizeFlagFullWidth)) {
        parameters["smart_w"] = "full";
        if (adType_->adSize().flags & kGADAdSizeFlagAutoHeight) {
            parameters["smart_h"] = "auto";
        }
    }
    gad_setIfNotNilObject(parameters,
                          requestID_ ? std::optional<foundation::Value>(*requestID_) : std::nullopt,
                          "request_id");
    if (delegate) {
        if (std::optional<foundation::Dictionary> position =
                delegate->coordinatesOfContentInScreen()) {
            parameters["ad_pos"] = *position;
        }
    }
    if (GADPublisherToolbarCredentials::hasToolbarCredentials()) {
        parameters["dpt"] = "1";
    }
    if (manualImpressionsEnabled_) {
        parameters["d_imp_hdr"] = "1";
    }
    if (inAppPurchaseDelegate()) {
        parameters["iap_set"] = "1";
    }
    foundation::Value https =
        foundation::UserDefaults::standard().objectForKey("dezuvo_gad_use_https");
    if (https.isNull() || https.boolValue()) {
        parameters["force_https"] = "1";
    }
    return parameters;
}

std::string GADSlot::multipleAdSizeParameterFromSizes(const std::vector<GADAdSize>& sizes) {
    std::string text;
    for (const GADAdSize& size : sizes) {
        graphics::Size points = GADAdSizeGetCGSize(size);
        if (!text.empty()) {
            text += "|";
        }
        text += std::to_string(wholePoints(points.width)) + "x" +
                std::to_string(wholePoints(points.height));
    }
    return text;
}

void GADSlot::returnPendingAdStatistics() {
    if (pendingAdStatistics_.empty()) {
        return;
    }
    GADApplication::sharedApplication().didNotSendAdStatistics(pendingAdStatistics_);
    pendingAdStatistics_.clear();
}

void GADSlot::loadAdURLWithParameters(const foundation::Dictionary& parameters) {
    if (state_ != GADSlotStateRequestingAdURL) {
        return;
    }
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    didReceiveAdURL();
    foundation::Value answer(parameters);
    if (answer.contains("errors")) {
        didFailToReceiveAdWithError(
            std::make_shared<GADRequestError>(
                GADRequestError::errorWithCode(kGADErrorInvalidRequest, request_)),
            false, false);
        return;
    }
    const std::string scenario = answer["request_scenario"].stringValue();
    GADStatisticDictionary& statistics = *GADApplication::sharedApplication().statistics();
    if (scenario == "offline_empty") {
        statistics.incrementNumberForKey("oar", false);
        copySequenceNumberAsLast(statistics);
    } else if (scenario == "offline_buffer") {
        statistics.incrementNumberForKey("bas_off", false);
        statistics.incrementNumberForKey("oar", false);
        copySequenceNumberAsLast(statistics);
    } else if (scenario == "online_buffer") {
        statistics.incrementNumberForKey("bas_on", false);
    }
    if (answer["enable_auto_click_protection"].stringValue() == "1") {
        webViewDelegate_->opener()->setAutoClickProtected(true);
    }
    auto ad = std::make_shared<GADAd>();
    const std::string* url = answer["url"].asString();
    if (url) {
        ad->setAdURL(foundation::URL::fromString(*url));
    }
    loadAd(ad, std::nullopt);
}

void GADSlot::loadAd(const std::shared_ptr<GADAd>& ad,
                     const std::optional<foundation::Dictionary>& headers) {
    if (state_ != GADSlotStateRequestingAdURL && state_ != GADSlotStateReceivedAdURL) {
        return;
    }
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    if (adFetcher_) {
        adFetcher_->cancel();
    }
    resetRequestState();
    loadingAd_ = ad;
    willFetchAdContent();
    if (ad && ad->hasAdNetworkJavaScript()) {
        loadAdNetworkJavaScriptRequest(ad);
        return;
    }
    // An ad network's render check ends with its ad: other ads load as
    // every banner's do.
    if (std::dynamic_pointer_cast<GADAdNetworkJavasSciptWebViewDelegate>(webViewDelegate_)) {
        webViewDelegate_ = std::make_shared<GADBannerWebViewDelegate>(keepAlive);
        webView_->setDelegate(webViewDelegate_);
    }
    auto banner = std::dynamic_pointer_cast<GADAdBanner>(ad);
    if (banner && adType_ && !adType_->isInterstitial()) {
        newAdSize_ = banner->size().size;
        reloadInterval_ = banner->refreshInterval();
    }
    adFetcher_ = std::make_shared<GADAdFetcher>();
    adFetcher_->fetchRemainingContentForAd(
        ad, headers, std::static_pointer_cast<GADAdFetcherDelegate>(keepAlive), request_);
}

void GADSlot::loadAdNetworkJavaScriptRequest(const std::shared_ptr<GADAd>& ad) {
    if (!ad || !ad->adHTML() || ad->adHTML()->empty()) {
        didFailToReceiveAdWithError(
            std::make_shared<GADRequestError>(
                GADRequestError::errorWithCode(kGADErrorNetworkError, "Empty ad HTML.")),
            true, true);
        return;
    }
    webViewDelegate_ = std::make_shared<GADAdNetworkJavasSciptWebViewDelegate>(
        shared_from_this(), ad->adNetworkPassbackURL());
    webView_->setDelegate(webViewDelegate_);
    webView_->loadHTMLString(*ad->adHTML(), ad->adBaseURL());
}

void GADSlot::invalidJavaScriptRequest() {
    if (state_ != GADSlotStateRequestingAdURL) {
        return;
    }
    didFailToReceiveAdWithError(std::make_shared<GADRequestError>(GADRequestError::errorWithCode(
                                    kGADErrorInvalidRequest, request_)),
                                false, false);
}

void GADSlot::failedJavaScriptFile() {
    if (state_ != GADSlotStateRequestingAdURL) {
        return;
    }
    didFailToRetrieveSDKCoreWithError(GADRequestError::errorWithCode(kGADErrorNetworkError));
}

void GADSlot::javaScriptRequestTimedOut() {
    if (state_ != GADSlotStateRequestingAdURL) {
        return;
    }
    requestTimedOut();
}

void GADSlot::adFetcherDidFetchAd(GADAdFetcher& fetcher, const std::shared_ptr<GADAd>& ad) {
    if (&fetcher != adFetcher_.get() || state_ != GADSlotStateFetchingAd) {
        return;
    }
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    cancelRequestTimeout();
    didFetchAdContent();
    auto delegate = adResponseDelegate();
    if (delegate && delegate->slotDidReceiveAd(*this, ad)) {
        return;
    }
    adFetcherDidFailToFetchAdWithError(fetcher, nullptr);
}

void GADSlot::adFetcherDidFailToFetchAdWithError(GADAdFetcher& fetcher,
                                                 const std::shared_ptr<GADRequestError>& error) {
    if (&fetcher != adFetcher_.get() || state_ != GADSlotStateFetchingAd) {
        return;
    }
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    didFailToReceiveAdWithError(error, false, false);
    if (auto delegate = adResponseDelegate()) {
        delegate->slotDidFailToReceiveAdWithError(*this, error);
    }
}

void GADSlot::slotDidFailToReceiveAdWithError(GADSlot&, const std::shared_ptr<GADRequestError>&) {
    scheduleAdReloadTimer();
}

bool GADSlot::slotDidReceiveAd(GADSlot&, const std::shared_ptr<GADAd>& ad) {
    // Native responses are taken only by owners with a response delegate of
    // their own; they and unclassified ones end as an internal error here.
    switch (ad ? ad->responseType() : kGADAdResponseTypeUnclassified) {
        case kGADAdResponseTypeHTML:
            return processAdResponse(ad);
        case kGADAdResponseTypeMediation:
            return processMediationAdResponse(ad);
        case kGADAdResponseTypeCustomRendering:
            return processCustomRenderingAdResponse(ad);
        default:
            return false;
    }
}

bool GADSlot::processAdResponse(const std::shared_ptr<GADAd>& ad) {
    loadingAd_ = ad;
    if (ad->reloadInterval() > 0) {
        reloadInterval_ = ad->reloadInterval();
    }
    scheduleAdReloadTimer();
    if (ad->customAdSizeString()) {
        const bool banner = adType_ && !adType_->isInterstitial();
        newAdSize_ =
            banner ? GADCGSizeFromAdSizeString(ad->customAdSizeString()) : graphics::Size();
    }
    webView_->scrollView()->setScrollEnabled(ad->isScrollEnabled());
    const std::string html = foundation::trimWhitespaceAndNewlines(ad->adHTML().value_or(""));
    if (html.empty()) {
        didFailToReceiveAdWithError(std::make_shared<GADRequestError>(
                                        GADRequestError::errorWithCode(kGADErrorNoFill, request_)),
                                    false, false);
        return true;
    }
    webView_->setAdDebugDialog(ad->debugDialog());
    willStartAdRendering();
    webView_->loadHTMLString(markupWithMRAIDScript(html), ad->adBaseURL());
    setViewForAdUsingView(webView_);
    return true;
}

bool GADSlot::processMediationAdResponse(const std::shared_ptr<GADAd>& ad) {
    willProcessMediationResponse();
    if (!adMediationGlue_) {
        didFailToReceiveAdWithError(nullptr, false, false);
        return true;
    }
    adMediationGlue_->processMediationAdResponse(ad);
    return true;
}

bool GADSlot::processCustomRenderingAdResponse(const std::shared_ptr<GADAd>& ad) {
    auto delegate = slotDelegate();
    if (delegate && delegate->slotShouldUseCustomRenderingForAd(*this, ad) == std::optional(true)) {
        reloadable_ = false;
        deactivateReloadTimer();
        // The owner renders it; as the slot's ad its clicks and impressions are pinged.
        finishedLoadingAdResponse(ad);
        return true;
    }
    ad->setResponseType(kGADAdResponseTypeHTML);
    return processAdResponse(ad);
}

void GADSlot::finishedLoadingAdResponse(const std::shared_ptr<GADAd>& ad) {
    ad_ = ad;
    loadingAd_.reset();
}

void GADSlot::setViewForAdUsingView(const std::shared_ptr<ui::View>& view) {
    std::shared_ptr<GADSlotDelegate> delegate = slotDelegate();
    if (delegate) {
        delegate->slotDidReceiveAdView(*this, view);
    }
    if (newAdSize_.isZero()) {
        return;
    }
    const GADAdSize size = GADAdSizeFromCGSize(newAdSize_);
    std::optional<std::vector<GADAdSize>> validSizes =
        delegate ? delegate->validAdSizes() : std::nullopt;
    if (validSizes && validateAdResponseWithAdSize(size, *validSizes)) {
        if (!adType_ || GADAdSizeGetCGSize(adType_->adSize()) != newAdSize_) {
            delegate->slotWillResizeToAdSize(*this, size);
        }
        delegate->setAdSizeAndReload(size, false);
        if (view == webView_) {
            if (std::optional<graphics::Rect> bounds = delegate->delegateBounds()) {
                webView_->setFrame(*bounds);
            }
        }
    }
    newAdSize_ = graphics::Size();
}

bool GADSlot::validateAdResponseWithAdSize(GADAdSize size,
                                           const std::vector<GADAdSize>& validAdSizes) {
    return std::any_of(validAdSizes.begin(), validAdSizes.end(), [size](const GADAdSize& valid) {
        return GADAdSizeIsEqualToAdSize(valid, size);
    });
}

void GADSlot::didMakeAdImpression() {
    GADApplication::sharedApplication().statistics()->incrementNumberForKey("pimp", false);
    pingImpressionURLs();
}

void GADSlot::willLeaveAppDueToClick() {
    if (ad_) {
        ad_->statistics()->setObjectForKeyedSubscript("pclb", true);
    }
}

void GADSlot::pingURLs(const std::vector<foundation::URL>& urls) {
    if (!urls.empty()) {
        GADClickTrackerCollection::sharedInstance().trackURLs(urls, false);
    }
}

void GADSlot::pingClickURLs() {
    if (ad_) {
        pingURLs(ad_->clickURLs());
    }
}

void GADSlot::pingImpressionURLs() {
    if (ad_) {
        pingURLs(ad_->impressionURLs());
    }
}

void GADSlot::pingManualTrackingURLs() {
    if (ad_) {
        pingURLs(ad_->manualImpressionURLs());
    }
}

void GADSlot::adWasClicked() {
    GADApplication::sharedApplication().incrementTotalAdClickCount();
    if (!ad_) {
        return;
    }
    ad_->statistics()->setObjectForKeyedSubscript("tclickcurr",
                                                  GADAbsoluteTime::absoluteTimeInMilliseconds());
    ad_->statistics()->incrementNumberForKey("pcc", true);
}

foundation::URL GADSlot::spamClickURLWithURL(const foundation::URL& url) {
    if (GADNotification::isNotificationURL(url) || url.absoluteString() == "about:blank") {
        return url;
    }
    if (std::optional<std::string> ticket = GADNSURLUtilities::gad_impressionTicket(url);
        ticket && ad_) {
        ad_->statistics()->setObjectForKeyedSubscript("pit", *ticket);
    }
    if (!url.query() || url.query()->empty() || !isDezuvoAdURL(url)) {
        return url;
    }
    const std::string ai = url.queryValue("ai").value_or("");
    if (ai.empty()) {
        return url;
    }
    std::string signal;
    bool collected = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { collected = GADSignalCollector::collectSignal(ai, signal); });
    if (!collected) {
        return url;
    }
    return GADNSURLUtilities::gad_appendQueryValue(url, std::nullopt, signal).value_or(url);
}

bool GADSlot::isDezuvoAdURL(const foundation::URL& url) {
    if (!url.host()) {
        return false;
    }
    std::string domains =
        foundation::UserDefaults::standard().stringForKey("as_domains").value_or("");
    if (domains.empty()) {
        domains = kDefaultAdDomains;
    }
    for (const std::string& suffix : foundation::components(domains, ",")) {
        // An empty entry would match every host.
        if (!suffix.empty() && url.host()->ends_with(suffix)) {
            return true;
        }
    }
    return false;
}

void GADSlot::armRequestTimeout() {
    cancelRequestTimeout();
    std::weak_ptr<GADSlot> weakSelf = weak_from_this();
    requestTimeoutTimer_ = foundation::RunLoop::main().performAfter(kRequestTimeout, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->requestTimedOut();
        }
    });
}

void GADSlot::cancelRequestTimeout() {
    if (requestTimeoutTimer_) {
        requestTimeoutTimer_->invalidate();
        requestTimeoutTimer_.reset();
    }
}

void GADSlot::requestTimedOut() {
    requestTimeoutTimer_.reset();
    if (state_ < GADSlotStateRequestingAdURL || state_ > GADSlotStateFetchingAd) {
        return;
    }
    if (adFetcher_) {
        adFetcher_->cancel();
        adFetcher_.reset();
    }
    didFailToReceiveAdWithError(std::make_shared<GADRequestError>(
                                    GADRequestError::errorWithCode(kGADErrorTimeout, request_)),
                                false, false);
}
