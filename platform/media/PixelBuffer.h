#pragma once

// A camera frame in memory: one plane of packed pixels ('BGRA') or the luma
// and chroma planes of a bi-planar 4:2:0 frame ('420v'), with rows that may be
// longer than the pixels they hold. Readers lock the base address around use;
// a buffer can be told to refuse the lock, as a busy camera buffer may.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace media {

class PixelBuffer {
  public:
    struct Plane {
        int width = 0;
        int height = 0;
        std::size_t bytesPerRow = 0;
        std::vector<std::uint8_t> bytes;
    };

    // A '420v' frame, black: luma rows of `lumaBytesPerRow` bytes (at least
    // the width; 0 means the width), chroma rows of the width rounded up to
    // even. nullptr for an empty or oversized size.
    static std::shared_ptr<PixelBuffer> makeBiPlanar(int width, int height,
                                                     std::size_t lumaBytesPerRow = 0);
    // A 'BGRA' frame, transparent black; nullptr for an empty or oversized size.
    static std::shared_ptr<PixelBuffer> makeBGRA(int width, int height);
    // The picture converted to `pixelFormat` ('420v' with video-range BT.601
    // luma and chroma averaged over each 2-by-2 block, or 'BGRA'), with
    // `rowPadding` extra bytes at the end of each luma or BGRA row. nullptr for
    // other formats.
    static std::shared_ptr<PixelBuffer> fromBitmap(const graphics::Bitmap& bitmap,
                                                   std::uint32_t pixelFormat,
                                                   std::size_t rowPadding = 0);

    PixelBuffer(std::uint32_t pixelFormat, int width, int height, std::vector<Plane> planes,
                bool planar);

    std::uint32_t pixelFormatType() const { return pixelFormat_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool isPlanar() const { return planar_; }

    // Planar buffers: the number of planes and each plane's geometry and
    // memory (nullptr past the last plane). Packed buffers have no planes.
    std::size_t planeCount() const { return planar_ ? planes_.size() : 0; }
    int planeWidth(std::size_t plane) const;
    int planeHeight(std::size_t plane) const;
    std::size_t planeBytesPerRow(std::size_t plane) const;
    const std::uint8_t* planeBaseAddress(std::size_t plane) const;
    std::uint8_t* planeBaseAddress(std::size_t plane);

    // Packed buffers: row length and memory of the one plane.
    std::size_t bytesPerRow() const;
    const std::uint8_t* baseAddress() const;

    // True when locked; false (and not locked) while the buffer refuses.
    bool lockBaseAddress(bool readOnly = true);
    void unlockBaseAddress();
    int lockCount() const { return locks_.load(); }
    void setRefusesLock(bool refuses) { refusesLock_.store(refuses); }

  private:
    std::uint32_t pixelFormat_;
    int width_;
    int height_;
    std::vector<Plane> planes_;
    bool planar_;
    std::atomic<int> locks_{0};
    std::atomic<bool> refusesLock_{false};
};

}  // namespace media
