#pragma once

// One notification: a name, the object it is about (compared by identity,
// nullptr for none) and a dictionary of details.

#include <string>

#include "platform/foundation/Value.h"

namespace foundation {

struct Notification {
    std::string name;
    const void* object = nullptr;
    Value userInfo;
};

}  // namespace foundation
