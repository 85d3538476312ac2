#pragma once

// One ad response: where its content comes from (an HTML body with its base
// URL, or a URL to fetch), the tracking URLs to ping, the refresh interval,
// the size the response announces, viewability and swipe configurations, and
// the statistics gathered while it loads and shows.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ads/api/GADAdSize.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

// Response types.
inline constexpr std::uint64_t kGADAdResponseTypeUnclassified = 0;
inline constexpr std::uint64_t kGADAdResponseTypeHTML = 1;
inline constexpr std::uint64_t kGADAdResponseTypeMediation = 2;
inline constexpr std::uint64_t kGADAdResponseTypeNative = 3;
inline constexpr std::uint64_t kGADAdResponseTypeCustomRendering = 4;

// "any" 1, "portrait" 2, "landscape" 3, exactly as written; anything else 0.
std::int64_t GADOrientationFromString(std::string_view text);

class GADAd {
  public:
    // Tracking URLs in the order they came, each URL once.
    using URLSet = std::vector<foundation::URL>;

    GADAd();
    // The keys of a publisher's or the page's ad dictionary; a value of the
    // wrong type counts as absent.
    explicit GADAd(const foundation::Dictionary& dictionary);
    virtual ~GADAd() = default;
    GADAd(const GADAd&) = delete;
    GADAd& operator=(const GADAd&) = delete;

    // Makes the SDK-core page's finished ads GADAds of the page's ad
    // dictionary (the SDK-core handler's ad maker); every slot does it when
    // it is made.
    static void installSDKCoreAdMaker();

    // Time stamps and counters of this ad ("treq", "tfetch", "pcc", ...);
    // changes made with a notice wait to be sent with the next request.
    const std::shared_ptr<GADStatisticDictionary>& statistics() const { return statistics_; }

    const std::optional<foundation::URL>& adBaseURL() const { return adBaseURL_; }
    void setAdBaseURL(std::optional<foundation::URL> url) { adBaseURL_ = std::move(url); }
    // The body: HTML, or the configuration JSON of a mediated response.
    const std::optional<std::string>& adHTML() const { return adHTML_; }
    void setAdHTML(std::optional<std::string> html) { adHTML_ = std::move(html); }
    const std::optional<foundation::URL>& adURL() const { return adURL_; }
    void setAdURL(std::optional<foundation::URL> url) { adURL_ = std::move(url); }

    const URLSet& clickURLs() const { return clickURLs_.urls; }
    const URLSet& impressionURLs() const { return impressionURLs_.urls; }
    const URLSet& manualImpressionURLs() const { return manualImpressionURLs_.urls; }
    void addClickURLsFromArray(const std::vector<foundation::URL>& urls);
    void addImpressionURLsFromArray(const std::vector<foundation::URL>& urls);
    void addManualImpressionURLsFromArray(const std::vector<foundation::URL>& urls);

    const std::optional<foundation::Dictionary>& activeViewConfigurations() const {
        return activeViewConfigurations_;
    }
    void setActiveViewConfigurations(std::optional<foundation::Dictionary> configurations) {
        activeViewConfigurations_ = std::move(configurations);
    }
    // The swipe-to-store configuration as the server sent it.
    const std::optional<foundation::Value>& swipeToViewControllerConfigurations() const {
        return swipeToViewControllerConfigurations_;
    }
    void setSwipeToViewControllerConfigurations(std::optional<foundation::Value> configurations) {
        swipeToViewControllerConfigurations_ = std::move(configurations);
    }

    std::uint64_t responseType() const { return responseType_; }
    void setResponseType(std::uint64_t type) { responseType_ = type; }
    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled) { scrollEnabled_ = enabled; }
    bool isMRAIDEnabled() const { return MRAIDEnabled_; }
    void setMRAIDEnabled(bool enabled) { MRAIDEnabled_ = enabled; }
    GADAdSize size() const { return size_; }
    void setSize(GADAdSize size) { size_ = size; }
    // Seconds; 0 means the response asks for no refresh of its own.
    double reloadInterval() const { return reloadInterval_; }
    void setReloadInterval(double seconds) { reloadInterval_ = seconds; }
    // 0 unset, 1 any, 2 portrait, 3 landscape.
    std::int64_t supportedOrientations() const { return supportedOrientations_; }
    void setSupportedOrientations(std::int64_t orientations) {
        supportedOrientations_ = orientations;
    }
    const std::optional<std::string>& debugDialog() const { return debugDialog_; }
    void setDebugDialog(std::optional<std::string> text) { debugDialog_ = std::move(text); }
    // "320x50": a size the response announces for the banner.
    const std::optional<std::string>& customAdSizeString() const { return customAdSizeString_; }
    void setCustomAdSizeString(std::optional<std::string> text) {
        customAdSizeString_ = std::move(text);
    }
    bool hasAdNetworkJavaScript() const { return hasAdNetworkJavaScript_; }
    const std::optional<foundation::URL>& adNetworkPassbackURL() const {
        return adNetworkPassbackURL_;
    }
    // The passback URL is kept only for an ad network's JavaScript ad.
    void setAdNetworkJavaScript(bool hasJavaScript, std::optional<foundation::URL> passbackURL) {
        hasAdNetworkJavaScript_ = hasJavaScript;
        adNetworkPassbackURL_ = hasJavaScript ? std::move(passbackURL) : std::nullopt;
    }

  private:
    // A URL list with the texts it holds, so that adding stays linear in the
    // URLs added however long the list grows.
    struct URLList {
        URLSet urls;
        std::unordered_set<std::string> texts;
        void add(const std::vector<foundation::URL>& more);
    };

    std::shared_ptr<GADStatisticDictionary> statistics_;
    std::optional<foundation::URL> adBaseURL_;
    std::optional<std::string> adHTML_;
    std::optional<foundation::URL> adURL_;
    URLList clickURLs_;
    URLList impressionURLs_;
    URLList manualImpressionURLs_;
    std::optional<foundation::Dictionary> activeViewConfigurations_;
    std::optional<foundation::Value> swipeToViewControllerConfigurations_;
    std::uint64_t responseType_ = kGADAdResponseTypeUnclassified;
    bool scrollEnabled_ = true;
    bool MRAIDEnabled_ = false;
    GADAdSize size_;
    double reloadInterval_ = 0;
    std::int64_t supportedOrientations_ = 0;
    std::optional<std::string> debugDialog_;
    std::optional<std::string> customAdSizeString_;
    bool hasAdNetworkJavaScript_ = false;
    std::optional<foundation::URL> adNetworkPassbackURL_;
};
