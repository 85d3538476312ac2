#pragma once

// Runs the mediation waterfall: asks the configuration's ad networks one at a
// time, each within its time-out, moves on after a failure or a time-out,
// records every network's exit code through its delegate, and reports the
// first ad or, once the list is used up, no fill.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "ads/api/GADAdType.h"
#include "ads/mediation/GADMAdNetworkConnector.h"
#include "ads/mediation/GADMConfig.h"
#include "ads/mediation/GADMDelegate.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/Timer.h"

// The integer recorded for every network the waterfall tried.
enum GADMediationExitCode : std::int64_t {
    GADMediationExitCodeAd = 0,
    GADMediationExitCodeNoFill = 1,
    GADMediationExitCodeError = 2,
    GADMediationExitCodeTimeout = 3,
    GADMediationExitCodeNoAdapter = 4,
};

class GADMAdManager : public std::enable_shared_from_this<GADMAdManager> {
  public:
    GADMAdManager() = default;
    ~GADMAdManager();
    GADMAdManager(const GADMAdManager&) = delete;
    GADMAdManager& operator=(const GADMAdManager&) = delete;

    std::shared_ptr<GADMDelegate> delegate() const { return delegate_.lock(); }
    // Also the delegate of the requesting and the received connector.
    void setDelegate(const std::shared_ptr<GADMDelegate>& delegate);
    const std::shared_ptr<GADMConfig>& config() const { return config_; }
    const std::shared_ptr<GADAdType>& adType() const { return adType_; }
    const std::shared_ptr<GADMAdNetworkConnector>& requestingConnector() const {
        return requestingConnector_;
    }
    const std::shared_ptr<GADMAdNetworkConnector>& receivedConnector() const {
        return receivedConnector_;
    }
    const std::optional<foundation::Date>& lastRequestTime() const { return lastRequestTime_; }
    bool requestInProgress() const { return requestInProgress_; }
    std::shared_ptr<foundation::Timer> adNetworkTimeoutTimer() const {
        return adNetworkTimeoutTimer_.lock();
    }

    // Starts the waterfall of the configuration's networks, unless one is
    // running (then only the type and configuration are kept).
    void mediateForAdType(const std::shared_ptr<GADAdType>& adType,
                          const std::shared_ptr<GADMConfig>& config);
    void requestNextAdNetwork() { makeAdRequest(); }
    // Resizes the shown banner; false when its adapter cannot.
    bool changeAdTypeTo(const std::shared_ptr<GADAdType>& adType);
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController);
    // Drops a pending hop to the main thread and the time-out.
    void cancelPendingActions();
    // Ends the running waterfall: both connectors' adapters stop calling
    // back and nothing of this request reports any more; the manager is
    // ready for the next mediation.
    void cancel();

    // From the connectors. Answers whether the ad was shown.
    bool adRequestReturnsFromConnectorWithView(
        const std::shared_ptr<GADMAdNetworkConnector>& connector,
        const std::shared_ptr<ui::View>& view);
    void adRequestReturnsFromConnectorWithInterstitial(
        const std::shared_ptr<GADMAdNetworkConnector>& connector,
        const std::shared_ptr<void>& interstitial);
    void adRequestFailedFromConnectorWithError(
        const std::shared_ptr<GADMAdNetworkConnector>& connector, const foundation::Error& error);

  private:
    void makeAdRequest();
    // Lets go of a connector once the current call is over: its adapter may
    // still be on the stack, calling back.
    static void releaseLater(std::shared_ptr<GADMAdNetworkConnector>& connector);
    void scheduleTimeout(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    void adNetworkTimeoutHandler(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    void invalidateTimeoutTimer();
    void resetRequestingState();
    // Ends the connector's turn when it is the requesting one; answers
    // whether its answer counts at all.
    bool shouldProcessResponseFromConnector(const GADMAdNetworkConnector& connector);
    // The shown network answers while another network's turn runs: kept
    // apart, so the running waterfall keeps its time-out and its one outcome.
    bool isAnswerDuringOtherTurn(const GADMAdNetworkConnector& connector) const;
    void replaceReceivedConnector(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    void updateAdapterTimingsForError(const foundation::Error& error);
    void reportNoFill();

    std::weak_ptr<GADMDelegate> delegate_;
    std::shared_ptr<GADMConfig> config_;
    std::shared_ptr<GADAdType> adType_;
    std::shared_ptr<GADMAdNetworkConnector> requestingConnector_;
    std::shared_ptr<GADMAdNetworkConnector> receivedConnector_;
    std::optional<foundation::Date> lastRequestTime_;
    bool requestInProgress_ = false;
    std::weak_ptr<foundation::Timer> adNetworkTimeoutTimer_;
    std::deque<std::shared_ptr<GADMAdNetworkConfig>> queue_;
};
