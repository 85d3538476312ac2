#include "ads/foundation/GADGestureIdUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/services/AdvertisingIdentifierManager.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

namespace {

TEST(GADGestureIdUtilTest, ComparesTheSystemVersionFieldByField) {
    struct Case {
        std::string version;
        std::int64_t major, minor, bug;
        bool atLeast;
    };
    const std::vector<Case> cases = {
        {"6", 6, 0, 0, true},  // missing components count 0
        {"5.1.1", 6, 0, 0, false}, {"6.0.1", 6, 0, 1, true},
        {"7.0", 6, 9, 9, true},  // the major decides first
        {"8.1", 8, 1, 1, false},
    };
    for (const Case& c : cases) {
        ui::Device::currentDevice().setSystemVersion(c.version);
        EXPECT_EQ(GADGestureIdUtil::isOSAtLeastMajor(c.major, c.minor, c.bug), c.atLeast)
            << c.version;
    }
    ui::Device::currentDevice().setSystemVersion("8.1");
    std::int64_t major = -1;
    std::int64_t bugFix = -1;
    GADGestureIdUtil::getOSMajor(&major, nullptr, &bugFix);
    EXPECT_EQ(major, 8);
    EXPECT_EQ(bugFix, 0);
}

TEST(GADGestureIdUtilTest, AdvertisingIdentifierFromSixOnAndAKeptUUIDBefore) {
    auto& util = GADGestureIdUtil::sharedInstance();
    auto& manager = services::AdvertisingIdentifierManager::sharedManager();
    ui::Device::currentDevice().setSystemVersion("6.0");
    manager.setAdvertisingTrackingEnabled(false);
    EXPECT_EQ(util.deviceIdentifier(), manager.advertisingIdentifier());
    EXPECT_EQ(util.deviceIdentifierType(), 4);
    EXPECT_TRUE(util.deviceOptedOut());

    ui::Device::currentDevice().setSystemVersion("5.1");
    const std::string kept = util.deviceIdentifier();
    EXPECT_EQ(kept.size(), 36u);
    EXPECT_EQ(util.deviceIdentifier(), kept);
    EXPECT_EQ(util.userDefaults().stringForKey("madAppId"), kept);
    EXPECT_EQ(util.deviceIdentifierType(), 1);
    EXPECT_FALSE(util.deviceOptedOut());
}

TEST(GADGestureIdUtilTest, ScreenPixelsPackedAndTimeZoneOffsetPositive) {
    ui::Screen::mainScreen().setBounds({0, 0, 320, 568});
    ui::Screen::mainScreen().setScale(2);
    EXPECT_EQ(GADMainScreenModeSize(), (std::uint64_t{1136} << 32) | 640u);

    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", "UTC-2", 1);
    tzset();
    EXPECT_EQ(GADTimeZoneOffsetMinutes(), 1440 + 120);
    setenv("TZ", "UTC+5", 1);
    tzset();
    EXPECT_EQ(GADTimeZoneOffsetMinutes(), 1440 - 300);
    if (previous) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace
