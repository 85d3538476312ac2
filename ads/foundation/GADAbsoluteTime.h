#pragma once

// The component clock: whole milliseconds since its first reading in the
// process, used for every time stamp sent to the ad server ("basets",
// "currts", click and impression times).

#include <cstdint>

class GADAbsoluteTime {
  public:
    // About 0 on the first call; never decreases.
    static std::uint64_t absoluteTimeInMilliseconds();
    // As in a new process: the next reading is the new origin.
    static void reset();
};
