#pragma once

// Plays a sound file. Nothing is heard here: every play is recorded in a
// process-wide list of the files played, in order, for tests and the host.

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"

namespace media {

class AudioPlayer {
  public:
    // initWithContentsOfURL:error: : nullptr (and `error` set when given)
    // when the file cannot be read or is not a RIFF/WAVE, AIFF or MP3 file.
    static std::shared_ptr<AudioPlayer> make(const foundation::URL& url,
                                             foundation::Error* error = nullptr);

    const foundation::URL& url() const { return url_; }
    bool prepareToPlay();
    // Records the file as played; answers true.
    bool play();
    void stop();
    bool isPlaying() const { return playing_; }
    float volume() const { return volume_; }
    void setVolume(float volume);

    // Paths of the files played since the start or the last clear.
    static std::vector<std::string> playedFiles();
    static void clearPlayedFiles();

  private:
    explicit AudioPlayer(foundation::URL url) : url_(std::move(url)) {}

    foundation::URL url_;
    bool playing_ = false;
    float volume_ = 1;
};

}  // namespace media
