#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureDeviceInput.h"
#include "platform/media/CaptureSession.h"
#include "platform/media/CaptureVideoDataOutput.h"
#include "platform/media/FourCharCode.h"
#include "platform/media/FrameSource.h"

namespace {

using namespace media;

// Counts frames; can hold the queue inside a frame until released.
class RecordingDelegate : public SampleBufferDelegate {
  public:
    void captureOutputDidOutputSampleBuffer(CaptureOutput&, const SampleBuffer& sample) override {
        std::unique_lock lock(mutex);
        labels.push_back(foundation::DispatchQueue::currentLabel());
        formats.push_back(sample.imageBuffer ? sample.imageBuffer->pixelFormatType() : 0);
        ++frames;
        changed.notify_all();
        changed.wait(lock, [this] { return !holding; });
    }
    void release() {
        std::lock_guard lock(mutex);
        holding = false;
        changed.notify_all();
    }
    int count() {
        std::lock_guard lock(mutex);
        return frames;
    }
    bool waitForFrames(int n) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return frames >= n; });
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool holding = false;
    int frames = 0;
    std::vector<std::string> labels;
    std::vector<std::uint32_t> formats;
};

SampleBuffer frame() {
    SampleBuffer sample;
    sample.imageBuffer = PixelBuffer::makeBiPlanar(8, 8);
    return sample;
}

TEST(CaptureVideoDataOutputTest, LateFramesAreDroppedNotQueued) {
    auto output = CaptureVideoDataOutput::make();
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->holding = true;
    output->setSampleBufferDelegate(delegate,
                                    foundation::DispatchQueue::makeSerial("ZBarCaptureReader"));

    ASSERT_TRUE(output->deliver(frame()));
    ASSERT_TRUE(delegate->waitForFrames(1));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(output->deliver(frame()));
    }
    delegate->release();
    while (output->framesInFlight() > 0) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(output->deliver(frame()));
    ASSERT_TRUE(delegate->waitForFrames(2));
    EXPECT_EQ(output->deliveredCount(), 2u);
    EXPECT_EQ(output->droppedCount(), 4u);
    EXPECT_EQ(delegate->labels.front(), "ZBarCaptureReader");
}

TEST(CaptureVideoDataOutputTest, KeepingLateFramesQueuesEveryOne) {
    auto output = CaptureVideoDataOutput::make();
    output->setAlwaysDiscardsLateVideoFrames(false);
    auto delegate = std::make_shared<RecordingDelegate>();
    output->setSampleBufferDelegate(delegate, foundation::DispatchQueue::makeSerial("frames"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(output->deliver(frame()));
    }
    EXPECT_TRUE(delegate->waitForFrames(5));

    // Without a delegate nothing goes anywhere.
    output->setSampleBufferDelegate({}, foundation::DispatchQueue::makeSerial("frames"));
    EXPECT_FALSE(output->deliver(frame()));
}

TEST(CaptureDeviceTest, LockRefusalsThenConfiguration) {
    CaptureDevice device("cam", CaptureDevicePosition::front, true,
                         {FocusMode::locked, FocusMode::continuousAutoFocus});
    foundation::LogCapture log;
    device.setTorchMode(TorchMode::on);
    EXPECT_EQ(device.torchMode(), TorchMode::off);  // not locked
    EXPECT_TRUE(log.contains("not locked"));

    device.setLockFailures(2);
    EXPECT_TRUE(device.lockForConfiguration().has_value());
    auto second = device.lockForConfiguration();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->domain, CaptureDevice::kErrorDomain);
    EXPECT_FALSE(device.lockForConfiguration().has_value());
    EXPECT_TRUE(device.isLockedForConfiguration());

    device.setTorchMode(TorchMode::automatic);
    device.setFocusMode(FocusMode::continuousAutoFocus);
    device.setFocusMode(FocusMode::autoFocus);  // unsupported: kept as it was
    EXPECT_EQ(device.torchMode(), TorchMode::automatic);
    EXPECT_EQ(device.focusMode(), FocusMode::continuousAutoFocus);
    device.unlockForConfiguration();
    EXPECT_FALSE(device.isLockedForConfiguration());
}

TEST(CaptureDeviceTest, DefaultDeviceIsTheFirstOfTheList) {
    ASSERT_TRUE(CaptureDevice::defaultDevice());
    EXPECT_EQ(CaptureDevice::defaultDevice()->position(), CaptureDevicePosition::back);
    auto front = std::make_shared<CaptureDevice>("front", CaptureDevicePosition::front, false,
                                                 std::vector<FocusMode>{});
    auto saved = CaptureDevice::devices();
    CaptureDevice::setDevices({front});
    EXPECT_EQ(CaptureDevice::defaultDevice(), front);
    CaptureDevice::setDevices({});
    EXPECT_FALSE(CaptureDevice::defaultDevice());
    EXPECT_FALSE(CaptureDeviceInput::make(nullptr));
    CaptureDevice::setDevices(saved);
}

struct NotificationLog {
    std::shared_ptr<int> owner = std::make_shared<int>(0);
    std::mutex mutex;
    std::vector<std::string> names;
    foundation::Value lastInfo;

    void listen(const CaptureSession& session) {
        for (const char* name : {CaptureSession::kDidStartRunningNotification,
                                 CaptureSession::kDidStopRunningNotification,
                                 CaptureSession::kRuntimeErrorNotification,
                                 CaptureSession::kWasInterruptedNotification,
                                 CaptureSession::kInterruptionEndedNotification}) {
            foundation::NotificationCenter::defaultCenter().addObserver(
                owner, name, &session, [this](const foundation::Notification& note) {
                    std::lock_guard lock(mutex);
                    names.push_back(note.name);
                    lastInfo = note.userInfo;
                });
        }
    }
};

TEST(CaptureSessionTest, RunningSessionFeedsGeneratedFramesAtItsRate) {
    GeneratedFrame description;
    description.format = BarcodeFormat::qrCode;
    description.text = "frame";
    description.width = 64;
    description.height = 48;
    auto source = FrameSource::fromGeneratedFrames({description}, 200);
    ASSERT_TRUE(source);
    auto device = std::make_shared<CaptureDevice>("cam", CaptureDevicePosition::back, false,
                                                  std::vector<FocusMode>{});
    device->setFrameSource(source);

    auto session = CaptureSession::make();
    NotificationLog log;
    log.listen(*session);
    auto output = CaptureVideoDataOutput::make();
    auto delegate = std::make_shared<RecordingDelegate>();
    output->setSampleBufferDelegate(delegate, foundation::DispatchQueue::makeSerial("frames"));
    session->addInput(CaptureDeviceInput::make(device));
    session->addOutput(output);
    session->addOutput(output);
    EXPECT_EQ(session->outputs().size(), 1u);

    session->startRunning();
    session->startRunning();
    EXPECT_TRUE(session->isRunning());
    EXPECT_TRUE(delegate->waitForFrames(5));
    session->stopRunning();
    const auto frames = output->deliveredCount() + output->droppedCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(output->deliveredCount() + output->droppedCount(), frames);
    EXPECT_EQ(log.names, (std::vector<std::string>{CaptureSession::kDidStartRunningNotification,
                                                   CaptureSession::kDidStopRunningNotification}));
    EXPECT_EQ(delegate->formats.front(), kPixelFormat420YpCbCr8BiPlanarVideoRange);
}

TEST(CaptureSessionTest, RuntimeErrorStopsAndReportsTheError) {
    auto session = CaptureSession::make();
    NotificationLog log;
    log.listen(*session);
    session->startRunning();
    session->interrupt();
    session->endInterruption();
    session->failWithRuntimeError({"AVFoundationErrorDomain", -11819, "Media services reset"});
    EXPECT_FALSE(session->isRunning());
    ASSERT_EQ(log.names.size(), 4u);
    EXPECT_EQ(log.names[1], CaptureSession::kWasInterruptedNotification);
    EXPECT_EQ(log.names[2], CaptureSession::kInterruptionEndedNotification);
    EXPECT_EQ(log.names[3], CaptureSession::kRuntimeErrorNotification);
    const foundation::Value error = log.lastInfo[CaptureSession::kErrorKey];
    EXPECT_EQ(error["code"].intValue(), -11819);
    EXPECT_EQ(error["localizedDescription"].stringValue(), "Media services reset");

    EXPECT_TRUE(session->canSetSessionPreset(CaptureSession::kPresetMedium));
    session->setSessionPreset("no such preset");
    EXPECT_EQ(session->sessionPreset(), CaptureSession::kPresetHigh);
}

}  // namespace
