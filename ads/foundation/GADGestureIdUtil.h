#pragma once

// The device facts the component's signal collection reads: the advertising
// identifier, the user's tracking opt-out and the system version; plus the
// main screen's pixel size and the time-zone offset.

#include <cstdint>
#include <string>

#include "platform/foundation/UserDefaults.h"

// The key of the identifier kept for systems without an advertising
// identifier.
inline constexpr const char* kGADGestureIdUtilStoredIdentifierKey = "madAppId";

class GADGestureIdUtil {
  public:
    static GADGestureIdUtil& sharedInstance();

    // The first three components of the system version; a missing one is 0.
    static void getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix);
    static bool isOSAtLeastMajor(std::int64_t major, std::int64_t minor, std::int64_t bug);

    std::string osVersion() const;
    // On 6.0.0 and later the advertising identifier; before, a UUID text
    // made once and kept in the user defaults.
    std::string deviceIdentifier();
    // 4 for the advertising identifier, 1 for the kept UUID.
    int deviceIdentifierType() const;
    // Whether the user turned advertising tracking off (6.0.0 and later).
    bool deviceOptedOut() const;

    foundation::UserDefaults& userDefaults() const { return *userDefaults_; }
    void setUserDefaults(foundation::UserDefaults& defaults) { userDefaults_ = &defaults; }

  private:
    GADGestureIdUtil();

    foundation::UserDefaults* userDefaults_;
};

// The main screen's size in pixels: width in the low 32 bits, height in the
// high 32 bits, each made non-negative.
std::uint64_t GADMainScreenModeSize();
// The system time zone's offset from UTC in minutes, plus 1440 so that it is
// always positive.
std::int64_t GADTimeZoneOffsetMinutes();
