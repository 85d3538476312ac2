#include "ads/webview/GADMRAIDInterceptor.h"

#include <set>

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADSDKVersion.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADMRAIDAdSlot.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/ProcessState.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLError.h"

namespace {

constexpr const char* kClassName = "GADMRAIDInterceptor";
constexpr const char* kSDKName = "vira-sdk-i";
constexpr const char* kDefaultBannerPath = "http://sdk.dezuvo.com/mraid/v1/mraid_app_banner.js";
constexpr const char* kDefaultExpandedBannerPath =
    "http://sdk.dezuvo.com/mraid/v1/mraid_app_expanded_banner.js";
constexpr const char* kDefaultInterstitialPath =
    "http://sdk.dezuvo.com/mraid/v1/mraid_app_interstitial.js";

struct ClassState {
    std::mutex lock;
    bool allowed = true;
    long counter = 0;
    std::optional<std::string> banner;
    std::optional<std::string> interstitial;
    std::optional<std::string> expandedBanner;
    std::set<std::string> implementationPaths;
};

// Rebuilds the set only while all three URLs are set. Under the lock.
void updateImplementationsPaths(ClassState& state) {
    if (state.banner && state.interstitial && state.expandedBanner) {
        state.implementationPaths = {*state.banner, *state.interstitial, *state.expandedBanner};
    }
}

void resetToDefaultPaths(ClassState& state) {
    std::lock_guard guard(state.lock);
    state.banner = kDefaultBannerPath;
    state.expandedBanner = kDefaultExpandedBannerPath;
    state.interstitial = kDefaultInterstitialPath;
    updateImplementationsPaths(state);
}

// What the class does when first used: default script URLs, the class
// registered with the URL-loading system, interception allowed.
void initialize(ClassState& state) {
    resetToDefaultPaths(state);
    net::URLProtocol::registerClass<GADMRAIDInterceptor>(kClassName);
    std::lock_guard guard(state.lock);
    state.allowed = true;
}

ClassState& classState() {
    static ClassState* const state = [] {
        auto* made = foundation::ProcessState::withReset(new ClassState(), [](ClassState& s) {
            {
                std::lock_guard guard(s.lock);
                s.counter = 0;
            }
            initialize(s);
        });
        initialize(*made);
        return made;
    }();
    return *state;
}

void setPath(std::optional<std::string> ClassState::*field, std::optional<std::string> path) {
    ClassState& state = classState();
    std::lock_guard guard(state.lock);
    if (state.*field != path) {
        state.*field = std::move(path);
        updateImplementationsPaths(state);
    }
}

std::optional<std::string> path(std::optional<std::string> ClassState::*field) {
    ClassState& state = classState();
    std::lock_guard guard(state.lock);
    return state.*field;
}

}  // namespace

std::mutex& GADMRAIDInterceptor::classLock() {
    return classState().lock;
}

void GADMRAIDInterceptor::enableCanInitWithRequest() {
    std::lock_guard guard(classLock());
    ++classState().counter;
}

void GADMRAIDInterceptor::disableCanInitWithRequest() {
    std::lock_guard guard(classLock());
    --classState().counter;
}

bool GADMRAIDInterceptor::canInitWithRequestIsEnabled() {
    {
        std::lock_guard guard(classLock());
        if (!classState().allowed || classState().counter == 0) {
            return false;
        }
    }
    return GADAdURLStash::hasStashedURLs();
}

void GADMRAIDInterceptor::disallow() {
    std::lock_guard guard(classLock());
    classState().allowed = false;
}

void GADMRAIDInterceptor::allow() {
    std::lock_guard guard(classLock());
    classState().allowed = true;
}

bool GADMRAIDInterceptor::isAllowed() {
    std::lock_guard guard(classLock());
    return classState().allowed;
}

void GADMRAIDInterceptor::resetCanInitWithRequestCounter() {
    std::lock_guard guard(classLock());
    classState().counter = 0;
}

void GADMRAIDInterceptor::initialize() {
    ::initialize(classState());
}

void GADMRAIDInterceptor::resetToDefaultPaths() {
    ::resetToDefaultPaths(classState());
}

bool GADMRAIDInterceptor::urlIsAnImplementationPath(const foundation::URL& url) {
    std::lock_guard guard(classLock());
    return classState().implementationPaths.count(url.absoluteString()) > 0;
}

void GADMRAIDInterceptor::setBannerImplementationPath(std::optional<std::string> path) {
    setPath(&ClassState::banner, std::move(path));
}

std::optional<std::string> GADMRAIDInterceptor::bannerImplementationPath() {
    return path(&ClassState::banner);
}

void GADMRAIDInterceptor::setInterstitialImplementationPath(std::optional<std::string> path) {
    setPath(&ClassState::interstitial, std::move(path));
}

std::optional<std::string> GADMRAIDInterceptor::interstitialImplementationPath() {
    return path(&ClassState::interstitial);
}

void GADMRAIDInterceptor::setExpandedBannerImplementationPath(std::optional<std::string> path) {
    setPath(&ClassState::expandedBanner, std::move(path));
}

std::optional<std::string> GADMRAIDInterceptor::expandedBannerImplementationPath() {
    return path(&ClassState::expandedBanner);
}

std::optional<foundation::URL> GADMRAIDInterceptor::refererURLFromRequest(
    const net::URLRequest& request) {
    const auto referer = request.valueForHTTPHeaderField("referer");
    if (!referer || referer->empty()) {
        return std::nullopt;
    }
    return foundation::URL::fromString(*referer);
}

bool GADMRAIDInterceptor::shouldRedirectForMRAID(const net::URLRequest& request) {
    const auto& url = request.url();
    return url && !urlIsAnImplementationPath(*url) && url->lastPathComponent() == "mraid.js";
}

bool GADMRAIDInterceptor::canInitWithRequest(const net::URLRequest& request) {
    return canInitWithRequestIsEnabled() && shouldRedirectForMRAID(request) &&
           GADAdURLStash::viewForURL(refererURLFromRequest(request)) != nullptr;
}

GADMRAIDInterceptor::GADMRAIDInterceptor(net::URLRequest request,
                                         std::shared_ptr<net::URLProtocolClient> client)
    : net::URLProtocol(std::move(request), std::move(client)) {
    const auto referer = refererURLFromRequest(this->request());
    if (!referer) {
        return;
    }
    std::shared_ptr<GADWebView> view = GADAdURLStash::viewForURL(referer);
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        const auto delegate = view ? view->delegate() : nullptr;
        const auto slot = delegate ? delegate->MRAIDAdSlot() : nullptr;
        environment_ = environmentScript(slot && slot->isChildDirected());
        if (!slot) {
            mraidLocationToLoad_ = expandedBannerImplementationPath();
        } else {
            mraidLocationToLoad_ = slot->isInterstitialSlot() ? interstitialImplementationPath()
                                                              : bannerImplementationPath();
            slot->willLoadMRAIDAd();
        }
        // The view goes on the main thread, where it lives.
        view.reset();
    });
}

void GADMRAIDInterceptor::startLoading() {
    const auto location =
        mraidLocationToLoad_ ? foundation::URL::fromString(*mraidLocationToLoad_) : std::nullopt;
    if (!location) {
        net::URLError error;
        error.domain = kNoScriptErrorDomain;
        error.code = kNoScriptErrorCode;
        error.localizedDescription = "No MRAID script for this request.";
        client().didFailWithError(*this, error);
        return;
    }
    const net::URLConnection::Result fetched =
        net::URLConnection::sendSynchronousRequest(net::URLRequest(*location));
    if (fetched.error || !fetched.response) {
        client().didFailWithError(
            *this, fetched.error.value_or(net::URLError::make(net::URLErrorCode::unknown,
                                                              location->absoluteString())));
        return;
    }
    if (fetched.response->isHTTP() &&
        (fetched.response->statusCode() < 200 || fetched.response->statusCode() > 299)) {
        client().didFailWithError(*this, net::URLError::make(net::URLErrorCode::badServerResponse,
                                                             location->absoluteString()));
        return;
    }
    foundation::Data script(environment_.begin(), environment_.end());
    script.insert(script.end(), fetched.data.begin(), fetched.data.end());
    client().didReceiveResponse(
        *this, net::URLResponse(*location, "application/javascript",
                                static_cast<long long>(script.size()), std::nullopt));
    if (!script.empty()) {
        client().didLoadData(*this, script);
    }
    client().didFinishLoading(*this);
}

std::string GADMRAIDInterceptor::environmentScript(bool childDirected) {
    const std::string identifier = GADDevice::currentDevice().deviceIdentifier();
    foundation::Dictionary environment{
        {"version", "3.0"},
        {"sdk", kSDKName},
        {"sdkVersion", std::to_string(GADSDKVersion::kMajor) + "." +
                           std::to_string(GADSDKVersion::kMinor) + "." +
                           std::to_string(GADSDKVersion::kPatch)},
        {"appId", foundation::Bundle::main().bundleIdentifier()},
        {"limitAdTracking", identifier.empty()},
        {"coppa", childDirected},
    };
    if (!identifier.empty()) {
        environment["ifa"] = identifier;
    }
    return "window.MRAID_ENV = " +
           foundation::JSON::write(foundation::Value(environment)).value_or("{}") + ";\n";
}
