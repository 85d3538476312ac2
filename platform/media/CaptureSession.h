#pragma once

// Runs camera inputs into outputs: while running, a feeder thread takes the
// frames of the first input's frame source at the source's rate and hands
// each to every video data output (which drops the late ones); the last
// frame taken is kept for the preview. Start, stop,
// runtime errors and interruptions are posted on the default notification
// center with the session as object, on the thread that caused them.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/graphics/Bitmap.h"
#include "platform/media/CaptureDeviceInput.h"
#include "platform/media/CaptureOutput.h"

namespace media {

class CaptureSession : public std::enable_shared_from_this<CaptureSession> {
  public:
    static constexpr const char* kRuntimeErrorNotification =
        "AVCaptureSessionRuntimeErrorNotification";
    static constexpr const char* kDidStartRunningNotification =
        "AVCaptureSessionDidStartRunningNotification";
    static constexpr const char* kDidStopRunningNotification =
        "AVCaptureSessionDidStopRunningNotification";
    static constexpr const char* kWasInterruptedNotification =
        "AVCaptureSessionWasInterruptedNotification";
    static constexpr const char* kInterruptionEndedNotification =
        "AVCaptureSessionInterruptionEndedNotification";
    // userInfo key of a runtime error: {"domain", "code", "localizedDescription"}.
    static constexpr const char* kErrorKey = "AVCaptureSessionErrorKey";

    static constexpr const char* kPresetHigh = "AVCaptureSessionPresetHigh";
    static constexpr const char* kPresetMedium = "AVCaptureSessionPresetMedium";
    static constexpr const char* kPresetLow = "AVCaptureSessionPresetLow";
    static constexpr const char* kPreset640x480 = "AVCaptureSessionPreset640x480";
    static constexpr const char* kPresetiFrame1280x720 = "AVCaptureSessionPresetiFrame1280x720";
    static constexpr const char* kPresetiFrame960x540 = "AVCaptureSessionPresetiFrame960x540";

    static std::shared_ptr<CaptureSession> make();
    ~CaptureSession();
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    bool canSetSessionPreset(const std::string& preset) const;
    std::string sessionPreset() const;
    // Ignored for presets the session does not know.
    void setSessionPreset(const std::string& preset);

    void beginConfiguration();
    void commitConfiguration();

    bool canAddInput(const std::shared_ptr<CaptureDeviceInput>& input) const;
    void addInput(std::shared_ptr<CaptureDeviceInput> input);
    void removeInput(const std::shared_ptr<CaptureDeviceInput>& input);
    std::vector<std::shared_ptr<CaptureDeviceInput>> inputs() const;

    bool canAddOutput(const std::shared_ptr<CaptureOutput>& output) const;
    void addOutput(std::shared_ptr<CaptureOutput> output);
    void removeOutput(const std::shared_ptr<CaptureOutput>& output);
    std::vector<std::shared_ptr<CaptureOutput>> outputs() const;

    // Starting a running session or stopping a stopped one does nothing.
    void startRunning();
    void stopRunning();
    bool isRunning() const;
    // The picture of the last frame the camera took; nullptr before the first.
    std::shared_ptr<const graphics::Bitmap> previewFrame() const;

    // What the camera does on its own: a runtime error stops the session and
    // posts the error; an interruption pauses the frames until it ends.
    void failWithRuntimeError(const foundation::Error& error);
    void interrupt();
    void endInterruption();
    bool isInterrupted() const;

  private:
    CaptureSession() = default;
    void feed();
    void stopFeeder();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::string preset_ = kPresetHigh;
    std::vector<std::shared_ptr<CaptureDeviceInput>> inputs_;
    std::vector<std::shared_ptr<CaptureOutput>> outputs_;
    std::shared_ptr<const graphics::Bitmap> previewFrame_;
    bool running_ = false;
    bool interrupted_ = false;
    bool stopFeeding_ = false;
    bool feeding_ = false;         // a feeder was started and has not ended
    std::thread::id feeder_;       // the thread the feeder runs on
    std::condition_variable fed_;  // told when a feeder ends
};

}  // namespace media
