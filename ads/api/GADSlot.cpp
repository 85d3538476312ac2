#include "ads/api/GADSlot.h"

#include <cstdio>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADURLAdditions.h"
#include "ads/foundation/GADWeakTimerTarget.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"

namespace {

void incrementStatistic(foundation::Dictionary& statistics, const std::string& key) {
    statistics[key] = foundation::Value(statistics[key].integerValue() + 1);
}

// "losn": the sequence number of the last request answered offline.
void copySequenceNumberAsLast(foundation::Dictionary& statistics) {
    auto sequence = statistics.find("seq_num");
    if (sequence != statistics.end()) {
        statistics["losn"] = sequence->second;
    }
}

}  // namespace

std::shared_ptr<GADSlot> GADSlot::make(const graphics::Rect& frame) {
    static std::once_flag classInitialized;
    std::call_once(classInitialized,
                   [] { GADApplication::sharedApplication().runEarlyActivities(); });
    std::shared_ptr<GADSlot> slot(new GADSlot);
    slot->initialize(frame);
    return slot;
}

void GADSlot::initialize(const graphics::Rect& frame) {
    state_ = GADSlotStateIdle;
    reloadable_ = true;
    adResponseDelegate_ = std::static_pointer_cast<GADSlotAdResponseDelegate>(shared_from_this());
    webView_ = std::make_shared<GADWebView>(frame);
    observeNotifications();
    adType_ = GADAdType::interstitialAdType();
}

GADSlot::~GADSlot() {
    if (adFetcher_) {
        adFetcher_->cancel();
    }
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

void GADSlot::setAdType(const std::shared_ptr<GADAdType>& type, bool reloadRequest) {
    if (!type || (adType_ && adType_->isEqual(*type))) {
        return;
    }
    adType_ = type;
    if (newAdSize_.isZero() && reloadRequest) {
        webView_->setHidden(true);
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
    armRequestTimeout();

    std::optional<foundation::Dictionary> extras = request_->networkExtrasAdditionalParameters();
    foundation::Value parameters = extras ? foundation::Value(*extras) : foundation::Value();
    std::int64_t orientations = 0;
    const std::string orientation = parameters["_orientation"].stringValue();
    if (orientation == "p") {
        orientations = 2;
    } else if (orientation == "l") {
        orientations = 3;
    }
    const std::string* requestURL = parameters["_requestUrl"].asString();
    if (requestURL) {
        auto ad = std::make_shared<GADAd>();
        ad->setAdURL(*requestURL);
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
    resetState();
}

void GADSlot::cancelPendingAndFutureActions() {
    cancelPendingActions();
    slotDelegate_.reset();
    reloadable_ = false;
    invalidateState();
}

void GADSlot::resetRequestState() {
    ad_.reset();
    resetState();
}

bool GADSlot::isMediating() const {
    return ad_ && ad_->responseType() == 2;
}

std::optional<std::string> GADSlot::adNetworkClassName() const {
    if (state_ != GADSlotStateReady || isMediating()) {
        return std::nullopt;
    }
    return "GADMAdapterDezuvoZiZezAds";
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
}

void GADSlot::willRequestAdURL() {
    setState(GADSlotStateRequestingAdURL);
    applicationStatistics_.clear();
    applicationStatistics_["currts"] = GADAbsoluteTime::absoluteTimeInMilliseconds();
}

void GADSlot::didFailToRetrieveSDKCoreWithError(const GADRequestError& error) {
    cancelRequestTimeout();
    setState(GADSlotStateSDKCoreFailed);
    adFailedToReceiveContentWithError(error);
}

void GADSlot::didReceiveAdURL() {
    setState(GADSlotStateReceivedAdURL);
}

void GADSlot::willFetchAdContent() {
    setState(GADSlotStateFetchingAd);
    if (!loadingAd_) {
        return;
    }
    std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    foundation::Dictionary& statistics = loadingAd_->statistics();
    auto currts = applicationStatistics_.find("currts");
    statistics["treq"] =
        currts != applicationStatistics_.end() ? currts->second : foundation::Value(now);
    statistics["tfetch"] = now;
    if (adUnitID_) {
        statistics["slotid"] = *adUnitID_;
    }
    auto sequence = applicationStatistics_.find("seq_num");
    if (sequence != applicationStatistics_.end()) {
        statistics["seq_num"] = sequence->second;
    }
}

void GADSlot::didFetchAdContent() {
    if (loadingAd_) {
        loadingAd_->statistics()["tresponse"] = GADAbsoluteTime::absoluteTimeInMilliseconds();
    }
    applicationStatistics_["oar"] = 0;
    applicationStatistics_["bas_on"] = 0;
    applicationStatistics_["bas_off"] = 0;
}

void GADSlot::willProcessMediationResponse() {
    if (loadingAd_) {
        loadingAd_->statistics()["ismediation"] = true;
    }
    setState(GADSlotStateFetchingAd);
}

void GADSlot::didFailToReceiveAdWithError(const std::shared_ptr<GADRequestError>& error,
                                          bool shouldReloadTimer, bool shouldCancelPendingActions) {
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
    cancelRequestTimeout();
    setState(GADSlotStateFailed);
    loadingAd_.reset();
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
}

void GADSlot::willStartAdRendering() {
    cancelRequestTimeout();
    setState(GADSlotStateRendering);
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

void GADSlot::adWillLeaveApplication() {
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
}

void GADSlot::appDidBecomeActive() {
    scheduleAdReloadTimer();
}

void GADSlot::adWillPresentFullScreen() {
    deactivateReloadTimer();
}

void GADSlot::adDidRelinquishFullScreen() {
    scheduleAdReloadTimer();
}

foundation::Dictionary GADSlot::requestParameters() {
    return request_ ? request_->parameters() : foundation::Dictionary();
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
    if (scenario == "offline_empty") {
        incrementStatistic(applicationStatistics_, "oar");
        copySequenceNumberAsLast(applicationStatistics_);
    } else if (scenario == "offline_buffer") {
        incrementStatistic(applicationStatistics_, "bas_off");
        incrementStatistic(applicationStatistics_, "oar");
        copySequenceNumberAsLast(applicationStatistics_);
    } else if (scenario == "online_buffer") {
        incrementStatistic(applicationStatistics_, "bas_on");
    }
    auto ad = std::make_shared<GADAd>();
    const std::string* url = answer["url"].asString();
    if (url) {
        ad->setAdURL(*url);
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
    adFetcher_ = std::make_shared<GADAdFetcher>();
    adFetcher_->fetchRemainingContentForAd(
        ad, headers, std::static_pointer_cast<GADAdFetcherDelegate>(keepAlive), request_);
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

void GADSlot::adFetcherDidFetchAd(GADAdFetcher& fetcher, const std::shared_ptr<GADAd>& ad) {
    if (&fetcher != adFetcher_.get() || state_ != GADSlotStateFetchingAd) {
        return;
    }
    std::shared_ptr<GADSlot> keepAlive = shared_from_this();
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

bool GADSlot::slotDidReceiveAd(GADSlot&, const std::shared_ptr<GADAd>&) {
    // This slot renders no response type itself: a fetched ad that no
    // response delegate takes ends as an internal error.
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
