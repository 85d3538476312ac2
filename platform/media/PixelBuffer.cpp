#include "platform/media/PixelBuffer.h"

#include <algorithm>

#include "platform/media/FourCharCode.h"

namespace media {

namespace {

std::uint8_t clampByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::shared_ptr<PixelBuffer> PixelBuffer::makeBiPlanar(int width, int height,
                                                       std::size_t lumaBytesPerRow) {
    if (!graphics::Bitmap::sizeAllowed(width, height) || width <= 0 || height <= 0) {
        return nullptr;
    }
    const auto w = static_cast<std::size_t>(width);
    const std::size_t lumaRow = std::max(lumaBytesPerRow, w);
    const std::size_t chromaRow = (w + 1) / 2 * 2;
    const int chromaRows = (height + 1) / 2;
    std::vector<Plane> planes(2);
    planes[0] = {width, height, lumaRow, std::vector<std::uint8_t>(lumaRow * height, 16)};
    planes[1] = {(width + 1) / 2, chromaRows, chromaRow,
                 std::vector<std::uint8_t>(chromaRow * chromaRows, 128)};
    return std::make_shared<PixelBuffer>(kPixelFormat420YpCbCr8BiPlanarVideoRange, width, height,
                                         std::move(planes), true);
}

std::shared_ptr<PixelBuffer> PixelBuffer::makeBGRA(int width, int height) {
    if (!graphics::Bitmap::sizeAllowed(width, height) || width <= 0 || height <= 0) {
        return nullptr;
    }
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<Plane> planes(1);
    planes[0] = {width, height, row, std::vector<std::uint8_t>(row * height, 0)};
    return std::make_shared<PixelBuffer>(kPixelFormat32BGRA, width, height, std::move(planes),
                                         false);
}

std::shared_ptr<PixelBuffer> PixelBuffer::fromBitmap(const graphics::Bitmap& bitmap,
                                                     std::uint32_t pixelFormat,
                                                     std::size_t rowPadding) {
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (pixelFormat == kPixelFormat32BGRA) {
        auto buffer = makeBGRA(width, height);
        if (!buffer) {
            return nullptr;
        }
        Plane& plane = buffer->planes_[0];
        plane.bytesPerRow += rowPadding;
        plane.bytes.assign(plane.bytesPerRow * height, 0);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* out = plane.bytes.data() + y * plane.bytesPerRow;
            for (int x = 0; x < width; ++x, out += 4) {
                const graphics::Rgba8 p = bitmap.pixel(x, y);
                out[0] = p.b;
                out[1] = p.g;
                out[2] = p.r;
                out[3] = p.a;
            }
        }
        return buffer;
    }
    if (pixelFormat != kPixelFormat420YpCbCr8BiPlanarVideoRange) {
        return nullptr;
    }
    auto buffer = makeBiPlanar(width, height, static_cast<std::size_t>(width) + rowPadding);
    if (!buffer) {
        return nullptr;
    }
    Plane& luma = buffer->planes_[0];
    Plane& chroma = buffer->planes_[1];
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = luma.bytes.data() + y * luma.bytesPerRow;
        for (int x = 0; x < width; ++x) {
            const graphics::Rgba8 p = bitmap.pixel(x, y);
            out[x] = clampByte(((66 * p.r + 129 * p.g + 25 * p.b + 128) >> 8) + 16);
        }
    }
    for (int cy = 0; cy < chroma.height; ++cy) {
        std::uint8_t* out = chroma.bytes.data() + cy * chroma.bytesPerRow;
        for (int cx = 0; cx < chroma.width; ++cx) {
            int r = 0;
            int g = 0;
            int b = 0;
            int n = 0;
            for (int y = cy * 2; y < std::min(cy * 2 + 2, height); ++y) {
                for (int x = cx * 2; x < std::min(cx * 2 + 2, width); ++x) {
                    const graphics::Rgba8 p = bitmap.pixel(x, y);
                    r += p.r;
                    g += p.g;
                    b += p.b;
                    ++n;
                }
            }
            r /= n;
            g /= n;
            b /= n;
            out[cx * 2] = clampByte(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
            out[cx * 2 + 1] = clampByte(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
        }
    }
    return buffer;
}

PixelBuffer::PixelBuffer(std::uint32_t pixelFormat, int width, int height,
                         std::vector<Plane> planes, bool planar)
    : pixelFormat_(pixelFormat),
      width_(width),
      height_(height),
      planes_(std::move(planes)),
      planar_(planar) {}

int PixelBuffer::planeWidth(std::size_t plane) const {
    return plane < planeCount() ? planes_[plane].width : 0;
}

int PixelBuffer::planeHeight(std::size_t plane) const {
    return plane < planeCount() ? planes_[plane].height : 0;
}

std::size_t PixelBuffer::planeBytesPerRow(std::size_t plane) const {
    return plane < planeCount() ? planes_[plane].bytesPerRow : 0;
}

const std::uint8_t* PixelBuffer::planeBaseAddress(std::size_t plane) const {
    return plane < planeCount() && !planes_[plane].bytes.empty() ? planes_[plane].bytes.data()
                                                                 : nullptr;
}

std::uint8_t* PixelBuffer::planeBaseAddress(std::size_t plane) {
    return plane < planeCount() && !planes_[plane].bytes.empty() ? planes_[plane].bytes.data()
                                                                 : nullptr;
}

std::size_t PixelBuffer::bytesPerRow() const {
    return planes_.empty() ? 0 : planes_[0].bytesPerRow;
}

const std::uint8_t* PixelBuffer::baseAddress() const {
    return planar_ || planes_.empty() || planes_[0].bytes.empty() ? nullptr
                                                                  : planes_[0].bytes.data();
}

bool PixelBuffer::lockBaseAddress(bool) {
    if (refusesLock_.load()) {
        return false;
    }
    locks_.fetch_add(1);
    return true;
}

void PixelBuffer::unlockBaseAddress() {
    if (locks_.load() > 0) {
        locks_.fetch_sub(1);
    }
}

}  // namespace media
