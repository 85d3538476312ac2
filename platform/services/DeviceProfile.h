#pragma once

// The simulated device this program runs on, in one place: model and
// hardware name, system version, idiom, screen, preferred languages, audio
// route, radio, advertising identifier and payments. `use` hands every fact
// to the platform object that reports it (device, screen, audio session,
// telephony, advertising identifier, storefront); the host and tests set a
// profile, and a new process starts with the default phone.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Device.h"

namespace services {

struct DeviceProfile {
    std::string model = "Phone";
    // The hardware name the system reports for the machine; this machine's
    // own unless set.
    std::string machine = hostMachine();
    std::string systemVersion = "9.3";
    ui::UserInterfaceIdiom idiom = ui::UserInterfaceIdiom::phone;
    graphics::Rect screenBounds{0, 0, 320, 568};
    double screenScale = 2;
    // The user's languages, most preferred first ("AppleLanguages").
    std::vector<std::string> preferredLanguages{"en"};
    // Port types of the current audio route; nullopt when the session cannot say.
    std::optional<std::vector<std::string>> audioOutputs{{"Speaker"}};
    // The older route query's answer; nullopt when it fails.
    std::optional<std::string> audioRoute{"Speaker"};
    std::optional<std::string> radioAccessTechnology;
    std::string advertisingIdentifier = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
    bool advertisingTrackingEnabled = true;
    bool canMakePayments = true;

    // The profile in use.
    static DeviceProfile current();
    // Makes `profile` the device: every platform object reports its facts.
    static void use(const DeviceProfile& profile);
    // Back to the default phone.
    static void reset() { use(DeviceProfile()); }

    // The `machine` field of this machine's uname.
    static std::string hostMachine();
};

}  // namespace services
