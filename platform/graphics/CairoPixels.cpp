#include "platform/graphics/CairoPixels.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"

namespace graphics {

std::uint32_t premultipliedPixel(const std::uint8_t* rgba) {
    const std::uint32_t a = rgba[3];
    const auto times = [a](std::uint32_t component) { return (component * a + 127) / 255; };
    return a << 24 | times(rgba[0]) << 16 | times(rgba[1]) << 8 | times(rgba[2]);
}

void writeStraightPixel(std::uint32_t pixel, std::uint8_t* rgba) {
    const std::uint32_t a = pixel >> 24;
    const auto over = [a](std::uint32_t component) {
        return static_cast<std::uint8_t>(a == 0 ? 0
                                                : std::min(255u, (component * 255 + a / 2) / a));
    };
    rgba[0] = over(pixel >> 16 & 0xFF);
    rgba[1] = over(pixel >> 8 & 0xFF);
    rgba[2] = over(pixel & 0xFF);
    rgba[3] = static_cast<std::uint8_t>(a);
}

cairo_surface_t* surfaceFromBitmap(const Bitmap& bitmap) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap.width(), bitmap.height());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* base = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(base + y * stride);
        const std::uint8_t* in = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, in += 4) {
            out[x] = premultipliedPixel(in);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

}  // namespace graphics
