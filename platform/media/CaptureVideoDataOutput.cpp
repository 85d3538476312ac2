#include "platform/media/CaptureVideoDataOutput.h"

#include "platform/media/FourCharCode.h"

namespace media {

std::shared_ptr<CaptureVideoDataOutput> CaptureVideoDataOutput::make() {
    return std::shared_ptr<CaptureVideoDataOutput>(new CaptureVideoDataOutput());
}

std::optional<std::uint32_t> CaptureVideoDataOutput::pixelFormatType() const {
    std::lock_guard lock(mutex_);
    return pixelFormat_;
}

void CaptureVideoDataOutput::setPixelFormatType(std::optional<std::uint32_t> format) {
    std::lock_guard lock(mutex_);
    pixelFormat_ = format;
}

std::uint32_t CaptureVideoDataOutput::deliveredPixelFormat() const {
    return pixelFormatType().value_or(kPixelFormat420YpCbCr8BiPlanarVideoRange);
}

void CaptureVideoDataOutput::setSampleBufferDelegate(
    std::weak_ptr<SampleBufferDelegate> delegate,
    std::shared_ptr<foundation::DispatchQueue> queue) {
    std::lock_guard lock(mutex_);
    delegate_ = std::move(delegate);
    queue_ = std::move(queue);
}

std::shared_ptr<SampleBufferDelegate> CaptureVideoDataOutput::sampleBufferDelegate() const {
    std::lock_guard lock(mutex_);
    return delegate_.lock();
}

std::shared_ptr<foundation::DispatchQueue> CaptureVideoDataOutput::sampleBufferCallbackQueue()
    const {
    std::lock_guard lock(mutex_);
    return queue_;
}

bool CaptureVideoDataOutput::deliver(SampleBuffer sampleBuffer) {
    std::weak_ptr<SampleBufferDelegate> delegate;
    std::shared_ptr<foundation::DispatchQueue> queue;
    {
        std::lock_guard lock(mutex_);
        delegate = delegate_;
        queue = queue_;
    }
    if (!queue || delegate.expired()) {
        dropped_.fetch_add(1);
        return false;
    }
    if (discardsLate_.load()) {
        int idle = 0;
        if (!inFlight_.compare_exchange_strong(idle, 1)) {
            dropped_.fetch_add(1);
            return false;
        }
    } else {
        inFlight_.fetch_add(1);
    }
    delivered_.fetch_add(1);
    // The output is kept alive by the block so that a frame in flight can
    // always be counted off.
    auto self = shared_from_this();
    queue->async([self, delegate, sample = std::move(sampleBuffer)] {
        if (auto target = delegate.lock()) {
            target->captureOutputDidOutputSampleBuffer(*self, sample);
        }
        self->inFlight_.fetch_sub(1);
    });
    return true;
}

}  // namespace media
