#pragma once

// A parsed mediation response: the ad type it serves, how the waterfall runs
// (refresh interval, per-network time-out, ping templates) and the ad
// networks to try, in order.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdType.h"
#include "ads/api/GADRequestError.h"
#include "ads/mediation/GADMAdNetworkConfig.h"
#include "platform/foundation/Value.h"

class GADMConfig {
  public:
    static constexpr double kDefaultAdNetworkTimeout = 10.0;
    static constexpr std::int64_t kDefaultBannerAnimationType = 8;

    // initWithAppKey:configDict:error: the configuration, or nullptr with the
    // error that ended parsing.
    static std::shared_ptr<GADMConfig> make(const std::string& appKey,
                                            const foundation::Dictionary& configDict,
                                            std::optional<GADRequestError>& error);

    // The ad type of the response's "ad_type".
    static std::shared_ptr<GADAdType> peekAdTypeFromConfig(const foundation::Dictionary& config);
    // The named banner sizes and "interstitial"; any other text gives a
    // banner of -1 x -1, which is not a valid type.
    static std::shared_ptr<GADAdType> adTypeFromString(const std::optional<std::string>& text);

    const std::vector<std::shared_ptr<GADMAdNetworkConfig>>& adNetworkConfigs() const {
        return adNetworkConfigs_;
    }
    double refreshInterval() const { return refreshInterval_; }
    // Seconds; 30000 or more turn the refresh off (0).
    void setRefreshInterval(double seconds);
    std::int64_t bannerAnimationType() const { return bannerAnimationType_; }
    double adNetworkTimeout() const { return adNetworkTimeout_; }
    const std::optional<foundation::Array>& impressionURLs() const { return impressionURLs_; }
    const std::optional<foundation::Array>& clickURLs() const { return clickURLs_; }
    const std::optional<foundation::Array>& noFillURLs() const { return noFillURLs_; }
    const std::optional<std::string>& qdata() const { return qdata_; }
    const std::shared_ptr<GADAdType>& adType() const { return adType_; }
    void setAdType(std::shared_ptr<GADAdType> adType) { adType_ = std::move(adType); }
    const std::string& appKey() const { return appKey_; }

    // "<GADMConfig: 0x...>:\nqdata:... adTypeString:... refresh:... transition:...
    // ad_networks:(...)".
    std::string description() const;

  private:
    explicit GADMConfig(std::string appKey) : appKey_(std::move(appKey)) {}
    std::optional<GADRequestError> parseConfig(const foundation::Dictionary& config);
    void parseSettingsConfig(const foundation::Dictionary& settings);

    std::vector<std::shared_ptr<GADMAdNetworkConfig>> adNetworkConfigs_;
    double refreshInterval_ = 0;
    std::int64_t bannerAnimationType_ = kDefaultBannerAnimationType;
    double adNetworkTimeout_ = kDefaultAdNetworkTimeout;
    std::optional<foundation::Array> impressionURLs_;
    std::optional<foundation::Array> clickURLs_;
    std::optional<foundation::Array> noFillURLs_;
    std::optional<std::string> qdata_;
    std::shared_ptr<GADAdType> adType_;
    std::string appKey_;
};
