#pragma once

// The image of a camera frame that produced a result: it keeps the frame's
// pixel buffer and converts it to RGB, once, on a shared conversion queue of
// width 1, when its picture is first asked for.

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/foundation/Operation.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/media/PixelBuffer.h"
#include "scanning/zbar/ZBarImage.h"

class ZBarCVImage : public ZBarImage {
  public:
    ZBarCVImage() = default;
    ~ZBarCVImage() override;

    void setPixelBuffer(std::shared_ptr<media::PixelBuffer> pixelBuffer);
    std::shared_ptr<media::PixelBuffer> pixelBuffer() const;
    // The converted pixels, R G B a pixel, rows of 3 times rgbWidth() bytes;
    // nullptr before the conversion or when it could not run.
    const std::uint8_t* rgbBuffer() const;
    int rgbWidth() const;
    int rgbHeight() const;

    // Waits for the pending conversion, if any.
    void waitUntilConverted();
    // Converts a "CV2P" image's '420v' buffer to RGB (12-bit fixed point)
    // and drops the buffer.
    void convertCVtoRGB();

    // The frame as a picture with `orientation`: starts the conversion when
    // none ran yet and answers once its pixels are there. The picture is as
    // wide as the frame's pixels, even when the luma rows are longer; without
    // converted pixels it is black.
    std::shared_ptr<graphics::Image> UIImageWithOrientation(
        graphics::ImageOrientation orientation) override;

    // The process-wide conversion queue, made on first use.
    static foundation::OperationQueue& conversionQueue();

  private:
    mutable std::mutex mutex_;
    std::shared_ptr<media::PixelBuffer> pixelBuffer_;
    std::unique_ptr<std::uint8_t[]> rgb_;
    int rgbWidth_ = 0;
    int rgbHeight_ = 0;
    std::shared_ptr<foundation::Operation> conversion_;
};
