#include <gtest/gtest.h>

#include <algorithm>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureVideoDataOutput.h"
#include "platform/media/FrameSource.h"
#include "platform/media/MediaClasses.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/Window.h"
#include "results/ProductParsedResult.h"
#include "results/URIParsedResult.h"
#include "scanning/ZXingWidget/ZXingWidgetController.h"
#include "tests/platform/graphics/Ink.h"

using foundation::RunLoop;

namespace {

struct Client : ZXingDelegate {
    void zxingControllerDidScanResult(ZXingWidgetController&, const std::string& text) override {
        scans.push_back(text);
    }
    void zxingControllerDidCancel(ZXingWidgetController&) override { ++cancels; }
    std::vector<std::string> scans;
    int cancels = 0;
};

// The widget on screen over a camera that shows the given frames, looping.
class ZXingWidgetControllerTest : public testing::Test {
  protected:
    void SetUp() override { media::registerMediaClasses(); }
    void TearDown() override {
        if (widget) {
            widget->stopCapture();
        }
        RunLoop::main().runUntilIdle();
        media::CaptureDevice::setDevices({});
        media::SystemSound::reset();
    }

    void useCamera(std::shared_ptr<media::FrameSource> frames) {
        camera = std::make_shared<media::CaptureDevice>("back", media::CaptureDevicePosition::back,
                                                        true, std::vector<media::FocusMode>{});
        camera->setFrameSource(std::move(frames));
        media::CaptureDevice::setDevices({camera});
    }
    void show(bool oneDMode = false) {
        widget = ZXingWidgetController::make(client, true, oneDMode);
        widget->setReaders({std::make_shared<MultiFormatReader>()});
        window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 568));
        window->setRootViewController(widget);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
    // Runs until the camera has handed over `frames` more frames.
    void waitForFrames(std::size_t frames) {
        auto output = std::dynamic_pointer_cast<media::CaptureVideoDataOutput>(
            widget->captureSession()->outputs().front());
        const auto target = output->deliveredCount() + frames;
        EXPECT_TRUE(
            RunLoop::main().runUntil([&] { return output->deliveredCount() >= target; }, 30));
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<Client> client = std::make_shared<Client>();
    std::shared_ptr<media::CaptureDevice> camera;
    std::shared_ptr<ui::Window> window;
    ZXingWidgetController::Ptr widget;
};

std::shared_ptr<media::FrameSource> codeFrames(media::BarcodeFormat format,
                                               const std::string& text) {
    media::GeneratedFrame frame;
    frame.format = format;
    frame.text = text;
    return media::FrameSource::fromGeneratedFrames({frame}, 30);
}

TEST_F(ZXingWidgetControllerTest, AScanStopsDecodingUntilTheNextAppearance) {
    useCamera(codeFrames(media::BarcodeFormat::ean13, "400638133393"));
    show();
    widget->setSoundToPlay(
        foundation::URL::fileURL(*foundation::Bundle::main().pathForResource("beep", "wav")));
    widget->viewWillAppear(false);
    widget->viewWillAppear(false);
    EXPECT_EQ(media::SystemSound::liveCount(), 1u) << "one sound at a time";

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !client->scans.empty(); }, 30));
    EXPECT_EQ(client->scans, std::vector<std::string>{"4006381333931"});
    // The capture queue clears the flag once the decoder has answered.
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return !widget->decoding(); }, 10));
    // The text went to the parsers as an EAN-13's.
    EXPECT_NE(std::dynamic_pointer_cast<ProductParsedResult>(widget->result()), nullptr);
    EXPECT_EQ(media::SystemSound::playedFiles().size(), 1u);
    EXPECT_EQ(widget->overlayView()->points().size(), 4u);

    waitForFrames(5);
    EXPECT_EQ(client->scans.size(), 1u);

    widget->viewWillDisappear(false);
    EXPECT_FALSE(widget->captureSession()->isRunning());
    widget->viewWillAppear(false);
    widget->viewDidAppear(false);
    EXPECT_TRUE(widget->overlayView()->points().empty());
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return client->scans.size() == 2; }, 30));
}

TEST_F(ZXingWidgetControllerTest, CaptureAndOverlayAreSetUpOnce) {
    useCamera(codeFrames(media::BarcodeFormat::qrCode, "http://shop.test/item"));
    show();
    EXPECT_TRUE(widget->overlayAdded());
    auto session = widget->captureSession();
    auto layer = widget->prevLayer();
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(session->isRunning());
    EXPECT_EQ(session->sessionPreset(), media::CaptureSession::kPresetMedium);
    widget->viewWillDisappear(false);
    widget->viewWillAppear(false);
    widget->viewDidAppear(false);
    EXPECT_EQ(widget->captureSession(), session);
    EXPECT_EQ(widget->prevLayer(), layer);
    const auto& sublayers = widget->view()->layer().sublayers();
    EXPECT_EQ(std::count(sublayers.begin(), sublayers.end(), layer), 1);
    int overlays = 0;
    for (const auto& view : widget->view()->subviews()) {
        overlays += view == widget->overlayView() ? 1 : 0;
    }
    EXPECT_EQ(overlays, 1);

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !client->scans.empty(); }, 30));
    EXPECT_NE(std::dynamic_pointer_cast<URIParsedResult>(widget->result()), nullptr);
}

TEST_F(ZXingWidgetControllerTest, FramesWithoutACodeAreDroppedSilently) {
    auto plain = graphics::Bitmap::make(640, 480, {180, 180, 180, 255});
    useCamera(std::make_shared<media::FrameSource>(
        std::vector<std::shared_ptr<const graphics::Bitmap>>{plain}, 30));
    show();
    waitForFrames(5);
    EXPECT_TRUE(client->scans.empty());
    EXPECT_TRUE(widget->decoding());
}

TEST_F(ZXingWidgetControllerTest, TheScreenShowsTheCameraPictureUnderTheViewfinder) {
    // A landscape frame, blue on its left half and red on its right.
    auto halves = graphics::Bitmap::make(640, 480, {0, 0, 255, 255});
    for (int y = 0; y < 480; ++y) {
        for (int x = 320; x < 640; ++x) {
            halves->setPixel(x, y, {255, 0, 0, 255});
        }
    }
    useCamera(std::make_shared<media::FrameSource>(
        std::vector<std::shared_ptr<const graphics::Bitmap>>{halves}, 30));
    show();
    waitForFrames(1);
    const auto overlay = widget->overlayView();
    const auto crop = overlay->cropRect();
    overlay->setPoint({crop.size.width / 2, crop.size.height / 2});
    const auto shot = ui::ScreenRenderer::render(*window);
    ASSERT_NE(shot, nullptr);
    const auto& bitmap = *shot->bitmap();
    const graphics::Rgba8 blue{0, 0, 255, 255};
    const graphics::Rgba8 red{255, 0, 0, 255};
    // Aspect-filled: the frame covers the whole screen, its halves meeting
    // in the middle, its sides cut off.
    EXPECT_TRUE(nearPixel(bitmap.pixel(2, 2), blue, 8));
    EXPECT_TRUE(nearPixel(bitmap.pixel(2, 565), blue, 8));
    EXPECT_TRUE(nearPixel(bitmap.pixel(150, 284), blue, 8));
    EXPECT_TRUE(nearPixel(bitmap.pixel(170, 284), red, 8));
    EXPECT_TRUE(nearPixel(bitmap.pixel(317, 565), red, 8));
    // The frame has no green: the viewfinder's white frame, the message
    // above it and the green mark where the point is are what has some.
    auto drawn = [&](const graphics::Rect& area) {
        int count = 0;
        for (int y = static_cast<int>(area.minY()); y < static_cast<int>(area.maxY()); ++y) {
            for (int x = static_cast<int>(area.minX()); x < static_cast<int>(area.maxX()); ++x) {
                count += bitmap.pixel(x, y).g >= 100 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(drawn({crop.minX(), crop.minY() - 1, crop.size.width, 2}), 250);
    EXPECT_GT(drawn({0, 0, 320, crop.minY() - 2}), 150);
    const auto marks = drawn(crop.insetBy(3, 3));
    EXPECT_GT(marks, 20);
    EXPECT_LT(marks, 150);
}

TEST_F(ZXingWidgetControllerTest, WithoutACameraNothingIsCaptured) {
    media::CaptureDevice::setDevices({});
    show();
    EXPECT_TRUE(widget->overlayAdded());
    EXPECT_EQ(widget->captureSession(), nullptr);
    EXPECT_EQ(widget->prevLayer(), nullptr);
    EXPECT_FALSE(widget->torchIsOn());
}

TEST_F(ZXingWidgetControllerTest, CancelTearsTheSessionDownAndTellsTheClient) {
    useCamera(codeFrames(media::BarcodeFormat::code128, "PARCEL-1"));
    show();
    widget->setTorch(true);
    EXPECT_TRUE(widget->torchIsOn());
    widget->setTorch(false);
    EXPECT_FALSE(widget->torchIsOn());
    widget->overlayView()->cancel();
    EXPECT_TRUE(widget->wasCancelled());
    EXPECT_EQ(widget->captureSession(), nullptr);
    EXPECT_EQ(widget->prevLayer(), nullptr);
    EXPECT_FALSE(widget->decoding());
    EXPECT_EQ(client->cancels, 1);
}

TEST(ZXingWidgetUtilitiesTest, FixedFocusOnlyForTheFirstModels) {
    EXPECT_FALSE(ZXingWidgetController::getPlatform().empty());
    for (const char* model : {"iPhone1,1", "iPhone1,2"}) {
        EXPECT_TRUE(ZXingWidgetController::fixedFocus(model));
    }
    for (const char* model : {"iPhone2,1", "iPhone1,", "x86_64", ""}) {
        EXPECT_FALSE(ZXingWidgetController::fixedFocus(model));
    }
}

TEST(ZXingWidgetUtilitiesTest, RotationsTurnThePicture) {
    auto bitmap = graphics::Bitmap::make(4, 2, {255, 255, 255, 255});
    bitmap->setPixel(0, 0, {0, 0, 0, 255});
    auto picture = graphics::Image::make(bitmap);
    auto half = ZXingWidgetController::CGImageRotated180(picture);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->bitmap()->pixel(3, 1).r, 0);
    EXPECT_EQ(half->bitmap()->pixel(0, 0).r, 255);
    auto quarter = ZXingWidgetController::CGImageRotated90(picture);
    ASSERT_NE(quarter, nullptr);
    EXPECT_EQ(quarter->bitmap()->width(), 2);
    EXPECT_EQ(quarter->bitmap()->height(), 4);
    EXPECT_EQ(ZXingWidgetController::CGImageRotated90(nullptr), nullptr);
}

}  // namespace
