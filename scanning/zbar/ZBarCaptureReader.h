#pragma once

// Scans camera frames: the sample-buffer delegate of a video data output whose
// frames arrive on the serial queue "ZBarCaptureReader". It scans each frame's
// luma plane in place, lets one result at a time travel to the main thread
// (frames arriving meanwhile are dropped before any work), measures the frame
// rate and reports to its capture delegate on the main thread. "size" and
// "framesPerSecond" are observable; both change on the main thread.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Observable.h"
#include "platform/graphics/Geometry.h"
#include "platform/media/CaptureVideoDataOutput.h"
#include "platform/media/SampleBufferDelegate.h"
#include "scanning/zbar/ZBarCVImage.h"
#include "scanning/zbar/ZBarCaptureDelegate.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarImageScanner.h"

class ZBarCaptureReader : public media::SampleBufferDelegate,
                          public foundation::Observable,
                          public std::enable_shared_from_this<ZBarCaptureReader> {
  public:
    // Bits of the state word.
    static constexpr std::uint32_t kEnabled = 1;  // reading is on
    static constexpr std::uint32_t kPending = 2;  // a result is on its way to the main thread
    static constexpr std::uint32_t kCapture = 4;  // deliver the next frame even without symbols

    // init: a new scanner with x- and y-density 3 for all symbologies.
    static std::shared_ptr<ZBarCaptureReader> make();
    // initWithImageScanner:
    static std::shared_ptr<ZBarCaptureReader> make(std::shared_ptr<ZBarImageScanner> scanner);
    ~ZBarCaptureReader() override;

    const std::shared_ptr<media::CaptureVideoDataOutput>& captureOutput() const {
        return captureOutput_;
    }
    std::shared_ptr<ZBarCaptureDelegate> captureDelegate() const;
    // Stored under the scanner's lock; held weakly.
    void setCaptureDelegate(std::weak_ptr<ZBarCaptureDelegate> delegate);
    const std::shared_ptr<ZBarImageScanner>& scanner() const { return scanner_; }

    // The part of each frame to scan, normalised; (0, 0, 1, 1) at first.
    graphics::Rect scanCrop() const;
    void setScanCrop(graphics::Rect crop);
    // Luma row length and rows of the frames (main thread).
    graphics::Size size() const { return size_; }
    double framesPerSecond() const { return framesPerSecond_; }
    // What the scanner's cache is set to when reading is enabled or the
    // cache is flushed; true at first.
    bool enableCache() const { return enableCache_.load(); }
    void setEnableCache(bool enable) { enableCache_.store(enable); }

    bool enableReader() const;
    void setEnableReader(bool enable);
    void willStartRunning() { setEnableReader(true); }
    void willStopRunning() { setEnableReader(false); }
    void flushCache();
    // The next scanned frame is delivered even when it has no symbol.
    void captureFrame();

    // The state word and the frame counter, as the capture queue sees them.
    std::uint32_t state() const { return state_.load(); }
    int frameCount() const;
    // The averaged frame interval in seconds.
    double frameInterval() const;

    void captureOutputDidOutputSampleBuffer(media::CaptureOutput& output,
                                            const media::SampleBuffer& sampleBuffer) override;

    foundation::Value valueForKey(std::string_view key) const override;

  private:
    explicit ZBarCaptureReader(std::shared_ptr<ZBarImageScanner> scanner);
    void initResult();
    void cropUpdate();
    void setSize(graphics::Size size);
    void setFramesPerSecond(double fps);
    void didReadNewSymbolsFromImage(const std::shared_ptr<ZBarImage>& image);
    void didTrackSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols);

    std::shared_ptr<media::CaptureVideoDataOutput> captureOutput_;
    std::weak_ptr<ZBarCaptureDelegate> captureDelegate_;
    std::shared_ptr<ZBarImageScanner> scanner_;
    graphics::Rect scanCrop_{0, 0, 1, 1};
    graphics::Size size_;
    double framesPerSecond_ = 0;
    std::atomic<bool> enableCache_{true};
    std::shared_ptr<foundation::DispatchQueue> queue_;
    std::shared_ptr<ZBarImage> image_;
    std::shared_ptr<ZBarCVImage> result_;
    std::atomic<std::uint32_t> state_{0};
    // Touched on the capture queue, and under the scanner's lock where the
    // main thread reads them.
    int framecnt_ = 0;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    double tFrame_ = 0;
    double tFps_ = 0;
    double tScan_ = 0;
    double dtFrame_ = 0;
};
