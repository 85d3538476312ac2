#pragma once

// Conversions between straight RGBA bytes, as bitmaps and pages hold them, and
// cairo's ARGB32 pixels, whose colour components are premultiplied by alpha.

#include <cairo.h>

#include <cstdint>

namespace graphics {

class Bitmap;

// The ARGB32 pixel of the four RGBA bytes at `rgba`.
std::uint32_t premultipliedPixel(const std::uint8_t* rgba);
// Writes the four RGBA bytes of an ARGB32 pixel to `rgba` (all zero when the
// pixel is fully transparent).
void writeStraightPixel(std::uint32_t pixel, std::uint8_t* rgba);
// A new cairo image surface holding the bitmap's pixels; null when cairo
// cannot make one. The caller destroys it.
cairo_surface_t* surfaceFromBitmap(const Bitmap& bitmap);

}  // namespace graphics
