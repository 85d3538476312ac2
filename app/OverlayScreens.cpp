#include "app/OverlayScreens.h"

OverlayScreens& OverlayScreens::shared() {
    static auto* screens = new OverlayScreens;
    return *screens;
}
