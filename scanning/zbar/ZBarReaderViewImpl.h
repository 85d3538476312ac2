#pragma once

// The reader view with the platform's capture objects: the capture session,
// the camera and its input. It runs the session while started, keeps the
// camera locked for configuration (focus and torch) while the session runs,
// retrying a refused lock every 0.5 s, and reports the session's start, stop
// and runtime errors to the delegate.

#include <memory>

#include "platform/foundation/Notification.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureDeviceInput.h"
#include "platform/media/CaptureSession.h"
#include "scanning/zbar/ZBarReaderView.h"

class ZBarReaderViewImpl : public ZBarReaderView {
  public:
    ~ZBarReaderViewImpl() override;

    const std::shared_ptr<media::CaptureSession>& session() const { return session_; }
    const std::shared_ptr<media::CaptureDevice>& device() const { return device_; }
    const std::shared_ptr<media::CaptureDeviceInput>& input() const { return input_; }
    // Takes the camera: a new input for it replaces the old one in one
    // session configuration (no input without a device or when it fails).
    void setDevice(std::shared_ptr<media::CaptureDevice> device);

    void start() override;
    void stop() override;
    void setTorchMode(media::TorchMode mode) override;
    void setShowsFPS(bool shows) override;
    void flushCache() override;

  protected:
    friend class ZBarReaderView;
    static std::shared_ptr<ZBarReaderViewImpl> create();
    ZBarReaderViewImpl() = default;

    void initialize(std::shared_ptr<ZBarImageScanner> scanner) override;
    void initSubviews() override;
    void updateCrop() override;

  private:
    void onVideoStart(const foundation::Notification& note);
    void onVideoStop(const foundation::Notification& note);
    void onVideoError(const foundation::Notification& note);
    void lockDevice();
    void configureDevice();

    std::shared_ptr<media::CaptureSession> session_;
    std::shared_ptr<media::CaptureDevice> device_;
    std::shared_ptr<media::CaptureDeviceInput> input_;
};
