#pragma once

// A decoded raster: 8-bit straight (not premultiplied) RGBA pixels, rows top to
// bottom, with the colour model and alpha layout of the data it came from. It
// stands in for the platform's immutable bitmap image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"

namespace graphics {

// Alpha layouts as the platform numbers them (the low five bits of a bitmap
// info word).
enum class AlphaInfo {
    none = 0,
    premultipliedLast = 1,
    premultipliedFirst = 2,
    last = 3,
    first = 4,
    noneSkipLast = 5,
    noneSkipFirst = 6,
    only = 7,
};

// Bitmap info words combine an AlphaInfo with one of these byte orders.
constexpr std::uint32_t kBitmapAlphaInfoMask = 0x1F;
constexpr std::uint32_t kBitmapByteOrderMask = 0x7000;
constexpr std::uint32_t kBitmapByteOrderDefault = 0;
constexpr std::uint32_t kBitmapByteOrder32Little = 0x2000;
constexpr std::uint32_t kBitmapByteOrder32Big = 0x4000;

class Bitmap {
  public:
    // Largest side and pixel count a bitmap may have; decoders refuse data that
    // claims more, so hostile headers never cause huge allocations.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = 40'000'000;

    static bool sizeAllowed(std::int64_t width, std::int64_t height);

    // A bitmap filled with `fill`, or nullptr when the size is empty or too large.
    static std::shared_ptr<Bitmap> make(int width, int height, Rgba8 fill = {});

    // Copies pixels laid out as the platform describes them: grey (1 byte per
    // pixel, or 2 with AlphaInfo last/premultipliedLast) or RGB with 4 bytes per
    // pixel in the order the bitmap info gives. nullptr for layouts not covered.
    static std::shared_ptr<Bitmap> fromPixels(int width, int height, std::size_t bytesPerRow,
                                              ColorSpaceModel model, std::uint32_t bitmapInfo,
                                              const std::uint8_t* data);

    Bitmap(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerComponent() const { return 8; }
    std::size_t bytesPerRow() const { return static_cast<std::size_t>(width_) * 4; }

    // Where the pixels came from: grey or RGB, with or without alpha.
    ColorSpaceModel colorSpaceModel() const { return model_; }
    AlphaInfo alphaInfo() const { return alphaInfo_; }
    void setColorSpaceModel(ColorSpaceModel model) { model_ = model; }
    void setAlphaInfo(AlphaInfo info) { alphaInfo_ = info; }

    Rgba8 pixel(int x, int y) const;
    void setPixel(int x, int y, Rgba8 value);
    const std::uint8_t* data() const { return pixels_.data(); }
    std::uint8_t* data() { return pixels_.data(); }
    const std::uint8_t* row(int y) const { return pixels_.data() + y * bytesPerRow(); }
    std::uint8_t* row(int y) { return pixels_.data() + y * bytesPerRow(); }

    // The pixels in another layout (see fromPixels), rows packed.
    std::vector<std::uint8_t> copyPixels(ColorSpaceModel model, std::uint32_t bitmapInfo) const;

    // The part inside `rect` (pixels, origin top-left; made integral and clipped
    // to the bitmap), or nullptr when nothing is left.
    std::shared_ptr<Bitmap> cropped(const Rect& rect) const;
    // A copy in which every pixel whose red, green and blue lie in the ranges
    // {rmin, rmax, gmin, gmax, bmin, bmax} (0-255) is fully transparent.
    std::shared_ptr<Bitmap> maskingColors(const std::array<double, 6>& ranges) const;
    // A copy resampled to the given size (bilinear), or nullptr for a bad size.
    std::shared_ptr<Bitmap> scaled(int width, int height) const;

  private:
    int width_;
    int height_;
    ColorSpaceModel model_ = ColorSpaceModel::rgb;
    AlphaInfo alphaInfo_ = AlphaInfo::last;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace graphics
