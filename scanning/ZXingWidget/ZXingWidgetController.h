#pragma once

// A full-screen camera scanner: the camera picture under a viewfinder,
// frames decoded one at a time on the capture queue until one holds a code;
// then a sound, the code's place marked, its text parsed into a result and
// handed to the delegate. Decoding starts again when the screen shows again.
// Without a camera it shows no picture and decodes nothing.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/media/CaptureSession.h"
#include "platform/media/CaptureVideoPreviewLayer.h"
#include "platform/media/SampleBufferDelegate.h"
#include "platform/media/SystemSound.h"
#include "platform/ui/ViewController.h"
#include "results/ParsedResult.h"
#include "scanning/ZXingWidget/CancelDelegate.h"
#include "scanning/ZXingWidget/DecoderDelegate.h"
#include "scanning/ZXingWidget/FormatReader.h"
#include "scanning/ZXingWidget/OverlayView.h"
#include "scanning/ZXingWidget/ZXingDelegate.h"

class ZXingWidgetController : public ui::ViewController,
                              public DecoderDelegate,
                              public CancelDelegate,
                              public media::SampleBufferDelegate {
  public:
    using Ptr = std::shared_ptr<ZXingWidgetController>;

    // initWithDelegate:showCancel:OneDMode:showLicense:
    static Ptr make(std::weak_ptr<ZXingDelegate> delegate, bool showCancel, bool oneDMode,
                    bool showLicense = true);

    ZXingWidgetController(std::weak_ptr<ZXingDelegate> delegate, bool showCancel, bool oneDMode,
                          bool showLicense);
    ~ZXingWidgetController() override;

    std::string className() const override { return "ZXingWidgetController"; }

    std::shared_ptr<ZXingDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<ZXingDelegate> delegate) { delegate_ = std::move(delegate); }
    const std::vector<std::shared_ptr<FormatReader>>& readers() const { return readers_; }
    void setReaders(std::vector<std::shared_ptr<FormatReader>> readers) {
        readers_ = std::move(readers);
    }
    const std::shared_ptr<ParsedResult>& result() const { return result_; }
    const std::shared_ptr<OverlayView>& overlayView() const { return overlayView_; }
    const std::optional<foundation::URL>& soundToPlay() const { return soundToPlay_; }
    void setSoundToPlay(std::optional<foundation::URL> url) { soundToPlay_ = std::move(url); }
    media::SystemSoundID beepSound() const { return beepSound_; }
    const std::shared_ptr<media::CaptureSession>& captureSession() const { return captureSession_; }
    const std::shared_ptr<media::CaptureVideoPreviewLayer>& prevLayer() const { return prevLayer_; }
    bool decoding() const { return decoding_.load(); }
    bool wasCancelled() const { return wasCancelled_; }
    bool showCancel() const { return showCancel_; }
    bool oneDMode() const { return oneDMode_; }
    bool showLicense() const { return showLicense_; }
    bool isStatusBarHidden() const { return isStatusBarHidden_; }
    void setIsStatusBarHidden(bool hidden) { isStatusBarHidden_ = hidden; }
    bool overlayAdded() const { return overlayAdded_; }

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void initCapture();
    void resumeCapture();
    void pauseCapture();
    void stopCapture();

    // A camera frame, on the capture queue.
    void captureOutputDidOutputSampleBuffer(media::CaptureOutput& output,
                                            const media::SampleBuffer& sampleBuffer) override;

    void decoderDidDecodeImage(Decoder& decoder, const graphics::Image::Ptr& image,
                               const graphics::Image::Ptr& subset,
                               const TwoDDecoderResult& result) override;
    void decoderFailedToDecodeImage(Decoder& decoder, const graphics::Image::Ptr& image,
                                    const graphics::Image::Ptr& subset,
                                    const std::string& reason) override;
    void decoderFoundPossibleResultPoint(Decoder& decoder, graphics::Point point) override;

    // Parses the text (with the kind of code it came from) and plays the sound.
    void presentResultForString(const std::string& text, int format);
    void presentResultPoints(const std::vector<graphics::Point>& points,
                             const graphics::Image::Ptr& image, const graphics::Image::Ptr& subset);
    void notifyDelegate(const std::string& text);
    void cancelled() override;

    void setTorch(bool on);
    bool torchIsOn() const;

    // The machine's hardware name.
    static std::string getPlatform();
    // Whether the camera of that hardware cannot focus.
    static bool fixedFocus(const std::string& platform = getPlatform());
    static graphics::Image::Ptr CGImageRotated90(const graphics::Image::Ptr& image);
    static graphics::Image::Ptr CGImageRotated180(const graphics::Image::Ptr& image);

  private:
    Ptr self();
    void disposeSound();

    std::weak_ptr<ZXingDelegate> delegate_;
    std::vector<std::shared_ptr<FormatReader>> readers_;
    std::shared_ptr<ParsedResult> result_;
    std::shared_ptr<OverlayView> overlayView_;
    std::optional<foundation::URL> soundToPlay_;
    media::SystemSoundID beepSound_ = media::SystemSound::kNone;
    std::shared_ptr<media::CaptureSession> captureSession_;
    std::shared_ptr<media::CaptureVideoPreviewLayer> prevLayer_;
    std::shared_ptr<foundation::DispatchQueue> queue_;
    std::atomic<bool> decoding_{false};
    bool wasCancelled_ = false;
    bool showCancel_;
    bool oneDMode_;
    bool showLicense_;
    bool isStatusBarHidden_ = false;
    bool overlayAdded_ = false;
};
