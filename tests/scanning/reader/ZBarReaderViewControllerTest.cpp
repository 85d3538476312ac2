#include <gtest/gtest.h>

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ReaderFixtures.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureSession.h"
#include "platform/media/FourCharCode.h"
#include "platform/media/MediaClasses.h"
#include "platform/media/PixelBuffer.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Toolbar.h"
#include "scanning/zbar/ZBarHelpController.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarReaderViewController.h"
#include "scanning/zbar/ZBarReaderViewImpl.h"
#include "scanning/zbar/ZBarSymbolSet.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

using media::BarcodeFormat;
using namespace readerfixtures;

class CameraDelegate : public ZBarReaderDelegate {
  public:
    explicit CameraDelegate(bool answersCancel = true) : answersCancel_(answersCancel) {}
    bool imagePickerControllerDidFinishPickingMediaWithInfo(ui::ViewController&,
                                                            const ui::MediaInfo& info) override {
        reads.push_back(info);
        return true;
    }
    bool imagePickerControllerDidCancel(ui::ViewController&) override {
        cancels += answersCancel_;
        return answersCancel_;
    }
    std::vector<ui::MediaInfo> reads;
    int cancels = 0;

  private:
    bool answersCancel_;
};

class ZBarReaderViewControllerTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        back_ = std::make_shared<media::CaptureDevice>(
            "back", media::CaptureDevicePosition::back, true,
            std::vector<media::FocusMode>{media::FocusMode::continuousAutoFocus});
        front_ = std::make_shared<media::CaptureDevice>(
            "front", media::CaptureDevicePosition::front, false, std::vector<media::FocusMode>{});
        media::CaptureDevice::setDevices({back_, front_});
    }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        UiTest::TearDown();
    }

    // A camera reader presented over a root screen, its appearance finished.
    ZBarReaderViewController::Ptr presentReader(
        const std::shared_ptr<ZBarReaderDelegate>& delegate) {
        root_ = std::make_shared<ui::ViewController>();
        window_ = show(root_);
        auto reader = std::make_shared<ZBarReaderViewController>();
        reader->setReaderDelegate(delegate);
        root_->presentViewController(reader, false);
        settle();
        return reader;
    }
    static std::shared_ptr<ZBarReaderViewImpl> impl(const ZBarReaderViewController::Ptr& reader) {
        return std::dynamic_pointer_cast<ZBarReaderViewImpl>(reader->readerView());
    }
    // Hands a camera frame of `picture` to the reader's capture reader and
    // waits until it has been delivered.
    void feed(const ZBarReaderViewController::Ptr& reader, const graphics::Bitmap& picture,
              const std::function<bool()>& delivered) {
        media::SampleBuffer frame;
        frame.imageBuffer = media::PixelBuffer::fromBitmap(
            picture, media::kPixelFormat420YpCbCr8BiPlanarVideoRange, 0);
        auto capture = reader->readerView()->captureReader();
        capture->captureOutputDidOutputSampleBuffer(*capture->captureOutput(), frame);
        foundation::RunLoop::main().runUntil(delivered, 10);
    }

    std::shared_ptr<media::CaptureDevice> back_;
    std::shared_ptr<media::CaptureDevice> front_;
    ui::ViewController::Ptr root_;
    ui::Window::Ptr window_;
};

TEST_F(ZBarReaderViewControllerTest, UnsupportedPickerValuesThrow) {
    ZBarReaderViewController reader;
    struct Case {
        std::function<void()> set;
        const char* message;  // nullptr: accepted
    };
    const std::vector<Case> cases = {
        {[&] { reader.setSourceType(ui::ImagePickerSourceType::camera); }, nullptr},
        {[&] { reader.setSourceType(ui::ImagePickerSourceType::photoLibrary); },
         "attempt to set unsupported value (0) for sourceType property"},
        {[&] { reader.setCameraCaptureMode(ui::ImagePickerCameraCaptureMode::video); }, nullptr},
        {[&] { reader.setCameraCaptureMode(ui::ImagePickerCameraCaptureMode::photo); },
         "attempt to set unsupported value (0) for cameraCaptureMode property"},
        {[&] { reader.setCameraMode(1); }, nullptr},
        {[&] { reader.setCameraMode(2); },
         "attempt to set unsupported value (2) for cameraMode property"},
        {[&] { reader.setShowsCameraControls(false); }, nullptr},
        {[&] { reader.setShowsCameraControls(true); },
         "attempt to set unsupported value (1) for showsCameraControls property"},
        {[&] { reader.setAllowsEditing(true); },
         "attempt to set unsupported value (1) for allowsEditing property"},
        {[&] { reader.setAllowsImageEditing(true); },
         "attempt to set unsupported value (1) for allowsImageEditing property"},
        {[&] { reader.setTakesPicture(true); },
         "attempt to set unsupported value (1) for takesPicture property"},
        {[&] { reader.setShowsHelpOnFail(true); }, nullptr},
        {[&] { reader.setMaxScanDimension(2000); }, nullptr},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (!cases[i].message) {
            EXPECT_NO_THROW(cases[i].set()) << i;
            continue;
        }
        try {
            cases[i].set();
            ADD_FAILURE() << "accepted: " << cases[i].message;
        } catch (const ZBarUnsupportedValueError& e) {
            EXPECT_STREQ(e.what(), cases[i].message);
        }
    }
    EXPECT_FALSE(reader.showsHelpOnFail());
    EXPECT_EQ(reader.maxScanDimension(), 640);
    EXPECT_EQ(reader.cameraDevice(), 0);
    EXPECT_EQ(reader.supportedOrientationsMask(), 2u);
}

TEST_F(ZBarReaderViewControllerTest, WithoutCaptureSessionTheStillImageReaderStandsIn) {
    foundation::ClassRegistry::shared().unregisterClass("AVCaptureSession");
    EXPECT_TRUE(std::dynamic_pointer_cast<ZBarReaderController>(ZBarReaderViewController::make()));
    media::registerMediaClasses();
    EXPECT_TRUE(
        std::dynamic_pointer_cast<ZBarReaderViewController>(ZBarReaderViewController::make()));
}

TEST_F(ZBarReaderViewControllerTest, ReaderViewLeavesRoomForControlsOrAModalBar) {
    // Loaded on its own: the 320 x 480 view, less 54 points for the controls.
    auto withControls = std::make_shared<ZBarReaderViewController>();
    EXPECT_EQ(withControls->readerView()->frame(), graphics::Rect(0, 0, 320, 480 - 54));
    EXPECT_TRUE(withControls->readerView()->autoresizingMask() &
                ui::Autoresizing::flexibleBottomMargin);
    EXPECT_TRUE(withControls->controls());
    EXPECT_EQ(withControls->shutter()->frame(), withControls->readerView()->frame());

    // Without controls, as a navigation root: the whole view.
    auto bare = std::make_shared<ZBarReaderViewController>();
    bare->setShowsZBarControls(false);
    auto window = show(ui::NavigationController::withRootViewController(bare));
    EXPECT_EQ(bare->readerView()->frame(), bare->view()->bounds());
    EXPECT_FALSE(bare->controls());

    // Without controls, presented modally: room is kept at the bottom.
    auto root = std::make_shared<ui::ViewController>();
    auto modalWindow = show(root);
    auto modal = std::make_shared<ZBarReaderViewController>();
    modal->setShowsZBarControls(false);
    root->presentViewController(modal, false);
    settle();
    EXPECT_TRUE(modal->readerView()->autoresizingMask() & ui::Autoresizing::flexibleBottomMargin);
    EXPECT_LT(modal->readerView()->frame().size.height, modal->view()->bounds().size.height);
}

TEST_F(ZBarReaderViewControllerTest, CameraStartsOnTheNextTurnAndTheShutterFades) {
    auto delegate = std::make_shared<CameraDelegate>();
    auto root = std::make_shared<ui::ViewController>();
    window_ = show(root);
    auto reader = std::make_shared<ZBarReaderViewController>();
    reader->setReaderDelegate(delegate);
    root->presentViewController(reader, false);
    // In viewWillAppear: status bar hidden, shutter up, camera not started.
    EXPECT_TRUE(ui::Application::shared().isStatusBarHidden());
    EXPECT_FALSE(reader->readerView()->isStarted());
    EXPECT_FALSE(reader->shutter()->isHidden());
    EXPECT_EQ(reader->shutter()->alpha(), 1);
    advance(0.001);
    EXPECT_TRUE(reader->readerView()->isStarted());
    EXPECT_TRUE(impl(reader)->session()->isRunning());
    EXPECT_TRUE(reader->readerView()->captureReader()->enableReader());
    // The session runs at the high preset once the view has loaded.
    EXPECT_EQ(impl(reader)->session()->sessionPreset(), media::CaptureSession::kPresetHigh);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(reader->readerView()->isRunning());
    advance(0.25);
    EXPECT_TRUE(reader->shutter()->isHidden());
    EXPECT_EQ(reader->shutter()->alpha(), 0);

    // Leaving: reading stops before the session, the status bar comes back.
    root->dismissViewController(false);
    EXPECT_EQ(reader->readerView()->captureReader()->state(), 0u);
    EXPECT_TRUE(impl(reader)->session()->isRunning());
    EXPECT_FALSE(ui::Application::shared().isStatusBarHidden());
    settle();
    EXPECT_FALSE(impl(reader)->session()->isRunning());
    EXPECT_FALSE(reader->readerView()->isStarted());
}

TEST_F(ZBarReaderViewControllerTest, ReadsReachTheDelegateAsAPickedPhoto) {
    auto delegate = std::make_shared<CameraDelegate>();
    auto reader = presentReader(delegate);
    feed(reader, *drawCode(BarcodeFormat::qrCode, "camera read", 640, 480),
         [&] { return !delegate->reads.empty(); });
    ASSERT_EQ(delegate->reads.size(), 1u);
    const auto& info = delegate->reads[0];
    auto symbols =
        std::any_cast<std::shared_ptr<ZBarSymbolSet>>(info.at(ZBarReaderControllerResults));
    ASSERT_TRUE(symbols);
    ASSERT_EQ(symbols->count(), 1);
    EXPECT_EQ((*symbols->begin())->data(), "camera read");
    auto picture =
        std::any_cast<graphics::Image::Ptr>(info.at(ui::ImagePickerControllerOriginalImage));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size().width * picture->size().height, 640 * 480);

    // A read whose picture is missing keeps its symbols.
    reader->readerViewDidReadSymbols(*reader->readerView(), symbols, nullptr);
    ASSERT_EQ(delegate->reads.size(), 2u);
    EXPECT_EQ(delegate->reads[1].count(ui::ImagePickerControllerOriginalImage), 0u);
    EXPECT_EQ(std::any_cast<std::shared_ptr<ZBarSymbolSet>>(
                  delegate->reads[1].at(ZBarReaderControllerResults)),
              symbols);
}

TEST_F(ZBarReaderViewControllerTest, TakePictureDeliversTheNextFrame) {
    auto delegate = std::make_shared<CameraDelegate>();
    auto reader = presentReader(delegate);
    reader->takePicture();
    feed(reader, *plainPhoto(640, 480), [&] { return !delegate->reads.empty(); });
    ASSERT_EQ(delegate->reads.size(), 1u);
    EXPECT_EQ(std::any_cast<std::shared_ptr<ZBarSymbolSet>>(
                  delegate->reads[0].at(ZBarReaderControllerResults))
                  ->count(),
              0);
}

TEST_F(ZBarReaderViewControllerTest, CancelGoesToTheDelegateOrDismisses) {
    auto answering = std::make_shared<CameraDelegate>(true);
    auto reader = presentReader(answering);
    auto toolbar = reader->controls()->firstSubviewOfType<ui::Toolbar>();
    ASSERT_TRUE(toolbar);
    ASSERT_TRUE(toolbar->itemTitled("Cancel")->tap());
    EXPECT_EQ(answering->cancels, 1);
    EXPECT_EQ(root_->presentedViewController(), reader);

    auto silent = std::make_shared<CameraDelegate>(false);
    reader->setReaderDelegate(silent);
    reader->cancel();
    settle();
    EXPECT_FALSE(root_->presentedViewController());

    // No delegate at all: nothing happens.
    auto alone = presentReader(nullptr);
    alone->cancel();
    settle();
    EXPECT_EQ(root_->presentedViewController(), alone);
}

TEST_F(ZBarReaderViewControllerTest, HelpFadesInOnceAndGoesWhenDone) {
    auto reader = presentReader(std::make_shared<CameraDelegate>());
    auto toolbar = reader->controls()->firstSubviewOfType<ui::Toolbar>();
    auto infoItem = toolbar->itemTitled("Info");
    ASSERT_TRUE(infoItem && infoItem->customView());
    std::dynamic_pointer_cast<ui::Control>(infoItem->customView())
        ->sendActionsForControlEvents(ui::ControlEvent::touchUpInside);
    auto help = reader->helpController();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->reason(), "INFO");
    EXPECT_EQ(help->view()->superview(), reader->view());
    EXPECT_EQ(help->view()->alpha(), 1);

    reader->showHelpWithReason("AGAIN");
    EXPECT_EQ(reader->helpController(), help);

    ASSERT_TRUE(help->doneButton()->tap());
    EXPECT_EQ(help->view()->alpha(), 0);
    settle();
    EXPECT_FALSE(reader->helpController());
    EXPECT_FALSE(help->view()->superview());
}

TEST_F(ZBarReaderViewControllerTest, SettingsReachTheReaderView) {
    auto reader = std::make_shared<ZBarReaderViewController>();
    reader->setCameraDevice(1);
    reader->setCameraFlashMode(1);
    reader->setScanCrop({0.1, 0.2, 0.5, 0.6});
    reader->setTracksSymbols(false);
    reader->setEnableCache(false);
    auto view = reader->readerView();
    EXPECT_EQ(impl(reader)->device(), front_);
    EXPECT_EQ(view->torchMode(), media::TorchMode::on);
    EXPECT_EQ(view->scanCrop(), graphics::Rect(0.1, 0.2, 0.5, 0.6));
    EXPECT_FALSE(view->tracksSymbols());
    EXPECT_FALSE(view->enableCache());

    reader->setCameraDevice(0);
    reader->setCameraFlashMode(-1);
    reader->setVideoQuality(3);
    EXPECT_EQ(impl(reader)->device(), back_);
    EXPECT_EQ(view->torchMode(), media::TorchMode::off);
    EXPECT_EQ(impl(reader)->session()->sessionPreset(), media::CaptureSession::kPreset640x480);
    reader->setVideoQuality(9);
    EXPECT_EQ(impl(reader)->session()->sessionPreset(), media::CaptureSession::kPreset640x480);

    auto overlay = std::make_shared<ui::View>(graphics::Rect{0, 0, 10, 10});
    reader->setCameraOverlayView(overlay);
    EXPECT_EQ(reader->view()->subviews().back(), overlay);
    reader->setCameraOverlayView(nullptr);
    EXPECT_FALSE(overlay->superview());

    EXPECT_TRUE(reader->shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation::portrait));
    EXPECT_FALSE(
        reader->shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation::landscapeLeft));
}

}  // namespace
