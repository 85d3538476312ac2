#include "ads/webview/GADSDKCoreController.h"

#include <algorithm>
#include <cstdlib>

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADSDKVersion.h"
#include "ads/foundation/GADStringAdditions.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADSDKCoreWebView.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/UserDefaults.h"

namespace {

std::mutex& sharedLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::shared_ptr<GADSDKCoreController>& sharedController() {
    static auto* controller = foundation::ProcessState::withReset(
        new std::shared_ptr<GADSDKCoreController>, [](auto& state) {
            std::lock_guard<std::mutex> lock(sharedLock());
            state.reset();
        });
    return *controller;
}

constexpr std::size_t kMaxRunningActiveViewWebViews = 4;

std::optional<std::string> stringConstant(const foundation::Dictionary& constants,
                                          const std::string& key) {
    const auto found = constants.find(key);
    if (found == constants.end() || !found->second.isString()) {
        return std::nullopt;
    }
    return found->second.stringValue();
}

// The intervals of a JSON array of numbers; nullopt for anything else.
std::optional<foundation::Array> samplingIntervals(const std::string& text) {
    std::optional<foundation::Value> decoded = GADJSONAdditions::gad_decodedJSONObjectError(text);
    const foundation::Array* array = decoded ? decoded->asArray() : nullptr;
    if (!array) {
        return std::nullopt;
    }
    for (const foundation::Value& value : *array) {
        if (!value.isNumber() || value.isBoolean()) {
            return std::nullopt;
        }
    }
    return *array;
}

// A whole, non-negative decimal number; nullopt for other text.
std::optional<std::size_t> cacheSize(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(value >= 0) || value > 1e9) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(value);
}

}  // namespace

GADSDKCoreController::GADSDKCoreController()
    : lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.sdk-core-controller")),
      requestURLQueue_(
          foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.sdk-core-controller-url")) {}

GADSDKCoreController::~GADSDKCoreController() {
    if (activeSDKCoreWebView_) {
        activeSDKCoreWebView_->removeObserver(this);
    }
    if (foundation::Thread::isMainThread()) {
        for (auto& [ticket, timer] : timeouts_) {
            timer->invalidate();
        }
    }
}

std::shared_ptr<GADSDKCoreController> GADSDKCoreController::sharedInstance() {
    std::lock_guard<std::mutex> lock(sharedLock());
    if (!sharedController()) {
        sharedController() = std::make_shared<GADSDKCoreController>();
    }
    return sharedController();
}

void GADSDKCoreController::setSharedInstance(std::shared_ptr<GADSDKCoreController> controller) {
    std::lock_guard<std::mutex> lock(sharedLock());
    sharedController() = std::move(controller);
}

std::shared_ptr<GADSDKCoreWebView> GADSDKCoreController::activeSDKCoreWebView() {
    std::call_once(webViewOnce_, [this] {
        activeSDKCoreWebView_ = GADSDKCoreWebView::make();
        activeSDKCoreWebView_->SDKCoreGMSGHandler()->setDelegate(
            std::static_pointer_cast<GADSDKCoreGMSGHandlerDelegate>(shared_from_this()));
    });
    return activeSDKCoreWebView_;
}

void GADSDKCoreController::buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>& delegate) {
    std::shared_ptr<GADSDKCoreControllerDelegate> live = delegate.lock();
    if (!live) {
        return;
    }
    activeSDKCoreWebView();
    const Request request{delegate, live.get(), nextTicket_++};
    std::weak_ptr<GADSDKCoreController> weakSelf = weak_from_this();
    timeouts_[request.ticket] = foundation::RunLoop::main().performAfter(
        kRequestTimeout, [weakSelf, ticket = request.ticket] {
            if (auto self = weakSelf.lock()) {
                self->requestTimedOut(ticket);
            }
        });
    // The reload rule runs before the observer is added, so the observer
    // sees the page's new load and not the end of the previous one.
    lockQueue_->sync([&] {
        refreshActiveWebViewSDKCore();
        pendingActiveWebViewLoadDelegates_.push_back(request);
    });
    observeSDKCoreWebViewForSDKCoreLoadRequestCompleted();
}

void GADSDKCoreController::refreshActiveWebViewSDKCore() {
    const std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    const std::int64_t state = activeSDKCoreWebView_->state();
    if ((state == GADSDKCoreWebViewStateLoading || state == GADSDKCoreWebViewStateLoaded) &&
        now - lastWebViewRefreshTimestamp_ <= kPageLifetimeMilliseconds) {
        return;
    }
    SDKConstantsNeedReload_ = true;
    // The new page knows nothing of the requests sent to the old one.
    for (const auto& [requestID, request] : pendingBuildAdURLDelegates_) {
        answer(request,
               [](GADSDKCoreControllerDelegate& delegate) { delegate.failedJavaScriptFile(); });
    }
    pendingBuildAdURLDelegates_.clear();
    activeSDKCoreWebView_->refreshSDKCore();
    lastWebViewRefreshTimestamp_ = now;
}

void GADSDKCoreController::observeSDKCoreWebViewForSDKCoreLoadRequestCompleted() {
    activeSDKCoreWebView_->addObserverForOneTimeNotification(
        std::static_pointer_cast<GADSDKCoreWebViewNotification>(shared_from_this()));
}

void GADSDKCoreController::didFinishLoadingSDKCoreInSDKCoreWebView(GADSDKCoreWebView&) {
    bool sendConstants = false;
    bool remain = false;
    std::vector<Request> failed;
    std::vector<Request> ready;
    std::vector<std::uint64_t> merged;
    const std::shared_ptr<GADSDKCoreWebView>& page = activeSDKCoreWebView_;
    lockQueue_->sync([&] {
        sendConstants = SDKConstantsNeedReload_ && page->state() == GADSDKCoreWebViewStateLoaded;
        while (!pendingActiveWebViewLoadDelegates_.empty()) {
            if (page->state() == GADSDKCoreWebViewStateLoading) {
                break;
            }
            const Request first = pendingActiveWebViewLoadDelegates_.front();
            auto& queue = pendingActiveWebViewLoadDelegates_;
            for (auto it = queue.begin(); it != queue.end();) {
                if (it->key == first.key) {
                    if (it->ticket != first.ticket) {
                        merged.push_back(it->ticket);
                    }
                    it = queue.erase(it);
                } else {
                    ++it;
                }
            }
            const std::int64_t state = page->state();
            if (state == GADSDKCoreWebViewStateLoaded) {
                ready.push_back(first);
            } else if (state != GADSDKCoreWebViewStateLoading) {
                failed.push_back(first);
            }
        }
        if (!page->hasSDKCoreLoadedAtLeastOnce()) {
            lastWebViewRefreshTimestamp_ = 0;
        }
        remain = !pendingActiveWebViewLoadDelegates_.empty();
    });
    if (sendConstants) {
        const foundation::Dictionary version{{"js", GADSDKVersion::versionString()}};
        page->executeJavaScriptCommand("VIRA_getSdkConstants(" +
                                       GADMacros::dictionaryToJSONString(version).value_or("") +
                                       ");");
    }
    // A slot that asked twice has one request and one time-out.
    for (std::uint64_t ticket : merged) {
        if (auto found = timeouts_.find(ticket); found != timeouts_.end()) {
            found->second->invalidate();
            timeouts_.erase(found);
        }
    }
    for (const Request& request : failed) {
        answer(request,
               [](GADSDKCoreControllerDelegate& delegate) { delegate.failedJavaScriptFile(); });
    }
    for (const Request& request : ready) {
        asynchronouslyRequestURLForDelegate(request);
    }
    if (remain) {
        observeSDKCoreWebViewForSDKCoreLoadRequestCompleted();
    }
}

void GADSDKCoreController::asynchronouslyRequestURLForDelegate(const Request& request) {
    std::weak_ptr<GADSDKCoreController> weakSelf = weak_from_this();
    requestURLQueue_->async([weakSelf, request] {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        const std::string requestID = std::to_string(self->requestID_++);
        self->lockQueue_->sync([&] { self->pendingBuildAdURLDelegates_[requestID] = request; });
        // The delegate is asked on the main thread, where its state lives;
        // this queue goes on without waiting for it.
        foundation::DispatchQueue::main()->async([weakSelf, requestID, request] {
            if (auto self = weakSelf.lock()) {
                self->sendRequest(requestID, request);
            }
        });
    });
}

void GADSDKCoreController::sendRequest(const std::string& requestID, const Request& request) {
    bool pending = false;
    lockQueue_->sync([&] { pending = pendingBuildAdURLDelegates_.count(requestID) > 0; });
    std::shared_ptr<GADSDKCoreControllerDelegate> delegate = request.delegate.lock();
    if (!pending || !delegate) {
        takeRequest(requestID);
        return;
    }
    delegate->setRequestID(requestID);
    const foundation::Dictionary parameters = delegate->requestParameters();
    const std::string json =
        parameters.empty() ? std::string() : adRequestParameterJSONFromParameters(parameters);
    if (json.empty()) {
        GADMacros::pubLog("Invalid Request: no request parameters could be sent.");
        if (std::optional<Request> taken = takeRequest(requestID)) {
            answer(*taken, [](GADSDKCoreControllerDelegate& delegate) {
                delegate.invalidJavaScriptRequest();
            });
        }
        return;
    }
    activeSDKCoreWebView_->executeJavaScriptCommand("VIRA_buildAdURL(" + json + ");");
}

std::string GADSDKCoreController::adRequestParameterJSONFromParameters(
    const foundation::Dictionary& parameters) {
    foundation::Dictionary converted = parameters;
    if (auto extras = converted.find("extras"); extras != converted.end()) {
        if (foundation::Dictionary* values = extras->second.asMutableDictionary()) {
            for (auto& [key, value] : *values) {
                if (!foundation::JSON::isValidJSONObject(foundation::Dictionary{{"key", value}})) {
                    value = foundation::Value(value.description());
                }
            }
        }
    }
    return GADMacros::dictionaryToJSONString(converted).value_or("");
}

std::optional<GADSDKCoreController::Request> GADSDKCoreController::takeRequest(
    const std::string& requestID) {
    std::optional<Request> taken;
    lockQueue_->sync([&] {
        auto found = pendingBuildAdURLDelegates_.find(requestID);
        if (found != pendingBuildAdURLDelegates_.end()) {
            taken = found->second;
            pendingBuildAdURLDelegates_.erase(found);
        }
    });
    return taken;
}

void GADSDKCoreController::answer(const Request& request, Answer call) {
    std::weak_ptr<GADSDKCoreController> weakSelf = weak_from_this();
    foundation::DispatchQueue::main()->async([weakSelf, request, call = std::move(call)] {
        if (auto self = weakSelf.lock()) {
            if (auto found = self->timeouts_.find(request.ticket); found != self->timeouts_.end()) {
                found->second->invalidate();
                self->timeouts_.erase(found);
            }
        }
        if (auto delegate = request.delegate.lock()) {
            call(*delegate);
        }
    });
}

void GADSDKCoreController::requestTimedOut(std::uint64_t ticket) {
    timeouts_.erase(ticket);
    std::optional<Request> timedOut;
    lockQueue_->sync([&] {
        auto& waiting = pendingActiveWebViewLoadDelegates_;
        auto found = std::find_if(waiting.begin(), waiting.end(),
                                  [ticket](const Request& r) { return r.ticket == ticket; });
        if (found != waiting.end()) {
            timedOut = *found;
            waiting.erase(found);
            return;
        }
        for (auto it = pendingBuildAdURLDelegates_.begin(); it != pendingBuildAdURLDelegates_.end();
             ++it) {
            if (it->second.ticket == ticket) {
                timedOut = it->second;
                pendingBuildAdURLDelegates_.erase(it);
                return;
            }
        }
    });
    if (timedOut) {
        GADMacros::pubLog("The SDK-core page did not answer in time.");
        answer(*timedOut, [](GADSDKCoreControllerDelegate& delegate) {
            delegate.javaScriptRequestTimedOut();
        });
    }
}

void GADSDKCoreController::SDKCoreGMSGHandlerLoadAdParameters(
    GADSDKCoreGMSGHandler&, const foundation::Dictionary& parameters,
    const std::string& requestID) {
    if (std::optional<Request> request = takeRequest(requestID)) {
        answer(*request, [parameters](GADSDKCoreControllerDelegate& delegate) {
            delegate.loadAdURLWithParameters(parameters);
        });
    }
}

void GADSDKCoreController::SDKCoreGMSGHandlerLoadAd(
    GADSDKCoreGMSGHandler&, const std::shared_ptr<GADAd>& ad,
    const std::optional<foundation::Dictionary>& headers, const std::string& requestID) {
    if (std::optional<Request> request = takeRequest(requestID)) {
        answer(*request, [ad, headers](GADSDKCoreControllerDelegate& delegate) {
            delegate.loadAd(ad, headers);
        });
    }
}

void GADSDKCoreController::SDKCoreGMSGHandlerDidReceiveInvalidAdParameters(
    GADSDKCoreGMSGHandler&, const foundation::Dictionary& parameters,
    const std::string& requestID) {
    GADMacros::pubLog("Invalid Request: " + foundation::Value(parameters).description());
    if (std::optional<Request> request = takeRequest(requestID)) {
        answer(*request,
               [](GADSDKCoreControllerDelegate& delegate) { delegate.invalidJavaScriptRequest(); });
    }
}

void GADSDKCoreController::SDKCoreGMSGHandlerLoadSDKConstants(
    GADSDKCoreGMSGHandler&, const foundation::Dictionary& constants) {
    GADMRAIDInterceptor::setBannerImplementationPath(
        stringConstant(constants, "mraid_banner_path"));
    GADMRAIDInterceptor::setInterstitialImplementationPath(
        stringConstant(constants, "mraid_interstitial_path"));
    GADMRAIDInterceptor::setExpandedBannerImplementationPath(
        stringConstant(constants, "mraid_expanded_banner_path"));
    if (stringConstant(constants, "mraid_disable_redirect") == "1") {
        GADMRAIDInterceptor::disallow();
    } else {
        GADMRAIDInterceptor::allow();
    }
    if (constants.count("active_view_sampling_intervals")) {
        setActiveViewMonitorRefreshIntervals(samplingIntervals(
            stringConstant(constants, "active_view_sampling_intervals").value_or("")));
    }
    if (auto text = stringConstant(constants, "discardable_storekitcontroller_cache_size")) {
        if (std::optional<std::size_t> size = cacheSize(*text)) {
            GADApplication::sharedApplication()
                .setDiscardableStoreProductViewControllerAppCacheMaxSize(*size);
        }
    }
    for (const char* key : {"bad_ad_report_path", "as_domains", "native_ad_support_url",
                            "gad_web_view_cache_max_capacity"}) {
        std::optional<std::string> value = stringConstant(constants, key);
        if (value && !value->empty()) {
            foundation::UserDefaults::standard().setObject(key, foundation::Value(*value));
        }
    }
    lockQueue_->async([weakSelf = weak_from_this()] {
        if (auto self = weakSelf.lock()) {
            self->SDKConstantsNeedReload_ = false;
        }
    });
}

void GADSDKCoreController::setActiveViewMonitorRefreshIntervals(
    std::optional<foundation::Array> intervals) {
    lockQueue_->async([weakSelf = weak_from_this(), intervals = std::move(intervals)] {
        if (auto self = weakSelf.lock()) {
            self->activeViewMonitorRefreshIntervals_ = intervals;
        }
    });
}

std::optional<foundation::Array> GADSDKCoreController::activeViewMonitorRefreshIntervals() const {
    std::optional<foundation::Array> intervals;
    lockQueue_->sync([&] { intervals = activeViewMonitorRefreshIntervals_; });
    return intervals;
}

bool GADSDKCoreController::SDKConstantsNeedReload() const {
    bool needed = false;
    lockQueue_->sync([&] { needed = SDKConstantsNeedReload_; });
    return needed;
}

std::size_t GADSDKCoreController::pendingRequestCount() const {
    std::size_t count = 0;
    lockQueue_->sync([&] { count = pendingBuildAdURLDelegates_.size(); });
    return count;
}

std::shared_ptr<GADActiveViewSDKCoreWebView> GADSDKCoreController::nextSDKCoreWebView() {
    removeFinishedActiveViewWebViews();
    std::shared_ptr<GADSDKCoreWebView> webView = GADSDKCoreWebView::make();
    webView->refreshSDKCore();
    return webView;
}

void GADSDKCoreController::finishedUsingSDKCoreWebView(
    const std::shared_ptr<GADActiveViewSDKCoreWebView>& webView) {
    if (webView && webView->activeViewWebView() &&
        !webView->activeViewWebView()->activeViewUnloadPingReceived()) {
        cacheRunningActiveViewWebView(webView);
    }
}

void GADSDKCoreController::cacheRunningActiveViewWebView(
    const std::shared_ptr<GADActiveViewSDKCoreWebView>& webView) {
    lockQueue_->async([weakSelf = weak_from_this(), webView] {
        if (auto self = weakSelf.lock()) {
            self->activeViewSDKCoreWebViews_.push_back(webView);
        }
    });
    removeFinishedActiveViewWebViews();
}

void GADSDKCoreController::removeFinishedActiveViewWebViews() {
    std::vector<std::shared_ptr<GADActiveViewSDKCoreWebView>> finished;
    lockQueue_->sync([&] {
        std::vector<std::shared_ptr<GADActiveViewSDKCoreWebView>> kept;
        for (auto it = activeViewSDKCoreWebViews_.rbegin(); it != activeViewSDKCoreWebViews_.rend();
             ++it) {
            if (!(*it)->activeViewWebView()->activeViewUnloadPingReceived() &&
                kept.size() < kMaxRunningActiveViewWebViews) {
                kept.push_back(*it);
            } else {
                finished.push_back(*it);
            }
        }
        activeViewSDKCoreWebViews_.swap(kept);
    });
    for (const auto& webView : finished) {
        webView->activeViewWebView()->setActiveViewUnloadPingReceived(true);
        finishedUsingSDKCoreWebView(webView);
    }
}

std::size_t GADSDKCoreController::runningActiveViewWebViewCount() const {
    std::size_t count = 0;
    lockQueue_->sync([&] { count = activeViewSDKCoreWebViews_.size(); });
    return count;
}
