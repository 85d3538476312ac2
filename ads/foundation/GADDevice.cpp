#include "ads/foundation/GADDevice.h"

#include <cstdlib>

#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/services/AdvertisingIdentifierManager.h"
#include "platform/services/AudioSession.h"
#include "platform/services/DeviceProfile.h"
#include "platform/services/PaymentQueue.h"
#include "platform/services/TelephonyNetworkInfo.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

using namespace GADObjectValidation;

// The facts read once per process. Each is computed without holding the
// mutex; the first answer stored wins.
struct GADDevice::Facts {
    std::mutex mutex;
    std::optional<std::optional<std::string>> baseSDKVersion;
    std::optional<bool> jailbroken;
    std::optional<std::string> systemVersion;
    std::optional<std::string> model;
    std::optional<std::string> submodel;
    std::optional<std::optional<std::string>> locale;
    std::optional<double> screenDensity;

    template <typename T, typename Compute>
    T once(std::optional<T> Facts::*slot, Compute compute) {
        {
            std::lock_guard lock(mutex);
            if (this->*slot) {
                return *(this->*slot);
            }
        }
        T value = compute();
        std::lock_guard lock(mutex);
        if (!(this->*slot)) {
            this->*slot = std::move(value);
        }
        return *(this->*slot);
    }
};

namespace {

std::int64_t componentValue(const std::string& version, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = version.find('.', start);
        if (start == std::string::npos) {
            return 0;
        }
        ++start;
    }
    return std::strtoll(version.c_str() + start, nullptr, 10);
}

template <typename T, typename Read>
T onMainThread(Read read) {
    T value{};
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] { value = read(); });
    return value;
}

// "3.1.iphone.com.example.app": the bundle version and a point when there is
// a version, then "iphone." and the bundle identifier.
std::string applicationName() {
    foundation::Bundle& bundle = foundation::Bundle::main();
    std::string name;
    foundation::Value version = bundle.objectForInfoDictionaryKey("CFBundleVersion");
    if (const std::string* text = version.asString()) {
        name = *text + ".";
    }
    return name + "iphone." + bundle.bundleIdentifier();
}

}  // namespace

GADDevice& GADDevice::currentDevice() {
    static std::shared_ptr<GADDevice>* const device = foundation::ProcessState::withReset(
        new std::shared_ptr<GADDevice>(new GADDevice),
        [](std::shared_ptr<GADDevice>& made) { made->reset(); });
    (*device)->startChecking();
    return **device;
}

GADDevice::GADDevice()
    : lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.device")),
      network_(std::make_shared<GADNetwork>()),
      facts_(std::make_unique<Facts>()) {}

void GADDevice::startChecking() {
    // Only the first caller starts; no caller waits for it.
    if (!started_.exchange(true)) {
        network_->enableNetworkChecking();
        enableRadioAccessTechnologyChecking();
    }
}

GADDevice::~GADDevice() {
    disableRadioAccessTechnologyChecking();
    network_->disableNetworkChecking();
}

void GADDevice::enableRadioAccessTechnologyChecking() {
    if (!isOSAtLeastMajor(7, 0, 0) || observesRadio_) {
        return;
    }
    setRadioAccessTechnology(
        services::TelephonyNetworkInfo::shared().currentRadioAccessTechnology());
    std::weak_ptr<GADDevice> weakSelf = weak_from_this();
    foundation::NotificationCenter::defaultCenter().addObserver(
        shared_from_this(), services::RadioAccessTechnologyDidChangeNotification, nullptr,
        [weakSelf](const foundation::Notification&) {
            if (auto self = weakSelf.lock()) {
                self->setRadioAccessTechnology(
                    services::TelephonyNetworkInfo::shared().currentRadioAccessTechnology());
            }
        });
    observesRadio_ = true;
}

void GADDevice::disableRadioAccessTechnologyChecking() {
    if (!observesRadio_) {
        return;
    }
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    observesRadio_ = false;
}

foundation::Dictionary GADDevice::parameters() {
    foundation::Dictionary parameters;
    if (deviceModel() == "iPad") {
        gad_setStringIfTrueForBoolValue(parameters, userInterfaceIdiomIsPhone(), "ios_ipadc");
    }
    parameters["ios_metadata"] = GADApplication::sharedApplication().iTunesMetadata();
    gad_setIfNotNilObject(parameters, baseSDKVersion(), "ios_base_sdk");
    parameters["app_name"] = applicationName();
    gad_setStringIfTrueForBoolValue(parameters, isJailbroken(), "ios_jb");
    parameters["platform"] = deviceModel();
    parameters["submodel"] = deviceSubmodel();
    gad_setIfNotNilObject(parameters, locale(), "hl");
    parameters["u_audio"] = std::to_string(audioRoute());
    parameters["u_so"] = isOrientationLandscape() ? "l" : "p";
    gad_setIfNotNilObject(parameters, radioAccessTechnology(), "ios_radio");
    gad_setIfNotNilObject(parameters, lastKnownRadioAccessTechnology(), "ios_radio_last");
    gad_setStringForCGFloat(parameters, screenDensity(), "u_sd");
    graphics::Rect bounds = standardizedScreenBounds();
    gad_setStringForCGFloat(parameters, bounds.size.width, "u_w");
    gad_setStringForCGFloat(parameters, bounds.size.height, "u_h");
    const std::string books = "itms-books://";
    const std::string reader = "kindle://home";
    foundation::Value openable(canOpenURLs({books, reader}));
    std::uint64_t capabilities =
        (openable[books].boolValue() ? 1u : 0u) | (openable[reader].boolValue() ? 2u : 0u);
    if (capabilities != 0) {
        parameters["cap_bs"] = capabilities;
    }
    gad_setStringForBoolValue(parameters, !services::PaymentQueue::canMakePayments(), "cap_noiap");
    return parameters;
}

std::optional<std::string> GADDevice::baseSDKVersion() {
    return facts_->once(&Facts::baseSDKVersion, []() -> std::optional<std::string> {
        foundation::Bundle& bundle = foundation::Bundle::main();
        foundation::Value sdkName = bundle.objectForInfoDictionaryKey("DTSDKName");
        const std::string* name = sdkName.asString();
        if (!name) {
            return std::nullopt;
        }
        std::string version = *name;
        foundation::Value platform = bundle.objectForInfoDictionaryKey("DTPlatformName");
        if (const std::string* platformName = platform.asString();
            platformName && !platformName->empty()) {
            version = foundation::replaceAll(version, *platformName, "");
        }
        return version;
    });
}

bool GADDevice::isJailbroken() {
    return facts_->once(&Facts::jailbroken, [] {
        return foundation::FileManager::defaultManager().fileExists(kModifiedSystemMarkerPath);
    });
}

std::string GADDevice::systemVersion() {
    return facts_->once(&Facts::systemVersion, [] {
        return onMainThread<std::string>(
            [] { return ui::Device::currentDevice().systemVersion(); });
    });
}

std::string GADDevice::deviceModel() {
    return facts_->once(&Facts::model, [] {
        return onMainThread<std::string>([] { return ui::Device::currentDevice().model(); });
    });
}

std::string GADDevice::deviceSubmodel() {
    return facts_->once(&Facts::submodel,
                        [] { return services::DeviceProfile::current().machine; });
}

std::optional<std::string> GADDevice::locale() {
    return facts_->once(&Facts::locale, []() -> std::optional<std::string> {
        // An application may set its own languages; otherwise the device's.
        std::optional<foundation::Array> stored =
            foundation::UserDefaults::standard().arrayForKey("AppleLanguages");
        if (stored) {
            if (stored->empty() || !stored->front().isString()) {
                return std::nullopt;
            }
            return foundation::lowercase(*stored->front().asString());
        }
        std::vector<std::string> languages = services::DeviceProfile::current().preferredLanguages;
        if (languages.empty()) {
            return std::nullopt;
        }
        return foundation::lowercase(languages.front());
    });
}

double GADDevice::screenDensity() {
    return facts_->once(&Facts::screenDensity, [] {
        return onMainThread<double>([] { return ui::Screen::mainScreen().scale(); });
    });
}

void GADDevice::getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix) {
    const std::string version = systemVersion();
    if (major) {
        *major = componentValue(version, 0);
    }
    if (minor) {
        *minor = componentValue(version, 1);
    }
    if (bugFix) {
        *bugFix = componentValue(version, 2);
    }
}

bool GADDevice::isOSAtLeastMajor(std::int64_t major, std::int64_t minor, std::int64_t bug) {
    std::int64_t actualMajor = 0;
    std::int64_t actualMinor = 0;
    std::int64_t actualBug = 0;
    getOSMajor(&actualMajor, &actualMinor, &actualBug);
    if (actualMajor != major) {
        return actualMajor > major;
    }
    if (actualMinor != minor) {
        return actualMinor > minor;
    }
    return actualBug >= bug;
}

bool GADDevice::OSIsSupported() {
    return isOSAtLeastMajor(5, 0, 0);
}

foundation::Dictionary GADDevice::canOpenURLs(const std::vector<std::string>& urls) {
    foundation::Dictionary result;
    for (const std::string& url : urls) {
        result[url] = onMainThread<bool>([&] { return ui::Application::shared().canOpenURL(url); });
    }
    return result;
}

std::string GADDevice::deviceIdentifier() {
    std::string identifier;
    if (isOSAtLeastMajor(6, 0, 0)) {
        services::AdvertisingIdentifierManager& manager =
            services::AdvertisingIdentifierManager::sharedManager();
        if (manager.isAdvertisingTrackingEnabled()) {
            identifier = manager.advertisingIdentifier();
        }
    }
    std::string hashed;
    lockQueue_->sync([&] {
        if (identifier != cachedAdvertisingID_) {
            cachedAdvertisingID_ = identifier;
            cachedMD5AdvertisingID_ =
                identifier.empty()
                    ? ""
                    : GADStringNumberAdditions::gad_MD5String(identifier).value_or("");
        }
        hashed = cachedMD5AdvertisingID_;
    });
    return hashed;
}

std::uint64_t GADDevice::audioRoute() {
    std::optional<std::vector<std::string>> outputs =
        services::AudioSession::sharedInstance().currentRouteOutputs();
    return outputs ? audioRouteUsingAudioSession(*outputs) : audioRouteUsingAudioToolkit();
}

std::uint64_t GADDevice::audioRouteUsingAudioSession(const std::vector<std::string>& outputs) {
    if (outputs.empty()) {
        return GADAudioRouteNone;
    }
    if (outputs.size() > 1) {
        return GADAudioRouteOther;
    }
    if (outputs.front() == services::AudioSessionPortHeadphones) {
        return GADAudioRouteHeadphones;
    }
    if (outputs.front() == services::AudioSessionPortBuiltInSpeaker) {
        return GADAudioRouteBuiltInSpeaker;
    }
    return GADAudioRouteOther;
}

std::uint64_t GADDevice::audioRouteUsingAudioToolkit() {
    std::optional<std::string> route = services::AudioSession::sharedInstance().audioRoute();
    if (!route) {
        return GADAudioRouteBuiltInSpeaker;
    }
    if (route->empty()) {
        return GADAudioRouteNone;
    }
    if (*route == "Headphone" || *route == "Headset") {
        return GADAudioRouteHeadphones;
    }
    if (*route == "Speaker") {
        return GADAudioRouteBuiltInSpeaker;
    }
    return GADAudioRouteOther;
}

bool GADDevice::isOrientationLandscape() {
    return onMainThread<bool>(
        [] { return ui::isLandscape(ui::Application::shared().statusBarOrientation()); });
}

graphics::Rect GADDevice::portraitFixed(graphics::Rect rect) {
    // From version 8 the screen reports its sizes as the interface is turned;
    // a screen that keeps its portrait sizes is left as it is.
    if (isOrientationLandscape() && isOSAtLeastMajor(8, 0, 0) &&
        rect.size.width > rect.size.height) {
        std::swap(rect.size.width, rect.size.height);
    }
    return rect;
}

graphics::Rect GADDevice::standardizedScreenBounds() {
    graphics::Rect bounds = onMainThread<graphics::Rect>(
        [] { return ui::Screen::mainScreen().bounds().standardized(); });
    return portraitFixed(bounds);
}

graphics::Rect GADDevice::standardizedApplicationFrame() {
    graphics::Rect frame = onMainThread<graphics::Rect>(
        [] { return ui::Screen::mainScreen().applicationFrame().standardized(); });
    return portraitFixed(frame);
}

bool GADDevice::userInterfaceIdiomIsPhone() {
    return onMainThread<bool>([] {
        return ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::phone;
    });
}

bool GADDevice::userInterfaceIdiomIsTablet() {
    return onMainThread<bool>([] {
        return ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad;
    });
}

std::optional<std::string> GADDevice::radioAccessTechnology() {
    std::optional<std::string> technology;
    lockQueue_->sync([&] { technology = radioAccessTechnology_; });
    return technology;
}

std::optional<std::string> GADDevice::lastKnownRadioAccessTechnology() {
    std::optional<std::string> technology;
    lockQueue_->sync([&] { technology = lastKnownRadioAccessTechnology_; });
    return technology;
}

void GADDevice::setRadioAccessTechnology(const std::optional<std::string>& technology) {
    lockQueue_->async([this, technology] {
        radioAccessTechnology_ = technology;
        if (technology) {
            lastKnownRadioAccessTechnology_ = technology;
        }
    });
}

std::optional<std::string> GADDevice::userAgentString() {
    std::optional<std::string> userAgent;
    lockQueue_->sync([&] { userAgent = userAgentString_; });
    return userAgent;
}

void GADDevice::setUserAgentString(const std::string& userAgent) {
    if (userAgent.empty()) {
        return;
    }
    lockQueue_->async([this, userAgent] { userAgentString_ = userAgent; });
}

void GADDevice::reset() {
    disableRadioAccessTechnologyChecking();
    network_->disableNetworkChecking();
    facts_ = std::make_unique<Facts>();
    lockQueue_->sync([this] {
        radioAccessTechnology_.reset();
        lastKnownRadioAccessTechnology_.reset();
        userAgentString_.reset();
        cachedAdvertisingID_.clear();
        cachedMD5AdvertisingID_.clear();
    });
    network_ = std::make_shared<GADNetwork>();
    // Checking starts again at the next use, once the platform is back too.
    started_ = false;
}
