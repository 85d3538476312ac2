#include "platform/foundation/ProcessState.h"

#include <mutex>
#include <vector>

namespace foundation {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<ProcessState::Reset> resets;
};

Registry& registry() {
    static auto* const shared = new Registry();
    return *shared;
}

}  // namespace

void ProcessState::addReset(Reset reset) {
    auto& shared = registry();
    std::lock_guard lock(shared.mutex);
    shared.resets.push_back(std::move(reset));
}

void ProcessState::resetAll() {
    auto& shared = registry();
    std::vector<Reset> resets;
    {
        std::lock_guard lock(shared.mutex);
        resets = shared.resets;
    }
    for (auto reset = resets.rbegin(); reset != resets.rend(); ++reset) {
        (*reset)();
    }
}

}  // namespace foundation
