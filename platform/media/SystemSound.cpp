#include "platform/media/SystemSound.h"

#include <map>
#include <mutex>

#include "platform/foundation/ProcessState.h"
#include "platform/media/SoundFile.h"

namespace media {

namespace {

struct Sounds {
    std::mutex mutex;
    std::map<SystemSoundID, std::string> live;
    std::vector<std::string> played;
    SystemSoundID next = 4096;
};

Sounds& sounds() {
    static auto* state = foundation::ProcessState::withReset(new Sounds(), [](auto& state) {
        std::lock_guard lock(state.mutex);
        state.live.clear();
        state.played.clear();
    });
    return *state;
}

}  // namespace

int SystemSound::create(const foundation::URL& url, SystemSoundID* soundID) {
    if (soundID == nullptr || !isPlayableSoundFile(url.path())) {
        return kUnsupportedFileError;
    }
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    *soundID = state.next++;
    state.live[*soundID] = url.path();
    return kNoError;
}

void SystemSound::play(SystemSoundID soundID) {
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    if (soundID == kVibrate) {
        state.played.push_back("vibrate");
        return;
    }
    auto it = state.live.find(soundID);
    if (it != state.live.end()) {
        state.played.push_back(it->second);
    }
}

int SystemSound::dispose(SystemSoundID soundID) {
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    return state.live.erase(soundID) > 0 ? kNoError : kUnsupportedFileError;
}

std::vector<std::string> SystemSound::playedFiles() {
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    return state.played;
}

std::size_t SystemSound::liveCount() {
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    return state.live.size();
}

void SystemSound::reset() {
    Sounds& state = sounds();
    std::lock_guard lock(state.mutex);
    state.live.clear();
    state.played.clear();
}

}  // namespace media
