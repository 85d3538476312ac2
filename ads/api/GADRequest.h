#pragma once

// One ad request as the publisher describes it: targeting, test settings,
// network extras and mediation extras. A slot asks it for `parameters`, the
// flat dictionary of request keys it sends to the SDK-core page.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdNetworkExtras.h"
#include "ads/api/GADLocation.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/Value.h"

class GADRequest {
  public:
    GADRequest();
    // A new request; the first one made in the process also starts the
    // application's early activities and logs the test-device hint.
    static std::shared_ptr<GADRequest> request();
    // "zizez" 2, "xfp" 3, "adsense" 1, anything else 0.
    static std::int64_t requestTypeFromString(const std::string& text);
    // "vira-sdk-i-v6.12.2".
    static const std::string& sdkVersion();
    // "+6074".
    static std::string sdkVersionMetadata();
    // "-rc.1".
    static std::string sdkVersionIdentifiers();
    // "vira-sdk-i-v6.12.2-rc.1+6074".
    static const std::string& extendedSDKVersionNumber();

    // Copies every field; the extras map is copied, the extras objects shared.
    std::shared_ptr<GADRequest> copy() const;
    // "<GADRequest 0x...: " and the gender, birthday, location, keywords and
    // additional parameters pieces, each on a line of its own.
    std::string description();

    // Files the extras under its class name; nullptr is refused with a log.
    void registerAdNetworkExtras(const std::shared_ptr<GADAdNetworkExtras>& extras);
    std::shared_ptr<GADAdNetworkExtras> adNetworkExtrasFor(const std::string& className) const;
    void removeAdNetworkExtrasFor(const std::string& className);
    // The RAZExtras when registered, else the GADZiZezExtras.
    std::shared_ptr<GADAdNetworkExtras> networkExtras() const;
    // The RAZExtras' parameters, or the GADZiZezExtras' parameters; a
    // GADZiZezExtras whose parameters hold a true "_useOnce" is removed by the
    // read, so only the first read answers them.
    std::optional<foundation::Dictionary> networkExtrasAdditionalParameters();
    void setAdditionalParameters(const std::optional<foundation::Dictionary>& parameters);
    std::optional<foundation::Dictionary> additionalParameters() {
        return networkExtrasAdditionalParameters();
    }

    // "1", "2" or nullopt.
    std::optional<std::string> genderString() const;
    void setBirthdayWithMonth(int month, int day, int year);
    // Eight ASCII digits "yyyyMMdd" (Gregorian, local time zone).
    std::optional<std::string> birthdayString() const;
    // The content URL trimmed of white space and line breaks; nullopt when empty.
    std::optional<std::string> contentURLString() const;
    void setLocationWithLatitude(double latitude, double longitude, double accuracy);
    void setLocationWithDescription(const std::string& description);
    // Empty keywords are ignored.
    void addKeyword(const std::string& keyword);
    void tagForChildDirectedTreatment(bool childDirected);
    // The analytics library's identifiers; nullopt when that library is absent.
    std::optional<foundation::Dictionary> analyticsIDs() const;
    // The device's identifier is one of the test devices.
    bool isATestDevice() const;
    // The request keys, built afresh on every call (any thread; the signal
    // step runs on the main thread).
    foundation::Dictionary parameters();
    // "ppid" from a registered RAZExtras, trimmed, when not empty.
    void addRAZParameters(foundation::Dictionary& parameters) const;

    bool isTesting() const { return testing_; }
    void setTesting(bool testing) { testing_ = testing; }
    const std::optional<foundation::Dictionary>& mediationExtras() const {
        return mediationExtras_;
    }
    void setMediationExtras(std::optional<foundation::Dictionary> extras) {
        mediationExtras_ = std::move(extras);
    }
    const std::optional<foundation::Array>& testDevices() const { return testDevices_; }
    void setTestDevices(std::optional<foundation::Array> devices) {
        testDevices_ = std::move(devices);
    }
    std::int64_t gender() const { return gender_; }
    void setGender(std::int64_t gender) { gender_ = gender; }
    const std::optional<foundation::Date>& birthday() const { return birthday_; }
    void setBirthday(std::optional<foundation::Date> birthday) { birthday_ = birthday; }
    const std::optional<std::vector<std::string>>& keywords() const { return keywords_; }
    void setKeywords(std::optional<std::vector<std::string>> keywords) {
        keywords_ = std::move(keywords);
    }
    const std::optional<std::string>& contentURL() const { return contentURL_; }
    void setContentURL(std::optional<std::string> url) { contentURL_ = std::move(url); }
    const std::map<std::string, std::shared_ptr<GADAdNetworkExtras>>& networkExtrasMap() const {
        return networkExtrasMap_;
    }
    const std::shared_ptr<GADLocation>& location() const { return location_; }
    void setLocation(std::shared_ptr<GADLocation> location) { location_ = std::move(location); }
    const std::optional<bool>& childDirectedTreatment() const { return childDirectedTreatment_; }
    const std::optional<foundation::Dictionary>& privateMediationExtras() const {
        return privateMediationExtras_;
    }
    void setPrivateMediationExtras(std::optional<foundation::Dictionary> extras) {
        privateMediationExtras_ = std::move(extras);
    }
    const std::optional<foundation::Array>& formatParameters() const { return formatParameters_; }
    void setFormatParameters(std::optional<foundation::Array> parameters) {
        formatParameters_ = std::move(parameters);
    }
    std::int64_t responseType() const { return responseType_; }
    void setResponseType(std::int64_t type) { responseType_ = type; }

  private:
    bool testing_ = false;
    std::optional<foundation::Dictionary> mediationExtras_;
    std::optional<foundation::Array> testDevices_;
    std::int64_t gender_ = 0;
    std::optional<foundation::Date> birthday_;
    std::optional<std::vector<std::string>> keywords_;
    std::optional<std::string> contentURL_;
    std::map<std::string, std::shared_ptr<GADAdNetworkExtras>> networkExtrasMap_;
    std::shared_ptr<GADLocation> location_;
    std::optional<bool> childDirectedTreatment_;
    std::optional<foundation::Dictionary> privateMediationExtras_;
    std::optional<foundation::Array> formatParameters_;
    std::int64_t responseType_ = 0;
};
