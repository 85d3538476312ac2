#pragma once

// Facts about the calling thread. The main thread is the process's initial
// thread, the one that runs main(): the host and every test binary run the
// main run loop there.

#include <string>

namespace foundation {

class Thread {
  public:
    static bool isMainThread();
    // Names the calling thread for debuggers and `ps` (cut to 15 bytes).
    static void setCurrentName(const std::string& name);
};

}  // namespace foundation
