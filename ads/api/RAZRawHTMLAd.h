#pragma once

// An ad the publisher draws by itself: its HTML and base URL, and the calls
// through which the publisher reports clicks, impressions and the end of
// rendering to the banner or interstitial that made it (held weakly: once
// that is gone the calls do nothing).

#include <memory>
#include <optional>
#include <string>

#include "ads/api/RAZRawHTMLAdDelegate.h"
#include "platform/foundation/URL.h"

class RAZRawHTMLAd {
  public:
    RAZRawHTMLAd(std::string adHTML, std::optional<foundation::URL> adBaseURL)
        : adHTML_(std::move(adHTML)), adBaseURL_(std::move(adBaseURL)) {}

    // The root ("/") of an ad's base URL, the base a raw ad is given.
    static std::optional<foundation::URL> rootOfBaseURL(const std::optional<foundation::URL>& base);

    const std::string& adHTML() const { return adHTML_; }
    const std::optional<foundation::URL>& adBaseURL() const { return adBaseURL_; }
    std::shared_ptr<RAZRawHTMLAdDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<RAZRawHTMLAdDelegate>& delegate) { delegate_ = delegate; }

    void recordClick();
    // Counts the impression and pings the ad's manual-impression URLs.
    void recordImpression();
    void finishedRenderingAdView(const std::shared_ptr<ui::View>& view);

  private:
    std::string adHTML_;
    std::optional<foundation::URL> adBaseURL_;
    std::weak_ptr<RAZRawHTMLAdDelegate> delegate_;
};
