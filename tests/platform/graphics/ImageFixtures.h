#pragma once

// Image data made in the tests: GIFs written with giflib, PNGs with
// hand-made headers, and bitmaps with recognisable corners.

#include <optional>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"

namespace graphics_test {

struct GifFrame {
    int delayCentiseconds = -1;  // -1: no graphic control block
    int disposal = 0;
    int transparentIndex = -1;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // Palette indices (0 black, 1 red, 2 green, 3 white), row by row.
    std::vector<unsigned char> indices;
};

foundation::Data makeGif(int width, int height, const std::vector<GifFrame>& frames);

// A frame of one colour index covering the whole screen.
GifFrame solidFrame(int width, int height, unsigned char index, int delayCentiseconds);

// A PNG signature and an IHDR chunk (with a correct CRC) claiming the size,
// followed by `tail`.
foundation::Data pngHeader(std::uint32_t width, std::uint32_t height,
                           const foundation::Data& tail = {});

// A bitmap whose quadrants are red (top left), green (top right), blue
// (bottom left) and white (bottom right).
graphics::Bitmap quadrants(int width, int height);

}  // namespace graphics_test
