#include "platform/media/FourCharCode.h"

namespace media {

std::string fourCharCodeString(std::uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        text.push_back(static_cast<char>((code >> shift) & 0xFF));
    }
    return text;
}

}  // namespace media
