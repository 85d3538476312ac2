#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "ScanFixtures.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/ui/Device.h"
#include "scanning/zbar/ZBarCameraSimulator.h"
#include "scanning/zbar/ZBarReaderView.h"
#include "scanning/zbar/ZBarReaderViewImpl.h"

namespace {

using media::BarcodeFormat;

class Watcher : public ZBarReaderViewDelegate {
  public:
    void readerViewDidReadSymbols(ZBarReaderView&, const std::shared_ptr<ZBarSymbolSet>& symbols,
                                  const std::shared_ptr<graphics::Image>& image) override {
        hits.push_back(symbols);
        pictures.push_back(image);
    }
    bool respondsToDidStart() const override { return answers; }
    void readerViewDidStart(ZBarReaderView&) override { events.push_back("start"); }
    bool respondsToDidStop() const override { return answers; }
    void readerViewDidStopWithError(ZBarReaderView&,
                                    const std::optional<foundation::Error>& error) override {
        events.push_back(error ? "stop " + error->localizedDescription : "stop");
    }

    bool answers = true;
    std::vector<std::string> events;
    std::vector<std::shared_ptr<ZBarSymbolSet>> hits;
    std::vector<std::shared_ptr<graphics::Image>> pictures;
};

class ReaderViewTest : public testing::Test {
  protected:
    void SetUp() override {
        camera = std::make_shared<media::CaptureDevice>(
            "back", media::CaptureDevicePosition::back, true,
            std::vector<media::FocusMode>{media::FocusMode::autoFocus,
                                          media::FocusMode::continuousAutoFocus});
        media::CaptureDevice::setDevices({camera});
        view = ZBarReaderView::make(scanfixtures::applicationScanner());
        impl = std::dynamic_pointer_cast<ZBarReaderViewImpl>(view);
        view->setReaderDelegate(watcher);
    }
    void TearDown() override {
        view->stop();
        foundation::RunLoop::main().runUntilIdle();
    }
    // Hands a frame with a code to the capture reader and waits for the hit.
    void scanFrame(const std::string& text) {
        auto picture = scanfixtures::drawCode(BarcodeFormat::qrCode, text, 640, 480);
        auto frame = scanfixtures::cameraFrame(*picture);
        auto before = watcher->hits.size();
        view->captureReader()->captureOutputDidOutputSampleBuffer(
            *view->captureReader()->captureOutput(), frame);
        foundation::RunLoop::main().runUntil([&] { return watcher->hits.size() > before; }, 10);
    }

    foundation::ManualClock clock;
    std::shared_ptr<media::CaptureDevice> camera;
    std::shared_ptr<Watcher> watcher = std::make_shared<Watcher>();
    std::shared_ptr<ZBarReaderView> view;
    std::shared_ptr<ZBarReaderViewImpl> impl;
};

void expectRect(const graphics::Rect& actual, const graphics::Rect& expected) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 1e-9);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 1e-9);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

}  // namespace

TEST_F(ReaderViewTest, MakesTheCaptureObjectsAndStartsZoomedIn) {
    ASSERT_NE(impl, nullptr);
    EXPECT_EQ(view->frame(), graphics::Rect(0, 0, 320, 426));
    EXPECT_EQ(impl->device(), camera);
    EXPECT_EQ(impl->session()->inputs().size(), 1u);
    EXPECT_EQ(impl->session()->sessionPreset(), media::CaptureSession::kPresetMedium);
    EXPECT_DOUBLE_EQ(view->zoom(), 1.25);
    struct Case {
        double asked, kept;
    };
    for (auto c : {Case{0.5, 1}, Case{3, 2}, Case{1.7, 1.7}}) {
        view->setZoom(c.asked);
        EXPECT_DOUBLE_EQ(view->zoom(), c.kept) << c.asked;
    }
    EXPECT_EQ(ZBarCameraSimulator::make(nullptr), nullptr);
}

TEST_F(ReaderViewTest, LayoutMapsTheCropThroughZoomAndAspect) {
    // Without an image the visible part is the whole frame: the zoomed crop stands.
    view->layoutIfNeeded();
    expectRect(view->effectiveCrop(), graphics::Rect(0.1, 0.1, 0.8, 0.8));
    expectRect(view->captureReader()->scanCrop(), view->effectiveCrop());

    // A 640x480 image in the 320x426 portrait view: 1.2 image pixels per point
    // at zoom 1.25, and a visible width of 426 * 1.2 / 640 of the image.
    view->setImageSize({640, 480});
    view->layoutIfNeeded();
    EXPECT_NEAR(view->imageScale(), 1.2, 1e-12);
    double vw = 426 * 1.2 / 640;
    expectRect(view->effectiveCrop(), graphics::Rect((1 - vw) / 2, 0.1, vw, 0.8));
    EXPECT_EQ(view->overlay()->bounds(), graphics::Rect(0, 0, 640, 480));
    EXPECT_NEAR(view->tracking()->borderWidth(), 1.2, 1e-12);

    view->setScanCrop(graphics::Rect(0, 0.25, 1, 0.5));
    view->setZoom(1);
    view->layoutIfNeeded();
    expectRect(view->effectiveCrop(),
               graphics::Rect((1 - 426 * 1.5 / 640) / 2, 0.25, 426 * 1.5 / 640, 0.5));
}

TEST_F(ReaderViewTest, CameraLifeLocksRetriesAndReports) {
    camera->setLockFailures(2);
    view->setShowsFPS(true);
    view->setShowsFPS(true);
    view->start();
    EXPECT_FALSE(view->fpsView()->isHidden());
    EXPECT_EQ(view->fpsLabel()->text(), "--- fps ");
    EXPECT_TRUE(view->isRunning());
    EXPECT_EQ(watcher->events, std::vector<std::string>{"start"});
    EXPECT_FALSE(view->isLocked());
    clock.advance(0.5);
    EXPECT_FALSE(view->isLocked());
    clock.advance(0.5);
    EXPECT_TRUE(view->isLocked());
    EXPECT_EQ(camera->focusMode(), media::FocusMode::continuousAutoFocus);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::automatic);
    view->setTorchMode(media::TorchMode::on);
    EXPECT_EQ(camera->torchMode(), media::TorchMode::on);

    view->stop();
    EXPECT_FALSE(camera->isLockedForConfiguration());
    EXPECT_EQ(watcher->events.back(), "stop");

    // A runtime error goes to the delegate, or to the log without one that answers.
    view->start();
    impl->session()->failWithRuntimeError(
        {"AVFoundationErrorDomain", -11819, "Media services were reset"});
    EXPECT_FALSE(view->isStarted());
    EXPECT_EQ(watcher->events.back(), "stop Media services were reset");
    watcher->answers = false;
    foundation::LogCapture log;
    view->start();
    impl->session()->failWithRuntimeError(
        {"AVFoundationErrorDomain", -11819, "Media services were reset"});
    EXPECT_TRUE(log.contains("ZBarReaderView: ERROR during capture: Media services were reset"));
}

TEST_F(ReaderViewTest, HitsBecomePicturesTurnedAsTheDeviceIsHeld) {
    view->start();
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::faceUp);
    view->willRotateToInterfaceOrientation(ui::InterfaceOrientation::landscapeLeft, 0);
    scanFrame("http://example.com/reader");
    ASSERT_EQ(watcher->hits.size(), 1u);
    ASSERT_NE(watcher->pictures.front(), nullptr);
    EXPECT_EQ(watcher->pictures.front()->imageOrientation(), graphics::ImageOrientation::up);
    auto symbol = *watcher->hits.front()->begin();
    EXPECT_EQ(symbol->data(), "http://example.com/reader");

    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::portrait);
    scanFrame("second");
    ASSERT_EQ(watcher->pictures.size(), 2u);
    EXPECT_EQ(watcher->pictures.back()->imageOrientation(), graphics::ImageOrientation::right);
}

TEST_F(ReaderViewTest, TrackingFollowsTheBestSymbol) {
    view->setImageSize({640, 480});
    view->layoutIfNeeded();
    view->start();
    scanFrame("tracked");
    ASSERT_EQ(watcher->hits.size(), 1u);
    view->didTrackSymbols(watcher->hits.front());
    ASSERT_NE(view->tracking()->animationForKey("tracking"), nullptr);
    clock.advance(0.2);
    auto shown = view->tracking()->presentationLayer();
    EXPECT_NEAR(shown->opacity(), 1, 1e-9);
    clock.advance(0.8);
    EXPECT_EQ(view->tracking()->animationForKey("tracking"), nullptr);

    view->setTracksSymbols(false);
    view->didTrackSymbols(watcher->hits.front());
    EXPECT_EQ(view->tracking()->animationForKey("tracking"), nullptr);
}
