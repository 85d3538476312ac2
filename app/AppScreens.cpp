#include "app/AppScreens.h"

#include "platform/foundation/ProcessState.h"

AppScreens& AppScreens::shared() {
    static auto* screens = foundation::ProcessState::withReset(
        new AppScreens, [](auto& state) { state = AppScreens{}; });
    return *screens;
}
