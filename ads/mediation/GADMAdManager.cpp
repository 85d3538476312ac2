#include "ads/mediation/GADMAdManager.h"

#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/mediation/GADClickTrackerCollectionMediation.h"
#include "ads/mediation/GADMAdNetworkConnectorBanner.h"
#include "ads/mediation/GADMAdNetworkConnectorInterstitial.h"
#include "ads/mediation/GADMUtilities.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

GADMAdManager::~GADMAdManager() {
    invalidateTimeoutTimer();
    foundation::RunLoop::main().cancelPerforms(this);
    for (const auto& connector : {requestingConnector_, receivedConnector_}) {
        if (connector) {
            connector->detach();
        }
    }
}

void GADMAdManager::releaseLater(std::shared_ptr<GADMAdNetworkConnector>& connector) {
    if (!connector) {
        return;
    }
    foundation::RunLoop::main().perform([released = std::move(connector)] {});
    connector.reset();
}

void GADMAdManager::setDelegate(const std::shared_ptr<GADMDelegate>& delegate) {
    delegate_ = delegate;
    for (const auto& connector : {requestingConnector_, receivedConnector_}) {
        if (connector) {
            connector->setGadmDelegate(delegate);
        }
    }
}

void GADMAdManager::mediateForAdType(const std::shared_ptr<GADAdType>& adType,
                                     const std::shared_ptr<GADMConfig>& config) {
    adType_ = adType;
    config_ = config;
    if (requestInProgress_) {
        return;
    }
    queue_.clear();
    if (config_) {
        queue_.assign(config_->adNetworkConfigs().begin(), config_->adNetworkConfigs().end());
    }
    if (auto delegate = this->delegate()) {
        delegate->resetTimingAdapters();
    }
    makeAdRequest();
}

void GADMAdManager::makeAdRequest() {
    if (!foundation::Thread::isMainThread()) {
        std::weak_ptr<GADMAdManager> weakSelf = weak_from_this();
        foundation::RunLoop::main().performAfter(
            0,
            [weakSelf] {
                if (auto self = weakSelf.lock()) {
                    self->makeAdRequest();
                }
            },
            this);
        return;
    }
    std::shared_ptr<GADMDelegate> delegate = this->delegate();
    std::shared_ptr<GADMAdNetworkConfig> entry;
    while (!queue_.empty() && !entry) {
        std::shared_ptr<GADMAdNetworkConfig> next = std::move(queue_.front());
        queue_.pop_front();
        if (delegate) {
            delegate->startTimingAdapter();
        }
        if (next && next->adapterClass()) {
            entry = std::move(next);
        } else if (delegate) {
            delegate->endTimingAdapterWithExitCode(GADMediationExitCodeNoAdapter);
        }
    }
    if (!entry) {
        invalidateTimeoutTimer();
        reportNoFill();
        if (delegate) {
            delegate->gadmDidFailToReceiveAdWithError(
                GADRequestError::errorWithCode(kGADErrorMediationNoFill));
        }
        return;
    }
    requestInProgress_ = true;
    std::shared_ptr<GADMAdNetworkConnector> connector;
    if (adType_ && adType_->isInterstitial()) {
        connector = GADMAdNetworkConnectorInterstitial::make(config_, entry);
    } else {
        connector = GADMAdNetworkConnectorBanner::make(config_, entry);
    }
    connector->setGadmDelegate(delegate);
    connector->setAdManager(shared_from_this());
    releaseLater(requestingConnector_);
    requestingConnector_ = connector;
    lastRequestTime_ = foundation::Date::now();
    scheduleTimeout(connector);
    connector->getAdFromAdapterWithType(adType_);
}

void GADMAdManager::scheduleTimeout(const std::shared_ptr<GADMAdNetworkConnector>& connector) {
    invalidateTimeoutTimer();
    const double timeout =
        config_ ? config_->adNetworkTimeout() : GADMConfig::kDefaultAdNetworkTimeout;
    std::weak_ptr<GADMAdManager> weakSelf = weak_from_this();
    adNetworkTimeoutTimer_ =
        foundation::Timer::scheduled(timeout, false, [weakSelf, connector](foundation::Timer&) {
            if (auto self = weakSelf.lock()) {
                self->adNetworkTimeoutHandler(connector);
            }
        });
}

void GADMAdManager::adNetworkTimeoutHandler(
    const std::shared_ptr<GADMAdNetworkConnector>& connector) {
    if (connector != requestingConnector_) {
        return;
    }
    if (auto delegate = this->delegate()) {
        delegate->endTimingAdapterWithExitCode(GADMediationExitCodeTimeout);
    }
    resetRequestingState();
    connector->askAdapterToStopBeingDelegate();
    if (connector != receivedConnector_) {
        connector->detach();
    }
    releaseLater(requestingConnector_);
    requestNextAdNetwork();
}

void GADMAdManager::invalidateTimeoutTimer() {
    if (auto timer = adNetworkTimeoutTimer_.lock()) {
        timer->invalidate();
    }
    adNetworkTimeoutTimer_.reset();
}

void GADMAdManager::resetRequestingState() {
    invalidateTimeoutTimer();
    requestInProgress_ = false;
}

bool GADMAdManager::changeAdTypeTo(const std::shared_ptr<GADAdType>& adType) {
    adType_ = adType;
    if (!receivedConnector_ || !receivedConnector_->adapter()) {
        return false;
    }
    return receivedConnector_->adapter()->changeAdSizeTo(adType ? adType->adSize() : GADAdSize{});
}

void GADMAdManager::presentInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>& rootViewController) {
    if (receivedConnector_ && receivedConnector_->adapter()) {
        receivedConnector_->adapter()->presentInterstitialFromRootViewController(
            rootViewController);
    }
}

void GADMAdManager::cancelPendingActions() {
    foundation::RunLoop::main().cancelPerforms(this);
    invalidateTimeoutTimer();
}

void GADMAdManager::cancel() {
    cancelPendingActions();
    for (const auto& connector : {requestingConnector_, receivedConnector_}) {
        if (connector) {
            connector->askAdapterToStopBeingDelegate();
            connector->detach();
        }
    }
    releaseLater(requestingConnector_);
    requestInProgress_ = false;
    queue_.clear();
}

bool GADMAdManager::shouldProcessResponseFromConnector(const GADMAdNetworkConnector& connector) {
    if (&connector == requestingConnector_.get()) {
        resetRequestingState();
        return true;
    }
    return &connector == receivedConnector_.get();
}

bool GADMAdManager::isAnswerDuringOtherTurn(const GADMAdNetworkConnector& connector) const {
    return requestInProgress_ && &connector != requestingConnector_.get();
}

void GADMAdManager::replaceReceivedConnector(
    const std::shared_ptr<GADMAdNetworkConnector>& connector) {
    if (receivedConnector_ == connector) {
        return;
    }
    if (receivedConnector_) {
        receivedConnector_->detach();
    }
    releaseLater(receivedConnector_);
    receivedConnector_ = connector;
}

bool GADMAdManager::adRequestReturnsFromConnectorWithView(
    const std::shared_ptr<GADMAdNetworkConnector>& connector,
    const std::shared_ptr<ui::View>& view) {
    if (isAnswerDuringOtherTurn(*connector) || !shouldProcessResponseFromConnector(*connector)) {
        return false;
    }
    std::shared_ptr<GADMDelegate> delegate = this->delegate();
    if (delegate) {
        delegate->endTimingAdapterWithExitCode(GADMediationExitCodeAd);
    }
    replaceReceivedConnector(connector);
    if (delegate) {
        delegate->gadmDidReceiveAd(view);
    }
    return true;
}

void GADMAdManager::adRequestReturnsFromConnectorWithInterstitial(
    const std::shared_ptr<GADMAdNetworkConnector>& connector,
    const std::shared_ptr<void>& interstitial) {
    if (isAnswerDuringOtherTurn(*connector) || !shouldProcessResponseFromConnector(*connector)) {
        return;
    }
    std::shared_ptr<GADMDelegate> delegate = this->delegate();
    if (connector != receivedConnector_) {
        if (delegate) {
            delegate->endTimingAdapterWithExitCode(GADMediationExitCodeAd);
        }
        replaceReceivedConnector(connector);
    }
    releaseLater(requestingConnector_);
    if (delegate) {
        delegate->gadmDidReceiveInterstitial(interstitial);
    }
}

void GADMAdManager::adRequestFailedFromConnectorWithError(
    const std::shared_ptr<GADMAdNetworkConnector>& connector, const foundation::Error& error) {
    if (isAnswerDuringOtherTurn(*connector)) {
        return;
    }
    const bool wasRequesting = connector == requestingConnector_;
    if (!shouldProcessResponseFromConnector(*connector)) {
        return;
    }
    const bool refreshed = connector->didNetworkRefresh();
    if (wasRequesting && connector != receivedConnector_) {
        connector->detach();
        releaseLater(requestingConnector_);
    }
    std::shared_ptr<GADMDelegate> delegate = this->delegate();
    if (!(adType_ && adType_->isInterstitial()) && refreshed) {
        if (delegate) {
            delegate->gadmBannerAdRefreshFailedWithError(
                GADRequestError::errorWithCode(kGADErrorServerError, error.localizedDescription));
        }
        return;
    }
    // Only the network whose turn it is moves the waterfall on: a shown
    // network failing later has no request left to fail.
    if (!wasRequesting || connector == receivedConnector_) {
        return;
    }
    updateAdapterTimingsForError(error);
    requestNextAdNetwork();
}

void GADMAdManager::updateAdapterTimingsForError(const foundation::Error& error) {
    if (auto delegate = this->delegate()) {
        const bool noFill = error.domain == kGADErrorDomain && error.code == kGADErrorNoFill;
        delegate->endTimingAdapterWithExitCode(noFill ? GADMediationExitCodeNoFill
                                                      : GADMediationExitCodeError);
    }
}

void GADMAdManager::reportNoFill() {
    std::optional<std::string> durations;
    std::optional<std::string> exitCodes;
    if (auto delegate = this->delegate()) {
        durations = delegate->adapterDurationsParameter();
        exitCodes = delegate->adapterExitCodesParameter();
        delegate->resetTimingAdapters();
    }
    GADClickTrackerCollectionMediation::trackMediationURLsFromTemplates(
        GADClickTrackerCollection::sharedInstance(), config_ ? config_->noFillURLs() : std::nullopt,
        GADMUtilities::noFillTemplate(), std::nullopt, std::nullopt,
        config_ ? config_->qdata() : std::nullopt,
        config_ ? std::optional<std::string>(config_->appKey()) : std::nullopt, false, durations,
        exitCodes);
}
