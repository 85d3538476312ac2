#include "platform/foundation/Date.h"

#include <chrono>

namespace foundation {

Date Date::now() {
    using namespace std::chrono;
    const auto sinceEpoch = duration<double>(system_clock::now().time_since_epoch()).count();
    return fromTimeIntervalSince1970(sinceEpoch);
}

}  // namespace foundation
