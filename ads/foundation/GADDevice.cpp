#include "ads/foundation/GADDevice.h"

#include <cstdlib>
#include <mutex>

#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

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

// The advertising identifier while tracking is enabled; this machine offers
// none, so tracking counts as off and the identifier is "".
std::string advertisingIdentifier() {
    return "";
}

}  // namespace

GADDevice& GADDevice::currentDevice() {
    static GADDevice* device = new GADDevice;
    return *device;
}

const std::string& GADDevice::systemVersion() {
    static std::once_flag once;
    static std::string version;
    std::call_once(once, [] {
        GADMacros::runSynchronouslyOnMainThreadWithBlock(
            [] { version = ui::Device::currentDevice().systemVersion(); });
    });
    return version;
}

void GADDevice::getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix) {
    const std::string& version = systemVersion();
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

std::string GADDevice::deviceIdentifier() {
    std::string identifier;
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        if (isOSAtLeastMajor(6, 0, 0)) {
            identifier = advertisingIdentifier();
        }
    });
    std::lock_guard<std::mutex> lock(lock_);
    if (identifier != cachedAdvertisingID_) {
        cachedAdvertisingID_ = identifier;
        cachedMD5AdvertisingID_ =
            identifier.empty() ? ""
                               : GADStringNumberAdditions::gad_MD5String(identifier).value_or("");
    }
    return cachedMD5AdvertisingID_;
}

graphics::Rect GADDevice::standardizedScreenBounds() {
    graphics::Rect bounds;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { bounds = ui::Screen::mainScreen().bounds().standardized(); });
    if (isOrientationLandscape() && isOSAtLeastMajor(8, 0, 0)) {
        std::swap(bounds.size.width, bounds.size.height);
    }
    return bounds;
}

bool GADDevice::isOrientationLandscape() {
    bool landscape = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { landscape = ui::isLandscape(ui::Application::shared().statusBarOrientation()); });
    return landscape;
}

bool GADDevice::userInterfaceIdiomIsPhone() {
    bool phone = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        phone = ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::phone;
    });
    return phone;
}

bool GADDevice::userInterfaceIdiomIsTablet() {
    bool tablet = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        tablet = ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad;
    });
    return tablet;
}
