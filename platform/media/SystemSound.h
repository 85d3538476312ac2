#pragma once

// Short system sounds by number: created from a file, played, disposed. Plays
// are recorded (the file of each, in order), and the sounds still alive are
// counted, so a sound that is never disposed shows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"

namespace media {

using SystemSoundID = std::uint32_t;

class SystemSound {
  public:
    // The number that means "no sound".
    static constexpr SystemSoundID kNone = 0xFFFFFFFF;
    // The device's vibration, played like a sound; recorded as "vibrate".
    static constexpr SystemSoundID kVibrate = 4095;
    static constexpr int kNoError = 0;
    static constexpr int kUnsupportedFileError = -1;

    // AudioServicesCreateSystemSoundID: 0 and the new number in `soundID`, or
    // an error (and `soundID` untouched) when the file is not a sound file.
    static int create(const foundation::URL& url, SystemSoundID* soundID);
    // AudioServicesPlaySystemSound: unknown numbers do nothing.
    static void play(SystemSoundID soundID);
    // AudioServicesDisposeSystemSoundID
    static int dispose(SystemSoundID soundID);

    static std::vector<std::string> playedFiles();
    static std::size_t liveCount();
    // Forgets the plays and the live sounds (tests).
    static void reset();
};

}  // namespace media
