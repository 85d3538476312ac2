#pragma once

// A touch event: the touches that changed (or all touches on the screen), as
// handed to views' touch methods and to gesture recognizers.

#include <memory>
#include <vector>

#include "platform/ui/Touch.h"

namespace ui {

enum class EventType { touches = 0, motion = 1, remoteControl = 2 };

struct Event {
    EventType type = EventType::touches;
    double timestamp = 0;
    std::vector<std::shared_ptr<Touch>> allTouches;
};

}  // namespace ui
