#include "app/OverlayScreens.h"

#include "platform/foundation/ProcessState.h"

OverlayScreens& OverlayScreens::shared() {
    static auto* screens = foundation::ProcessState::withReset(
        new OverlayScreens, [](auto& state) { state = OverlayScreens{}; });
    return *screens;
}
