#pragma once

// Why a frame is asked to go somewhere, numbered as the platform numbers it.

namespace web {

enum class NavigationType {
    linkClicked = 0,
    formSubmitted = 1,
    backForward = 2,
    reload = 3,
    formResubmitted = 4,
    other = 5,
};

}  // namespace web
