#include "platform/services/DeviceProfile.h"

#include <sys/utsname.h>

#include <mutex>

#include "platform/foundation/ProcessState.h"

#include "platform/services/AdvertisingIdentifierManager.h"
#include "platform/services/AudioSession.h"
#include "platform/services/Storefront.h"
#include "platform/services/TelephonyNetworkInfo.h"
#include "platform/ui/Screen.h"

namespace services {

namespace {

struct ProfileState {
    std::mutex mutex;
    DeviceProfile profile;
};

ProfileState& state() {
    // The platform objects put themselves back; the profile follows them.
    static ProfileState* profileState =
        foundation::ProcessState::withReset(new ProfileState(), [](ProfileState& state) {
            std::lock_guard lock(state.mutex);
            state.profile = DeviceProfile();
        });
    return *profileState;
}

}  // namespace

DeviceProfile DeviceProfile::current() {
    std::lock_guard lock(state().mutex);
    return state().profile;
}

void DeviceProfile::use(const DeviceProfile& profile) {
    {
        std::lock_guard lock(state().mutex);
        state().profile = profile;
    }
    ui::Device& device = ui::Device::currentDevice();
    device.setModel(profile.model);
    device.setSystemVersion(profile.systemVersion);
    device.setUserInterfaceIdiom(profile.idiom);
    ui::Screen& screen = ui::Screen::mainScreen();
    screen.setBounds(profile.screenBounds);
    screen.setScale(profile.screenScale);
    AudioSession& session = AudioSession::sharedInstance();
    session.setCurrentRouteOutputs(profile.audioOutputs);
    session.setAudioRoute(profile.audioRoute);
    TelephonyNetworkInfo::shared().setCurrentRadioAccessTechnology(profile.radioAccessTechnology);
    AdvertisingIdentifierManager& advertising = AdvertisingIdentifierManager::sharedManager();
    advertising.setAdvertisingIdentifier(profile.advertisingIdentifier);
    advertising.setAdvertisingTrackingEnabled(profile.advertisingTrackingEnabled);
    Storefront::shared().setCanMakePayments(profile.canMakePayments);
}

std::string DeviceProfile::hostMachine() {
    utsname name{};
    if (uname(&name) != 0) {
        return "";
    }
    return name.machine;
}

}  // namespace services
