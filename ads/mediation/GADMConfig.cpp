#include "ads/mediation/GADMConfig.h"

#include <cstdio>
#include <map>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMResponseValues.h"

namespace {

using GADMResponseValues::arrayAt;

// A value read as a number: a JSON number or a text (its leading integer).
std::optional<std::int64_t> integerAt(const foundation::Dictionary& dictionary, const char* key) {
    const auto found = dictionary.find(key);
    if (found == dictionary.end() || !(found->second.isNumber() || found->second.isString())) {
        return std::nullopt;
    }
    return found->second.integerValue();
}

}  // namespace

std::shared_ptr<GADMConfig> GADMConfig::make(const std::string& appKey,
                                             const foundation::Dictionary& configDict,
                                             std::optional<GADRequestError>& error) {
    auto config = std::shared_ptr<GADMConfig>(new GADMConfig(appKey));
    error = config->parseConfig(configDict);
    if (error) {
        return nullptr;
    }
    return config;
}

std::shared_ptr<GADAdType> GADMConfig::peekAdTypeFromConfig(const foundation::Dictionary& config) {
    const auto found = config.find("ad_type");
    if (found == config.end() || !found->second.isString()) {
        return adTypeFromString(std::nullopt);
    }
    return adTypeFromString(*found->second.asString());
}

std::shared_ptr<GADAdType> GADMConfig::adTypeFromString(const std::optional<std::string>& text) {
    static const std::map<std::string, GADAdSize> banners = {
        {"banner", {{320, 50}, 0}},      {"largebanner", {{320, 100}, 0}},
        {"mrec", {{300, 250}, 0}},       {"fullbanner", {{468, 60}, 0}},
        {"leaderboard", {{728, 90}, 0}}, {"skyscraper", {{120, 600}, 0}},
    };
    if (text == "interstitial") {
        return GADAdType::interstitialAdType();
    }
    const auto found = text ? banners.find(*text) : banners.end();
    return GADAdType::bannerAdTypeForSize(found != banners.end() ? found->second
                                                                 : kGADAdSizeInvalid);
}

void GADMConfig::setRefreshInterval(double seconds) {
    refreshInterval_ = seconds >= 30000 ? 0 : seconds;
}

std::optional<GADRequestError> GADMConfig::parseConfig(const foundation::Dictionary& config) {
    adType_ = peekAdTypeFromConfig(config);
    const auto settings = config.find("settings");
    if (settings != config.end() && settings->second.isDictionary()) {
        parseSettingsConfig(*settings->second.asDictionary());
    }
    const auto qdata = config.find("qdata");
    if (qdata != config.end()) {
        qdata_ = GADMResponseValues::textOf(qdata->second);
    }
    const auto networks = config.find("ad_networks");
    if (networks == config.end() || !networks->second.isArray()) {
        return GADRequestError::errorWithCode(kGADErrorMediationDataError);
    }
    for (const foundation::Value& element : *networks->second.asArray()) {
        if (!element.isDictionary()) {
            continue;
        }
        std::optional<GADRequestError> error;
        std::shared_ptr<GADMAdNetworkConfig> network =
            GADMAdNetworkConfig::make(*element.asDictionary(), error);
        if (network) {
            adNetworkConfigs_.push_back(std::move(network));
        }
        if (!error) {
            continue;
        }
        if (error->code() != kGADErrorMediationAdapterError) {
            return error;
        }
        GADMacros::pubLog(error->localizedDescription());
    }
    return std::nullopt;
}

void GADMConfig::parseSettingsConfig(const foundation::Dictionary& settings) {
    if (std::optional<std::int64_t> refresh = integerAt(settings, "refresh")) {
        setRefreshInterval(static_cast<double>(*refresh));
    }
    // A time-out of zero or less would end every network's turn at once:
    // such a value keeps the default.
    if (std::optional<std::int64_t> timeout = integerAt(settings, "ad_network_timeout_millis");
        timeout && *timeout > 0) {
        adNetworkTimeout_ = static_cast<double>(*timeout) / 1000.0;
    }
    if (std::optional<std::int64_t> animation = integerAt(settings, "ad_transition_anim");
        animation && *animation >= 0 && *animation <= 8) {
        bannerAnimationType_ = *animation;
    }
    impressionURLs_ = arrayAt(settings, "imp_urls");
    clickURLs_ = arrayAt(settings, "click_urls");
    noFillURLs_ = arrayAt(settings, "nofill_urls");
}

std::string GADMConfig::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " refresh:%f transition:%ld", refreshInterval_,
                  static_cast<long>(bannerAnimationType_));
    std::string networks = "(";
    for (std::size_t i = 0; i < adNetworkConfigs_.size(); ++i) {
        networks += (i ? ",\n    " : "\n    ") + adNetworkConfigs_[i]->description();
    }
    networks += adNetworkConfigs_.empty() ? ")" : "\n)";
    return "<GADMConfig: " + std::string(address) + ">:\nqdata:" + qdata_.value_or("(null)") +
           " adTypeString:" + (adType_ ? adType_->description() : "(null)") + numbers +
           " ad_networks:" + networks;
}
