#include "platform/media/SoundFile.h"

#include <array>
#include <fstream>

namespace media {

bool isPlayableSoundFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> head{};
    if (!in.read(head.data(), head.size())) {
        return false;
    }
    const std::string text(head.data(), head.size());
    const bool wave = text.compare(0, 4, "RIFF") == 0 && text.compare(8, 4, "WAVE") == 0;
    const bool aiff = text.compare(0, 4, "FORM") == 0 && text.compare(8, 3, "AIF") == 0;
    const bool mp3 =
        text.compare(0, 3, "ID3") == 0 || (static_cast<unsigned char>(head[0]) == 0xFF &&
                                           (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0);
    return wave || aiff || mp3;
}

}  // namespace media
