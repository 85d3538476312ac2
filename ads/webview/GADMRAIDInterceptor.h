#pragma once

// Serves "mraid.js" to the component's own ad pages: a URL protocol,
// registered for the process on first use, that takes a request for a script
// named "mraid.js" whose Referer is an ad page in GADAdURLStash while some
// slot expects an ad, and answers it with the banner, interstitial or
// expanded-banner script fetched from its configured URL, preceded by the
// page's MRAID environment (window.MRAID_ENV). Serving a banner or
// interstitial script marks the slot's ad as an MRAID ad. Class state is
// guarded by one lock; the instance runs on a URL-loading thread.

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/net/URLProtocol.h"

class GADMRAIDInterceptor : public net::URLProtocol {
  public:
    // The error domain and code of a request for a kind of script that has
    // no URL.
    static constexpr const char* kNoScriptErrorDomain = "NSCocoaErrorDomain";
    static constexpr long kNoScriptErrorCode = -1000;

    static std::mutex& classLock();
    // The counter of slots expecting an ad (between asking for an ad URL and
    // being ready or failed).
    static void enableCanInitWithRequest();
    static void disableCanInitWithRequest();
    // Allowed, some slot expects an ad and some ad page is stashed.
    static bool canInitWithRequestIsEnabled();
    static void disallow();
    static void allow();
    static bool isAllowed();
    static void resetCanInitWithRequestCounter();
    // Resets the three script URLs, registers the class with the URL-loading
    // system and allows interception; once per process (again after a reset).
    static void initialize();
    static void resetToDefaultPaths();
    static bool urlIsAnImplementationPath(const foundation::URL& url);
    static void setBannerImplementationPath(std::optional<std::string> path);
    static std::optional<std::string> bannerImplementationPath();
    static void setInterstitialImplementationPath(std::optional<std::string> path);
    static std::optional<std::string> interstitialImplementationPath();
    static void setExpandedBannerImplementationPath(std::optional<std::string> path);
    static std::optional<std::string> expandedBannerImplementationPath();
    // The request's Referer (any letter case), nullopt when missing or empty.
    static std::optional<foundation::URL> refererURLFromRequest(const net::URLRequest& request);
    // Not a script URL itself, and its path's last component is "mraid.js".
    static bool shouldRedirectForMRAID(const net::URLRequest& request);
    static bool canInitWithRequest(const net::URLRequest& request);
    static net::URLRequest canonicalRequestForRequest(const net::URLRequest& request) {
        return request;
    }

    // Chooses the script for the page the request comes from (on the main
    // thread, where the page's view and slot live).
    GADMRAIDInterceptor(net::URLRequest request, std::shared_ptr<net::URLProtocolClient> client);

    // Fetches the chosen script and answers with it; a failed fetch or one
    // that is not a 2xx answer fails, and so does a request without a script.
    void startLoading() override;
    void stopLoading() override {}

    const std::optional<std::string>& mraidLocationToLoad() const { return mraidLocationToLoad_; }
    void setMraidLocationToLoad(std::optional<std::string> location) {
        mraidLocationToLoad_ = std::move(location);
    }

    // The statement that sets window.MRAID_ENV: MRAID version "3.0", this
    // component and its version, the application's identifier, the hashed
    // advertising identifier (absent when tracking is limited), whether
    // tracking is limited and whether the ad is child-directed. Main thread.
    static std::string environmentScript(bool childDirected);

  private:
    std::optional<std::string> mraidLocationToLoad_;
    std::string environment_;
};
