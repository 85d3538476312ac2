#include "ads/foundation/GADGestureIdUtil.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <tuple>
#include <vector>

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UUID.h"
#include "platform/services/AdvertisingIdentifierManager.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

GADGestureIdUtil& GADGestureIdUtil::sharedInstance() {
    static GADGestureIdUtil* const shared = foundation::ProcessState::withReset(
        new GADGestureIdUtil(),
        [](GADGestureIdUtil& util) { util.userDefaults_ = &foundation::UserDefaults::standard(); });
    return *shared;
}

GADGestureIdUtil::GADGestureIdUtil() : userDefaults_(&foundation::UserDefaults::standard()) {}

std::string GADGestureIdUtil::osVersion() const {
    return ui::Device::currentDevice().systemVersion();
}

void GADGestureIdUtil::getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix) {
    const std::vector<std::string> parts =
        foundation::components(sharedInstance().osVersion(), ".");
    std::int64_t* outputs[] = {major, minor, bugFix};
    for (std::size_t i = 0; i < 3; ++i) {
        if (outputs[i]) {
            *outputs[i] = i < parts.size() ? std::strtoll(parts[i].c_str(), nullptr, 10) : 0;
        }
    }
}

bool GADGestureIdUtil::isOSAtLeastMajor(std::int64_t major, std::int64_t minor, std::int64_t bug) {
    std::int64_t actual[3] = {};
    getOSMajor(&actual[0], &actual[1], &actual[2]);
    return std::tie(actual[0], actual[1], actual[2]) >= std::tie(major, minor, bug);
}

std::string GADGestureIdUtil::deviceIdentifier() {
    if (isOSAtLeastMajor(6, 0, 0)) {
        return services::AdvertisingIdentifierManager::sharedManager().advertisingIdentifier();
    }
    if (auto stored = userDefaults_->stringForKey(kGADGestureIdUtilStoredIdentifierKey)) {
        return *stored;
    }
    const std::string made = foundation::UUID().UUIDString();
    userDefaults_->setObject(kGADGestureIdUtilStoredIdentifierKey, foundation::Value(made));
    return made;
}

int GADGestureIdUtil::deviceIdentifierType() const {
    return isOSAtLeastMajor(6, 0, 0) ? 4 : 1;
}

bool GADGestureIdUtil::deviceOptedOut() const {
    return isOSAtLeastMajor(6, 0, 0) &&
           !services::AdvertisingIdentifierManager::sharedManager().isAdvertisingTrackingEnabled();
}

std::uint64_t GADMainScreenModeSize() {
    const graphics::Size size = ui::Screen::mainScreen().currentModeSize();
    const auto dimension = [](double value) {
        return static_cast<std::uint64_t>(
            std::max<std::int64_t>(static_cast<std::int32_t>(value), 0));
    };
    return dimension(size.width) | (dimension(size.height) << 32);
}

std::int64_t GADTimeZoneOffsetMinutes() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_gmtoff / 60 + 1440;
}
