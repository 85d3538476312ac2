#pragma once

// Recognises the sound files the players take by their first bytes.

#include <string>

namespace media {

// True when `path` names a readable RIFF/WAVE, AIFF or MP3 file.
bool isPlayableSoundFile(const std::string& path);

}  // namespace media
