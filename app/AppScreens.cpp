#include "app/AppScreens.h"

AppScreens& AppScreens::shared() {
    static auto* screens = new AppScreens;
    return *screens;
}
