#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace graphics {

namespace {

// Bytes per pixel of a layout, or 0 when it is not supported.
int bytesPerPixel(ColorSpaceModel model, std::uint32_t info) {
    const auto alpha = static_cast<AlphaInfo>(info & kBitmapAlphaInfoMask);
    if (model == ColorSpaceModel::monochrome) {
        switch (alpha) {
            case AlphaInfo::none:
                return 1;
            case AlphaInfo::premultipliedLast:
            case AlphaInfo::last:
                return 2;
            default:
                return 0;
        }
    }
    if (model == ColorSpaceModel::rgb) {
        switch (alpha) {
            case AlphaInfo::none:
                return 3;
            case AlphaInfo::only:
                return 0;
            default:
                return 4;
        }
    }
    return 0;
}

bool alphaFirst(AlphaInfo a) {
    return a == AlphaInfo::premultipliedFirst || a == AlphaInfo::first ||
           a == AlphaInfo::noneSkipFirst;
}

bool premultiplied(AlphaInfo a) {
    return a == AlphaInfo::premultipliedFirst || a == AlphaInfo::premultipliedLast;
}

bool carriesAlpha(AlphaInfo a) {
    return a == AlphaInfo::premultipliedFirst || a == AlphaInfo::premultipliedLast ||
           a == AlphaInfo::first || a == AlphaInfo::last;
}

std::uint8_t multiply(std::uint8_t v, std::uint8_t a) {
    return static_cast<std::uint8_t>((v * a + 127) / 255);
}

std::uint8_t unmultiply(std::uint8_t v, std::uint8_t a) {
    if (a == 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::min(255, (v * 255 + a / 2) / a));
}

std::uint8_t luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint8_t>((r * 77 + g * 150 + b * 29 + 128) >> 8);
}

}  // namespace

bool Bitmap::sizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

std::shared_ptr<Bitmap> Bitmap::make(int width, int height, Rgba8 fill) {
    if (!sizeAllowed(width, height)) {
        return nullptr;
    }
    auto bitmap = std::make_shared<Bitmap>(width, height);
    if (fill != Rgba8{}) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bitmap->setPixel(x, y, fill);
            }
        }
    }
    return bitmap;
}

Bitmap::Bitmap(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_ * 4, 0) {}

Rgba8 Bitmap::pixel(int x, int y) const {
    const std::uint8_t* p = row(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

void Bitmap::setPixel(int x, int y, Rgba8 value) {
    std::uint8_t* p = row(y) + x * 4;
    p[0] = value.r;
    p[1] = value.g;
    p[2] = value.b;
    p[3] = value.a;
}

std::shared_ptr<Bitmap> Bitmap::fromPixels(int width, int height, std::size_t bytesPerRow,
                                           ColorSpaceModel model, std::uint32_t bitmapInfo,
                                           const std::uint8_t* data) {
    const int bpp = bytesPerPixel(model, bitmapInfo);
    if (bpp == 0 || data == nullptr || !sizeAllowed(width, height) ||
        bytesPerRow < static_cast<std::size_t>(width) * bpp) {
        return nullptr;
    }
    const auto alpha = static_cast<AlphaInfo>(bitmapInfo & kBitmapAlphaInfoMask);
    const bool little = (bitmapInfo & kBitmapByteOrderMask) == kBitmapByteOrder32Little;
    auto bitmap = std::make_shared<Bitmap>(width, height);
    bitmap->setColorSpaceModel(model);
    bitmap->setAlphaInfo(alpha);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = data + y * bytesPerRow;
        for (int x = 0; x < width; ++x, src += bpp) {
            Rgba8 out{0, 0, 0, 255};
            if (bpp == 1) {
                out = {src[0], src[0], src[0], 255};
            } else if (bpp == 2) {
                out = {src[0], src[0], src[0], src[1]};
            } else if (bpp == 3) {
                out = {src[0], src[1], src[2], 255};
            } else {
                std::uint8_t b[4] = {src[0], src[1], src[2], src[3]};
                if (little) {
                    std::swap(b[0], b[3]);
                    std::swap(b[1], b[2]);
                }
                if (alphaFirst(alpha)) {
                    out = {b[1], b[2], b[3], b[0]};
                } else {
                    out = {b[0], b[1], b[2], b[3]};
                }
                if (!carriesAlpha(alpha)) {
                    out.a = 255;
                }
            }
            if (premultiplied(alpha)) {
                out.r = unmultiply(out.r, out.a);
                out.g = unmultiply(out.g, out.a);
                out.b = unmultiply(out.b, out.a);
            }
            bitmap->setPixel(x, y, out);
        }
    }
    return bitmap;
}

std::vector<std::uint8_t> Bitmap::copyPixels(ColorSpaceModel model,
                                             std::uint32_t bitmapInfo) const {
    const int bpp = bytesPerPixel(model, bitmapInfo);
    if (bpp == 0) {
        return {};
    }
    const auto alpha = static_cast<AlphaInfo>(bitmapInfo & kBitmapAlphaInfoMask);
    const bool little = (bitmapInfo & kBitmapByteOrderMask) == kBitmapByteOrder32Little;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width_) * height_ * bpp);
    std::uint8_t* dst = out.data();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x, dst += bpp) {
            Rgba8 p = pixel(x, y);
            // Layouts without alpha hold the pixel as drawn over black.
            if (premultiplied(alpha) || !carriesAlpha(alpha)) {
                p.r = multiply(p.r, p.a);
                p.g = multiply(p.g, p.a);
                p.b = multiply(p.b, p.a);
            }
            if (bpp == 1) {
                dst[0] = luminance(p.r, p.g, p.b);
            } else if (bpp == 2) {
                dst[0] = luminance(p.r, p.g, p.b);
                dst[1] = p.a;
            } else if (bpp == 3) {
                dst[0] = p.r;
                dst[1] = p.g;
                dst[2] = p.b;
            } else {
                const std::uint8_t a = carriesAlpha(alpha) ? p.a : 255;
                std::uint8_t b[4];
                if (alphaFirst(alpha)) {
                    b[0] = a, b[1] = p.r, b[2] = p.g, b[3] = p.b;
                } else {
                    b[0] = p.r, b[1] = p.g, b[2] = p.b, b[3] = a;
                }
                if (little) {
                    std::swap(b[0], b[3]);
                    std::swap(b[1], b[2]);
                }
                std::memcpy(dst, b, 4);
            }
        }
    }
    return out;
}

std::shared_ptr<Bitmap> Bitmap::cropped(const Rect& rect) const {
    const Rect r = rect.integral().intersection(Rect(0, 0, width_, height_));
    if (r.isEmpty()) {
        return nullptr;
    }
    const int x0 = static_cast<int>(r.minX());
    const int y0 = static_cast<int>(r.minY());
    const int w = static_cast<int>(r.width());
    const int h = static_cast<int>(r.height());
    auto out = std::make_shared<Bitmap>(w, h);
    out->model_ = model_;
    out->alphaInfo_ = alphaInfo_;
    for (int y = 0; y < h; ++y) {
        std::memcpy(out->row(y), row(y0 + y) + x0 * 4, static_cast<std::size_t>(w) * 4);
    }
    return out;
}

std::shared_ptr<Bitmap> Bitmap::maskingColors(const std::array<double, 6>& ranges) const {
    auto out = std::make_shared<Bitmap>(*this);
    out->alphaInfo_ = AlphaInfo::last;
    auto inside = [](std::uint8_t v, double lo, double hi) { return v >= lo && v <= hi; };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgba8 p = pixel(x, y);
            if (inside(p.r, ranges[0], ranges[1]) && inside(p.g, ranges[2], ranges[3]) &&
                inside(p.b, ranges[4], ranges[5])) {
                out->setPixel(x, y, Rgba8{p.r, p.g, p.b, 0});
            }
        }
    }
    return out;
}

std::shared_ptr<Bitmap> Bitmap::scaled(int width, int height) const {
    if (!sizeAllowed(width, height) || width_ == 0 || height_ == 0) {
        return nullptr;
    }
    auto out = std::make_shared<Bitmap>(width, height);
    out->model_ = model_;
    out->alphaInfo_ = alphaInfo_;
    const double sx = static_cast<double>(width_) / width;
    const double sy = static_cast<double>(height_) / height;
    for (int y = 0; y < height; ++y) {
        const double fy = std::clamp((y + 0.5) * sy - 0.5, 0.0, height_ - 1.0);
        const int y0 = static_cast<int>(fy);
        const int y1 = std::min(y0 + 1, height_ - 1);
        const double wy = fy - y0;
        for (int x = 0; x < width; ++x) {
            const double fx = std::clamp((x + 0.5) * sx - 0.5, 0.0, width_ - 1.0);
            const int x0 = static_cast<int>(fx);
            const int x1 = std::min(x0 + 1, width_ - 1);
            const double wx = fx - x0;
            // Interpolate premultiplied values so transparent pixels do not bleed colour.
            double acc[4] = {0, 0, 0, 0};
            const std::pair<int, int> taps[4] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
            const double weights[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
            for (int i = 0; i < 4; ++i) {
                const Rgba8 p = pixel(taps[i].first, taps[i].second);
                const double a = p.a / 255.0;
                acc[0] += p.r * a * weights[i];
                acc[1] += p.g * a * weights[i];
                acc[2] += p.b * a * weights[i];
                acc[3] += p.a * weights[i];
            }
            Rgba8 q{0, 0, 0, static_cast<std::uint8_t>(std::lround(acc[3]))};
            if (acc[3] > 0) {
                const double k = 255.0 / acc[3];
                q.r = static_cast<std::uint8_t>(std::clamp(std::lround(acc[0] * k), 0L, 255L));
                q.g = static_cast<std::uint8_t>(std::clamp(std::lround(acc[1] * k), 0L, 255L));
                q.b = static_cast<std::uint8_t>(std::clamp(std::lround(acc[2] * k), 0L, 255L));
            }
            out->setPixel(x, y, q);
        }
    }
    return out;
}

}  // namespace graphics
