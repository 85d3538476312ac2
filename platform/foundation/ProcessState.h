#pragma once

// The process-wide state that tests put back between tests: every singleton
// whose state a test can change registers how to put it back, and the tests'
// main calls resetAll() after each test.
//
// To make a new singleton resettable, register its reset where the singleton
// is made, so only singletons that were used get reset and nothing is dropped
// by the linker:
//
//     Thing& Thing::shared() {
//         static Thing* const thing = foundation::ProcessState::withReset(new Thing());
//         return *thing;
//     }
//
// withReset(made) registers the singleton's reset() member (a shared or weak
// pointer's too); withReset(made, [](Thing& thing) {...}) registers a
// function that puts anything else back (a flag, a list, a hook).
//
// A reset brings the singleton back to the state it had when it was made
// (configuration a test set, recorded calls, held objects). Resets run on the
// main thread, the latest registered first, so a singleton that uses an
// earlier one is put back while that one still holds its state.

#include <functional>
#include <utility>

namespace foundation {

class ProcessState {
  public:
    using Reset = std::function<void()>;

    // Registers `reset`; safe from any thread, also from inside a reset.
    static void addReset(Reset reset);
    // Runs every registered reset, the latest registered first.
    static void resetAll();

    // Registers `made->reset()` and answers `made`.
    template <typename T>
    static T* withReset(T* made) {
        addReset([made] { made->reset(); });
        return made;
    }
    // Registers `reset(*made)` and answers `made`.
    template <typename T, typename PutBack>
    static T* withReset(T* made, PutBack reset) {
        addReset([made, reset = std::move(reset)] { reset(*made); });
        return made;
    }
};

}  // namespace foundation
