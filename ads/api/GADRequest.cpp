#include "ads/api/GADRequest.h"

#include <atomic>
#include <cstdio>
#include <ctime>
#include <set>

#include "ads/api/GADMediationClasses.h"
#include "ads/api/GADSignalCollector.h"
#include "ads/api/GADZiZezExtras.h"
#include "ads/api/RAZExtras.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADSDKVersion.h"

namespace {

constexpr const char* kSDKPreReleaseIdentifiers = "rc.1";
constexpr const char* kSDKBuildMetadata = "6074";

std::string trimmed(const std::string& text) {
    const char* kSpace = " \t\n\r\v\f";
    std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::string addressText(const void* object) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", object);
    return buffer;
}

// The first use of the class: early activities, then the test-device hint.
void initializeClass() {
    GADApplication::sharedApplication().runEarlyActivities();
    GADDevice& device = GADDevice::currentDevice();
    if (!device.isOSAtLeastMajor(6, 0, 0)) {
        GADMacros::pubLog("Test ads are only available on iOS 6+.");
        return;
    }
    std::string identifier = device.deviceIdentifier();
    if (identifier.empty()) {
        GADMacros::pubLog(
            "Advertising tracking may be disabled. To get test ads on this device, enable "
            "advertising tracking.");
    } else {
        GADMacros::pubLog("To get test ads on this device, call: request.testDevices = @[ @\"" +
                          identifier + "\" ];");
    }
}

}  // namespace

GADRequest::GADRequest() {
    // The first request runs the set-up; later ones never wait for it, since
    // it asks the main thread for device facts.
    static std::atomic<bool> initialized{false};
    if (!initialized.exchange(true)) {
        initializeClass();
    }
}

std::shared_ptr<GADRequest> GADRequest::request() {
    return std::make_shared<GADRequest>();
}

std::int64_t GADRequest::requestTypeFromString(const std::string& text) {
    if (text == "zizez") {
        return 2;
    }
    if (text == "xfp") {
        return 3;
    }
    if (text == "adsense") {
        return 1;
    }
    return 0;
}

const std::string& GADRequest::sdkVersion() {
    return GADSDKVersion::versionString();
}

std::string GADRequest::sdkVersionMetadata() {
    std::string metadata = kSDKBuildMetadata;
    return metadata.empty() ? "" : "+" + metadata;
}

std::string GADRequest::sdkVersionIdentifiers() {
    std::string identifiers = kSDKPreReleaseIdentifiers;
    return identifiers.empty() ? "" : "-" + identifiers;
}

const std::string& GADRequest::extendedSDKVersionNumber() {
    static const std::string version =
        sdkVersion() + sdkVersionIdentifiers() + sdkVersionMetadata();
    return version;
}

std::shared_ptr<GADRequest> GADRequest::copy() const {
    auto copy = std::make_shared<GADRequest>(*this);
    if (location_) {
        copy->location_ = location_->copy();
    }
    return copy;
}

std::string GADRequest::description() {
    std::string pieces;
    if (gender_ == 1) {
        pieces += "\ngender:Male";
    } else if (gender_ == 2) {
        pieces += "\ngender:Female";
    }
    if (birthday_) {
        pieces += "\nbirthday:" + birthdayString().value_or("");
    }
    if (location_) {
        pieces += "\nlocation:" + location_->locationDescription();
    }
    if (keywords_) {
        foundation::Array words(keywords_->begin(), keywords_->end());
        pieces += "\nkeywords:" + foundation::Value(words).description();
    }
    if (std::optional<foundation::Dictionary> parameters = additionalParameters()) {
        pieces += "\nadditionalParameters:" + foundation::Value(*parameters).description();
    }
    return "<GADRequest " + addressText(this) + ": " + pieces + ">";
}

void GADRequest::registerAdNetworkExtras(const std::shared_ptr<GADAdNetworkExtras>& extras) {
    if (!extras) {
        GADMacros::pubLog("Must specify extras for registerAdNetworkExtras:.");
        return;
    }
    networkExtrasMap_[extras->className()] = extras;
}

std::shared_ptr<GADAdNetworkExtras> GADRequest::adNetworkExtrasFor(
    const std::string& className) const {
    auto found = networkExtrasMap_.find(className);
    return found == networkExtrasMap_.end() ? nullptr : found->second;
}

void GADRequest::removeAdNetworkExtrasFor(const std::string& className) {
    networkExtrasMap_.erase(className);
}

std::shared_ptr<GADAdNetworkExtras> GADRequest::networkExtras() const {
    if (auto raz = adNetworkExtrasFor("RAZExtras")) {
        return raz;
    }
    return adNetworkExtrasFor("GADZiZezExtras");
}

std::optional<foundation::Dictionary> GADRequest::networkExtrasAdditionalParameters() {
    if (auto raz = std::dynamic_pointer_cast<RAZExtras>(adNetworkExtrasFor("RAZExtras"))) {
        return raz->additionalParameters();
    }
    auto extras = std::dynamic_pointer_cast<GADZiZezExtras>(adNetworkExtrasFor("GADZiZezExtras"));
    if (!extras) {
        return std::nullopt;
    }
    std::optional<foundation::Dictionary> parameters = extras->additionalParameters();
    if (parameters) {
        auto useOnce = parameters->find("_useOnce");
        if (useOnce != parameters->end() && useOnce->second.boolValue()) {
            removeAdNetworkExtrasFor("GADZiZezExtras");
        }
    }
    return parameters;
}

void GADRequest::setAdditionalParameters(const std::optional<foundation::Dictionary>& parameters) {
    auto extras = std::make_shared<GADZiZezExtras>();
    extras->setAdditionalParameters(parameters);
    registerAdNetworkExtras(extras);
}

std::optional<std::string> GADRequest::genderString() const {
    if (gender_ == 1) {
        return "1";
    }
    if (gender_ == 2) {
        return "2";
    }
    return std::nullopt;
}

void GADRequest::setBirthdayWithMonth(int month, int day, int year) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_isdst = -1;
    std::time_t seconds = std::mktime(&parts);
    birthday_ = foundation::Date::fromTimeIntervalSince1970(static_cast<double>(seconds));
}

std::optional<std::string> GADRequest::birthdayString() const {
    if (!birthday_) {
        return std::nullopt;
    }
    // Always Gregorian with ASCII digits: the server reads eight digits.
    std::time_t seconds = static_cast<std::time_t>(birthday_->timeIntervalSince1970());
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday);
    return std::string(buffer);
}

std::optional<std::string> GADRequest::contentURLString() const {
    if (!contentURL_) {
        return std::nullopt;
    }
    std::string text = trimmed(*contentURL_);
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

void GADRequest::setLocationWithLatitude(double latitude, double longitude, double accuracy) {
    location_ = GADLocation::makeWithLatitude(latitude, longitude, accuracy);
}

void GADRequest::setLocationWithDescription(const std::string& description) {
    location_ = GADLocation::makeWithLocationDescription(description);
}

void GADRequest::addKeyword(const std::string& keyword) {
    if (keyword.empty()) {
        return;
    }
    if (!keywords_) {
        keywords_.emplace();
    }
    keywords_->push_back(keyword);
}

void GADRequest::tagForChildDirectedTreatment(bool childDirected) {
    childDirectedTreatment_ = childDirected;
}

std::optional<foundation::Dictionary> GADRequest::analyticsIDs() const {
    // The analytics library that would answer is never linked into this
    // program, so its class cannot be found.
    return std::nullopt;
}

bool GADRequest::isATestDevice() const {
    GADDevice& device = GADDevice::currentDevice();
    std::string identifier = device.isOSAtLeastMajor(6, 0, 0) ? device.deviceIdentifier() : "";
    if (!testDevices_) {
        return false;
    }
    for (const foundation::Value& element : *testDevices_) {
        const std::string* text = element.asString();
        if (text && !text->empty() && *text == identifier) {
            return true;
        }
    }
    return false;
}

foundation::Dictionary GADRequest::parameters() {
    GADDevice& device = GADDevice::currentDevice();
    foundation::Dictionary parameters = device.parameters();
    if (auto mediation = GADMediationClasses::installed()) {
        if (std::optional<std::set<std::string>> adapters = mediation->availableAdapterNames()) {
            parameters["adapters"] = foundation::Array(adapters->begin(), adapters->end());
        }
    }
    parameters["js"] = sdkVersion();
    const GADNetwork& network = device.network();
    if (std::optional<std::string> net = network.networkTypeString()) {
        parameters["net"] = *net;
    }
    if (std::optional<std::string> last = network.lastKnownNetworkTypeString()) {
        parameters["net_last"] = *last;
    }
    if (testing_) {
        parameters["testing"] = "1";
    }
    if (isATestDevice()) {
        parameters["adtest"] = "on";
    }
    if (std::optional<foundation::Dictionary> extras = additionalParameters()) {
        parameters["extras"] = *extras;
    }
    if (mediationExtras_) {
        parameters["mediation_extras"] = *mediationExtras_;
    }
    if (std::optional<std::string> gender = genderString()) {
        parameters["cust_gender"] = *gender;
    }
    if (std::optional<std::string> age = birthdayString()) {
        parameters["cust_age"] = *age;
    }
    if (keywords_) {
        parameters["kw"] = foundation::Array(keywords_->begin(), keywords_->end());
    }
    if (childDirectedTreatment_) {
        parameters["tag_for_child_directed_treatment"] = *childDirectedTreatment_ ? "1" : "0";
    }
    if (std::optional<std::string> url = contentURLString()) {
        parameters["url"] = *url;
    }
    if (location_) {
        if (std::optional<foundation::Dictionary> uule = location_->dictionaryRepresentation()) {
            parameters["uule"] = *uule;
        }
    }
    if (std::optional<foundation::Dictionary> analytics = analyticsIDs()) {
        parameters["analytics_join_id"] = *analytics;
    }
    std::string signal;
    bool collected = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { collected = GADSignalCollector::collectSignal(sdkVersion(), signal); });
    if (collected) {
        std::size_t equals = signal.find('=');
        if (equals != std::string::npos) {
            std::string key = signal.substr(0, equals);
            std::string rest = signal.substr(equals + 1);
            std::string value = rest.substr(0, rest.find('='));
            if (!key.empty() && !value.empty()) {
                parameters[key] = value;
            }
        }
    }
    addRAZParameters(parameters);
    if (formatParameters_) {
        std::string formats;
        for (const foundation::Value& element : *formatParameters_) {
            const foundation::Value& format = element["format"];
            if (format.isNull()) {
                continue;
            }
            if (!formats.empty()) {
                formats += ",";
            }
            formats += format.stringValue();
        }
        if (!formats.empty() && responseType_ != 0) {
            parameters["native_templates"] = formats;
            parameters["native_version"] = responseType_;
        }
    }
    return parameters;
}

void GADRequest::addRAZParameters(foundation::Dictionary& parameters) const {
    auto raz = std::dynamic_pointer_cast<RAZExtras>(adNetworkExtrasFor("RAZExtras"));
    if (!raz || !raz->publisherProvidedID()) {
        return;
    }
    std::string identifier = trimmed(*raz->publisherProvidedID());
    if (!identifier.empty()) {
        parameters["ppid"] = identifier;
    }
}
