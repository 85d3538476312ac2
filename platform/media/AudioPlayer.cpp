#include "platform/media/AudioPlayer.h"

#include <algorithm>
#include <mutex>

#include "platform/foundation/ProcessState.h"
#include "platform/media/SoundFile.h"

namespace media {

namespace {

struct PlayLog {
    std::mutex mutex;
    std::vector<std::string> files;
};

PlayLog& playLog() {
    static auto* log = foundation::ProcessState::withReset(new PlayLog(), [](auto& state) {
        std::lock_guard lock(state.mutex);
        state.files.clear();
    });
    return *log;
}

}  // namespace

std::shared_ptr<AudioPlayer> AudioPlayer::make(const foundation::URL& url,
                                               foundation::Error* error) {
    if (!isPlayableSoundFile(url.path())) {
        if (error != nullptr) {
            *error = {"NSOSStatusErrorDomain", 1954115647,
                      "The sound file cannot be played: " + url.path()};
        }
        return nullptr;
    }
    return std::shared_ptr<AudioPlayer>(new AudioPlayer(url));
}

bool AudioPlayer::prepareToPlay() {
    return true;
}

bool AudioPlayer::play() {
    playing_ = true;
    PlayLog& log = playLog();
    std::lock_guard lock(log.mutex);
    log.files.push_back(url_.path());
    return true;
}

void AudioPlayer::stop() {
    playing_ = false;
}

void AudioPlayer::setVolume(float volume) {
    volume_ = std::clamp(volume, 0.0f, 1.0f);
}

std::vector<std::string> AudioPlayer::playedFiles() {
    PlayLog& log = playLog();
    std::lock_guard lock(log.mutex);
    return log.files;
}

void AudioPlayer::clearPlayedFiles() {
    PlayLog& log = playLog();
    std::lock_guard lock(log.mutex);
    log.files.clear();
}

}  // namespace media
