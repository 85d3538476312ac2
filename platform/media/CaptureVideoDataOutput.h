#pragma once

// Hands each camera frame to its sample-buffer delegate on the delegate's
// queue. With late frames discarded (the default) a frame that arrives while
// the delegate still works on the previous one is dropped, never queued.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/foundation/DispatchQueue.h"
#include "platform/media/CaptureOutput.h"
#include "platform/media/SampleBuffer.h"
#include "platform/media/SampleBufferDelegate.h"

namespace media {

class CaptureVideoDataOutput : public CaptureOutput,
                               public std::enable_shared_from_this<CaptureVideoDataOutput> {
  public:
    static std::shared_ptr<CaptureVideoDataOutput> make();

    bool alwaysDiscardsLateVideoFrames() const { return discardsLate_.load(); }
    void setAlwaysDiscardsLateVideoFrames(bool discards) { discardsLate_.store(discards); }

    // videoSettings' pixel format; none means the camera's own ('420v').
    std::optional<std::uint32_t> pixelFormatType() const;
    void setPixelFormatType(std::optional<std::uint32_t> format);
    // The format frames are delivered in.
    std::uint32_t deliveredPixelFormat() const;

    // setSampleBufferDelegate:queue: ; a null delegate detaches. The delegate
    // is held weakly; frames handed over before a change still reach the
    // delegate they were handed to.
    void setSampleBufferDelegate(std::weak_ptr<SampleBufferDelegate> delegate,
                                 std::shared_ptr<foundation::DispatchQueue> queue);
    std::shared_ptr<SampleBufferDelegate> sampleBufferDelegate() const;
    std::shared_ptr<foundation::DispatchQueue> sampleBufferCallbackQueue() const;

    // A frame from the session (or a test). True when it went to the
    // delegate's queue; false when dropped (no delegate, or late).
    bool deliver(SampleBuffer sampleBuffer);

    std::size_t deliveredCount() const { return delivered_.load(); }
    std::size_t droppedCount() const { return dropped_.load(); }
    // Frames handed to the queue and not finished by the delegate yet.
    int framesInFlight() const { return inFlight_.load(); }

  private:
    CaptureVideoDataOutput() = default;

    mutable std::mutex mutex_;
    std::weak_ptr<SampleBufferDelegate> delegate_;
    std::shared_ptr<foundation::DispatchQueue> queue_;
    std::optional<std::uint32_t> pixelFormat_;
    std::atomic<bool> discardsLate_{true};
    std::atomic<int> inFlight_{0};
    std::atomic<std::size_t> delivered_{0};
    std::atomic<std::size_t> dropped_{0};
};

}  // namespace media
