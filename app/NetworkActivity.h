#pragma once

// The process-wide count of running network loads, with the status bar's
// network activity indicator shown while it is positive; and the plain
// functions the screens call: UpdateNetworkActivity (from any thread) and
// IsNetworkReachable.

#include <cstdint>

class NetworkActivity {
  public:
    // Main thread: adds `delta`; the count never goes below 0.
    static void update(int delta);
    static std::int32_t count();
    // Back to 0 with the indicator hidden (tests).
    static void reset();
};

// Moves the update to the main thread without waiting (also from the main thread).
void UpdateNetworkActivity(int delta);
// Whether the reachability flags of "0.0.0.0" can be read and say reachable.
bool IsNetworkReachable();
