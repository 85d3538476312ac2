#pragma once

// Four-character codes of pixel formats as the capture layer names them: the
// first character in the highest byte ('420v' reads 0x34323076).

#include <cstdint>
#include <string>
#include <string_view>

namespace media {

constexpr std::uint32_t fourCharCode(std::string_view code) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | (i < code.size() ? static_cast<unsigned char>(code[i]) : 0);
    }
    return value;
}

// Bi-planar 4:2:0, video range: a luma plane and an interleaved Cb Cr plane.
constexpr std::uint32_t kPixelFormat420YpCbCr8BiPlanarVideoRange = fourCharCode("420v");
// One plane of 4 bytes a pixel: blue, green, red, alpha.
constexpr std::uint32_t kPixelFormat32BGRA = fourCharCode("BGRA");

std::string fourCharCodeString(std::uint32_t code);

}  // namespace media
