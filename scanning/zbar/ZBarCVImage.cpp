#include "scanning/zbar/ZBarCVImage.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "platform/foundation/BlockOperation.h"
#include "platform/media/FourCharCode.h"

namespace {

std::uint8_t component(int value) {
    return static_cast<std::uint8_t>(std::clamp(value / 4096, 0, 255));
}

}  // namespace

ZBarCVImage::~ZBarCVImage() {
    setData(nullptr, 0);
}

void ZBarCVImage::setPixelBuffer(std::shared_ptr<media::PixelBuffer> pixelBuffer) {
    std::lock_guard lock(mutex_);
    pixelBuffer_ = std::move(pixelBuffer);
}

std::shared_ptr<media::PixelBuffer> ZBarCVImage::pixelBuffer() const {
    std::lock_guard lock(mutex_);
    return pixelBuffer_;
}

const std::uint8_t* ZBarCVImage::rgbBuffer() const {
    std::lock_guard lock(mutex_);
    return rgb_.get();
}

int ZBarCVImage::rgbWidth() const {
    std::lock_guard lock(mutex_);
    return rgbWidth_;
}

int ZBarCVImage::rgbHeight() const {
    std::lock_guard lock(mutex_);
    return rgbHeight_;
}

foundation::OperationQueue& ZBarCVImage::conversionQueue() {
    static auto* queue = [] {
        auto* q = new foundation::OperationQueue("ZBarCVImage conversion");
        q->setMaxConcurrentOperationCount(1);
        return q;
    }();
    return *queue;
}

void ZBarCVImage::waitUntilConverted() {
    std::shared_ptr<foundation::Operation> pending;
    {
        std::lock_guard lock(mutex_);
        pending = conversion_;
    }
    if (pending) {
        pending->waitUntilFinished();
    }
}

void ZBarCVImage::convertCVtoRGB() {
    auto buffer = format() == fourcc("CV2P") ? pixelBuffer() : nullptr;
    if (buffer && buffer->lockBaseAddress(true)) {
        const int width = buffer->width();
        const int height = buffer->height();
        const std::size_t lumaRow = buffer->planeBytesPerRow(0);
        const std::size_t chromaRow = buffer->planeBytesPerRow(1);
        const std::uint8_t* luma = buffer->planeBaseAddress(0);
        const std::uint8_t* chroma = buffer->planeBaseAddress(1);
        const auto w = static_cast<std::size_t>(std::max(width, 0));
        const bool fits =
            buffer->pixelFormatType() == media::kPixelFormat420YpCbCr8BiPlanarVideoRange &&
            width > 0 && height > 0 && lumaRow >= w && chromaRow >= w && luma != nullptr &&
            chroma != nullptr && buffer->planeHeight(0) >= height &&
            buffer->planeHeight(1) >= (height + 1) / 2;
        if (fits) {
            std::unique_ptr<std::uint8_t[]> rgb(new (std::nothrow)
                                                    std::uint8_t[3 * w * (height + 1)]);
            if (rgb) {
                std::uint8_t* out = rgb.get();
                for (int y = 0; y < height; ++y) {
                    const std::uint8_t* yRow = luma + y * lumaRow;
                    const std::uint8_t* cRow = chroma + (y / 2) * chromaRow;
                    for (int x = 0; x < width; ++x) {
                        const int Y = yRow[x];
                        const int cb = cRow[(x / 2) * 2] - 128;
                        const int cr = cRow[(x / 2) * 2 + 1] - 128;
                        const int base = 4769 * Y - 74256;
                        *out++ = component(base + 6537 * cr);
                        *out++ = component(base - 1604 * cb - 3329 * cr);
                        *out++ = component(base + 8263 * cb);
                    }
                }
                setData(rgb.get(), w * height * 3);
                std::lock_guard lock(mutex_);
                rgb_ = std::move(rgb);
                rgbWidth_ = width;
                rgbHeight_ = height;
            }
        }
        buffer->unlockBaseAddress();
    }
    setPixelBuffer(nullptr);
    std::lock_guard lock(mutex_);
    conversion_.reset();
}

std::shared_ptr<graphics::Image> ZBarCVImage::UIImageWithOrientation(
    graphics::ImageOrientation orientation) {
    bool start = false;
    {
        std::lock_guard lock(mutex_);
        start = !conversion_ && !rgb_;
    }
    if (start) {
        static std::atomic<bool> queueMade{false};
        if (queueMade.exchange(true)) {
            conversionQueue().waitUntilAllOperationsAreFinished();
        }
        auto self = std::static_pointer_cast<ZBarCVImage>(shared_from_this());
        auto operation = foundation::BlockOperation::make([self] { self->convertCVtoRGB(); });
        {
            std::lock_guard lock(mutex_);
            conversion_ = operation;
        }
        conversionQueue().addOperation(operation);
    }
    waitUntilConverted();

    std::shared_ptr<graphics::Bitmap> bitmap;
    {
        std::lock_guard lock(mutex_);
        if (rgb_) {
            bitmap = graphics::Bitmap::fromPixels(rgbWidth_, rgbHeight_,
                                                  static_cast<std::size_t>(rgbWidth_) * 3,
                                                  graphics::ColorSpaceModel::rgb, 0, rgb_.get());
        }
    }
    if (!bitmap) {
        const graphics::Size frame = size();
        bitmap = graphics::Bitmap::make(static_cast<int>(frame.width),
                                        static_cast<int>(frame.height), {0, 0, 0, 255});
    }
    return graphics::Image::make(bitmap, 1.0, orientation);
}
