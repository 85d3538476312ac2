#include "scanning/zbar/ZBarReaderViewController.h"

#include <mutex>

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureSession.h"
#include "platform/ui/Application.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Control.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/ViewAnimation.h"
#include "scanning/zbar/ZBarHelpController.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarReaderViewImpl.h"

namespace {

[[noreturn]] void unsupported(int value, const char* property) {
    throw ZBarUnsupportedValueError("attempt to set unsupported value (" + std::to_string(value) +
                                    ") for " + property + " property");
}

media::TorchMode torchModeFor(int flashMode) {
    switch (flashMode) {
        case 0:
            return media::TorchMode::automatic;
        case 1:
            return media::TorchMode::on;
        default:
            return media::TorchMode::off;
    }
}

const char* presetFor(int quality) {
    switch (quality) {
        case 0:
            return media::CaptureSession::kPresetHigh;
        case 1:
            return media::CaptureSession::kPresetMedium;
        case 2:
            return media::CaptureSession::kPresetLow;
        case 3:
            return media::CaptureSession::kPreset640x480;
        case 4:
            return media::CaptureSession::kPresetiFrame1280x720;
        case 5:
            return media::CaptureSession::kPresetiFrame960x540;
        default:
            return nullptr;
    }
}

}  // namespace

std::shared_ptr<ui::ViewController> ZBarReaderViewController::make() {
    if (!foundation::ClassRegistry::shared().exists("AVCaptureSession")) {
        return std::make_shared<ZBarReaderController>();
    }
    return std::make_shared<ZBarReaderViewController>();
}

ZBarReaderViewController::ZBarReaderViewController()
    : scanner_(std::make_shared<ZBarImageScanner>()) {
    setWantsFullScreenLayout(true);
    scanner_->setSymbology(0, ZBarImageScanner::kXDensity, 3);
    scanner_->setSymbology(0, ZBarImageScanner::kYDensity, 3);
    if (auto device = media::CaptureDevice::defaultDevice()) {
        switch (device->position()) {
            case media::CaptureDevicePosition::back:
                cameraDevice_ = 0;
                break;
            case media::CaptureDevicePosition::front:
                cameraDevice_ = 1;
                break;
            default:
                cameraDevice_ = -1;
                break;
        }
    }
}

ZBarReaderViewController::~ZBarReaderViewController() {
    foundation::RunLoop::main().cancelPerforms(this);
    if (readerView_) {
        readerView_->setReaderDelegate({});
    }
}

ZBarReaderViewController::Ptr ZBarReaderViewController::self() {
    return std::static_pointer_cast<ZBarReaderViewController>(shared_from_this());
}

// MARK: - Class operations

bool ZBarReaderViewController::isSourceTypeAvailable(ui::ImagePickerSourceType type) {
    return type == ui::ImagePickerSourceType::camera &&
           ui::ImagePickerController::isSourceTypeAvailable(type);
}

bool ZBarReaderViewController::isCameraDeviceAvailable(ui::ImagePickerCameraDevice device) {
    return ui::ImagePickerController::isCameraDeviceAvailable(device);
}

bool ZBarReaderViewController::isFlashAvailableForCameraDevice(ui::ImagePickerCameraDevice device) {
    return ui::ImagePickerController::isFlashAvailableForCameraDevice(device);
}

std::vector<int> ZBarReaderViewController::availableCaptureModesForCameraDevice(
    ui::ImagePickerCameraDevice device) {
    if (!isCameraDeviceAvailable(device)) {
        return {};
    }
    return {static_cast<int>(ui::ImagePickerCameraCaptureMode::video)};
}

// MARK: - Settings

std::shared_ptr<ZBarReaderView> ZBarReaderViewController::readerView() {
    view();
    return readerView_;
}

void ZBarReaderViewController::setCameraOverlayView(ui::View::Ptr overlay) {
    if (cameraOverlayView_) {
        cameraOverlayView_->removeFromSuperview();
    }
    cameraOverlayView_ = std::move(overlay);
    if (cameraOverlayView_ && isViewLoaded()) {
        view()->addSubview(cameraOverlayView_);
    }
}

void ZBarReaderViewController::setCameraViewTransform(const graphics::AffineTransform& transform) {
    cameraViewTransform_ = transform;
    if (readerView_) {
        readerView_->setPreviewTransform(transform);
    }
}

void ZBarReaderViewController::setScanCrop(const graphics::Rect& crop) {
    scanCrop_ = crop;
    if (readerView_) {
        readerView_->setScanCrop(crop);
    }
}

void ZBarReaderViewController::setCameraDevice(int device) {
    cameraDevice_ = device;
    if (readerView_) {
        applyCameraDevice();
    }
}

void ZBarReaderViewController::setCameraFlashMode(int mode) {
    cameraFlashMode_ = mode;
    if (readerView_) {
        readerView_->setTorchMode(torchModeFor(mode));
    }
}

void ZBarReaderViewController::setVideoQuality(int quality) {
    videoQuality_ = quality;
    if (readerView_) {
        applyVideoQuality();
    }
}

void ZBarReaderViewController::setTracksSymbols(bool tracks) {
    tracksSymbols_ = tracks;
    if (readerView_) {
        readerView_->setTracksSymbols(tracks);
    }
}

void ZBarReaderViewController::setEnableCache(bool enable) {
    enableCache_ = enable;
    if (readerView_) {
        readerView_->setEnableCache(enable);
    }
}

void ZBarReaderViewController::applyCameraDevice() {
    if (cameraDevice_ != 0 && cameraDevice_ != 1) {
        return;
    }
    const auto wanted = cameraDevice_ == 0 ? media::CaptureDevicePosition::back
                                           : media::CaptureDevicePosition::front;
    auto impl = std::dynamic_pointer_cast<ZBarReaderViewImpl>(readerView_);
    if (!impl) {
        return;
    }
    for (const auto& device : media::CaptureDevice::devices()) {
        if (device->position() == wanted) {
            if (device != impl->device()) {
                impl->setDevice(device);
            }
            return;
        }
    }
}

void ZBarReaderViewController::applyVideoQuality() {
    const char* preset = presetFor(videoQuality_);
    auto impl = std::dynamic_pointer_cast<ZBarReaderViewImpl>(readerView_);
    if (preset && impl && impl->session()) {
        impl->session()->setSessionPreset(preset);
    }
}

void ZBarReaderViewController::setSourceType(ui::ImagePickerSourceType type) {
    if (type != ui::ImagePickerSourceType::camera) {
        unsupported(static_cast<int>(type), "sourceType");
    }
}

void ZBarReaderViewController::setCameraCaptureMode(ui::ImagePickerCameraCaptureMode mode) {
    if (mode != ui::ImagePickerCameraCaptureMode::video) {
        unsupported(static_cast<int>(mode), "cameraCaptureMode");
    }
}

void ZBarReaderViewController::setCameraMode(int mode) {
    if (mode != 1) {
        unsupported(mode, "cameraMode");
    }
}

void ZBarReaderViewController::setAllowsEditing(bool allows) {
    if (allows) {
        unsupported(1, "allowsEditing");
    }
}

void ZBarReaderViewController::setAllowsImageEditing(bool allows) {
    if (allows) {
        unsupported(1, "allowsImageEditing");
    }
}

void ZBarReaderViewController::setShowsCameraControls(bool shows) {
    if (shows) {
        unsupported(1, "showsCameraControls");
    }
}

void ZBarReaderViewController::setTakesPicture(bool takes) {
    if (takes) {
        unsupported(1, "takesPicture");
    }
}

// MARK: - Actions

void ZBarReaderViewController::takePicture() {
    if (readerView_ && readerView_->captureReader()) {
        readerView_->captureReader()->captureFrame();
    }
}

void ZBarReaderViewController::cancel() {
    auto delegate = readerDelegate();
    if (!delegate) {
        return;
    }
    auto keep = self();
    if (!delegate->imagePickerControllerDidCancel(*this)) {
        dismissModalViewController(true);
    }
}

void ZBarReaderViewController::info() {
    showHelpWithReason("INFO");
}

void ZBarReaderViewController::showHelpWithReason(const std::string& reason) {
    if (helpController_) {
        return;
    }
    helpController_ = std::make_shared<ZBarHelpController>(reason);
    helpController_->setDelegate(std::weak_ptr<ZBarHelpDelegate>(self()));
    helpController_->setWantsFullScreenLayout(true);
    auto helpView = helpController_->view();
    helpView->setAlpha(0);
    helpView->setFrame(view()->bounds());
    helpController_->beginAppearanceTransition(true, true);
    view()->addSubview(helpView);
    helpController_->endAppearanceTransition();
    ui::ViewAnimation::beginAnimations("ZBarHelp");
    helpView->setAlpha(1);
    ui::ViewAnimation::commitAnimations();
}

bool ZBarReaderViewController::helpControllerDidFinish(ZBarHelpController& help) {
    auto helpView = help.view();
    help.beginAppearanceTransition(false, true);
    std::weak_ptr<ZBarReaderViewController> weak = self();
    ui::ViewAnimation::beginAnimations("ZBarHelp");
    ui::ViewAnimation::setAnimationDidStop([weak](const std::string& name, bool, void*) {
        auto reader = weak.lock();
        if (!reader || name != "ZBarHelp" || !reader->helpController_) {
            return;
        }
        auto finished = std::move(reader->helpController_);
        finished->view()->removeFromSuperview();
        finished->endAppearanceTransition();
    });
    helpView->setAlpha(0);
    ui::ViewAnimation::commitAnimations();
    return true;
}

void ZBarReaderViewController::dismissModalViewController(bool animated) {
    if (didHideStatusBar_) {
        ui::Application::shared().setStatusBarHidden(false, ui::StatusBarAnimation::fade);
        didHideStatusBar_ = false;
    }
    dismissViewController(animated);
}

// MARK: - View

void ZBarReaderViewController::loadView() {
    setView(std::make_shared<ui::View>(graphics::Rect{0, 0, 320, 480}));
}

void ZBarReaderViewController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    auto root = view();
    root->setBackgroundColor(graphics::Color::blackColor());
    root->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);

    readerView_ = ZBarReaderView::make(scanner_);
    graphics::Rect frame = root->bounds();
    auto presenter = presentingViewController();
    const bool modal = presenter && presenter->presentedViewController().get() == this;
    if (showsZBarControls_ || modal) {
        frame.size.height -= kControlsHeight;
        readerView_->setAutoresizingMask(readerView_->autoresizingMask() |
                                         ui::Autoresizing::flexibleBottomMargin);
    }
    readerView_->setFrame(frame);
    applyCameraDevice();
    readerView_->setTorchMode(torchModeFor(cameraFlashMode_));
    applyVideoQuality();
    readerView_->setReaderDelegate(std::weak_ptr<ZBarReaderViewDelegate>(self()));
    readerView_->setScanCrop(scanCrop_);
    readerView_->setPreviewTransform(cameraViewTransform_);
    readerView_->setTracksSymbols(tracksSymbols_);
    readerView_->setEnableCache(enableCache_);
    root->addSubview(readerView_);

    shutter_ = std::make_shared<ui::View>(readerView_->frame());
    shutter_->setBackgroundColor(graphics::Color::blackColor());
    shutter_->setOpaque(false);
    shutter_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                  ui::Autoresizing::flexibleHeight);
    root->insertSubviewAbove(shutter_, readerView_);

    if (cameraOverlayView_) {
        root->addSubview(cameraOverlayView_);
    }
    initControls();
}

void ZBarReaderViewController::viewDidUnload() {
    if (cameraOverlayView_) {
        cameraOverlayView_->removeFromSuperview();
    }
    if (readerView_) {
        readerView_->setReaderDelegate({});
    }
    readerView_.reset();
    controls_.reset();
    shutter_.reset();
    ui::ViewController::viewDidUnload();
}

void ZBarReaderViewController::initControls() {
    auto root = view();
    if (!showsZBarControls_) {
        if (controls_) {
            controls_->removeFromSuperview();
            controls_.reset();
        }
        return;
    }
    if (controls_) {
        root->bringSubviewToFront(controls_);
        return;
    }
    const graphics::Rect bounds = root->bounds();
    controls_ = std::make_shared<ui::View>(graphics::Rect{0, bounds.size.height - kControlsHeight,
                                                          bounds.size.width, kControlsHeight});
    controls_->setBackgroundColor(graphics::Color::blackColor());
    controls_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                   ui::Autoresizing::flexibleHeight |
                                   ui::Autoresizing::flexibleTopMargin);

    auto toolbar = std::make_shared<ui::Toolbar>(controls_->bounds());
    toolbar->setBarStyle(ui::BarStyle::black);
    toolbar->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                 ui::Autoresizing::flexibleHeight);
    std::weak_ptr<ZBarReaderViewController> weak = self();
    auto cancelItem = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::cancel,
                                                        [weak](ui::BarButtonItem&) {
                                                            if (auto reader = weak.lock()) {
                                                                reader->cancel();
                                                            }
                                                        });
    auto infoButton = ui::Button::buttonWithType(ui::ButtonType::infoLight);
    infoButton->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto reader = weak.lock()) {
            reader->info();
        }
    });
    infoButton->setAccessibilityLabel("Info");
    auto infoItem = ui::BarButtonItem::withCustomView(infoButton);
    infoItem->setAccessibilityLabel("Info");
    toolbar->setItems({cancelItem, ui::BarButtonItem::flexibleSpace(), infoItem});
    controls_->addSubview(toolbar);
    root->addSubview(controls_);
}

// MARK: - Appearance

void ZBarReaderViewController::viewWillAppear(bool animated) {
    ui::ViewController::viewWillAppear(animated);
    initControls();
    auto reader = readerView();
    reader->willRotateToInterfaceOrientation(interfaceOrientation(), 0);
    std::weak_ptr<ZBarReaderView> weakReader = reader;
    // On the next turn, so that the screen is on display first.
    foundation::RunLoop::main().performAfter(
        0.001,
        [weakReader] {
            if (auto view = weakReader.lock()) {
                view->start();
            }
        },
        this, "start");
    shutter_->setHidden(false);
    shutter_->setAlpha(1);
    auto& application = ui::Application::shared();
    if (wantsFullScreenLayout() && !application.isStatusBarHidden() && !didHideStatusBar_) {
        application.setStatusBarHidden(true, ui::StatusBarAnimation::fade);
        didHideStatusBar_ = true;
    }
}

void ZBarReaderViewController::readerViewDidStart(ZBarReaderView& view) {
    if (!shutter_ || shutter_->isHidden()) {
        return;
    }
    std::weak_ptr<ui::View> weakShutter = shutter_;
    ui::ViewAnimation::animate(
        0.25,
        [weakShutter] {
            if (auto shutter = weakShutter.lock()) {
                shutter->setAlpha(0);
            }
        },
        [weakShutter](bool) {
            if (auto shutter = weakShutter.lock()) {
                shutter->setHidden(true);
            }
        });
}

void ZBarReaderViewController::viewWillDisappear(bool animated) {
    ui::ViewController::viewWillDisappear(animated);
    if (readerView_ && readerView_->captureReader()) {
        readerView_->captureReader()->setEnableReader(false);
    }
    if (didHideStatusBar_) {
        ui::Application::shared().setStatusBarHidden(false, ui::StatusBarAnimation::fade);
        didHideStatusBar_ = false;
    }
}

void ZBarReaderViewController::viewDidDisappear(bool animated) {
    ui::ViewController::viewDidDisappear(animated);
    foundation::RunLoop::main().cancelPerforms(this, "start");
    if (readerView_) {
        readerView_->stop();
    }
}

// MARK: - Rotation

bool ZBarReaderViewController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation o) const {
    return (supportedOrientationsMask_ >> static_cast<int>(o)) & 1;
}

void ZBarReaderViewController::willRotateToInterfaceOrientation(ui::InterfaceOrientation o,
                                                                double duration) {
    rotating_ = true;
    if (readerView_) {
        readerView_->willRotateToInterfaceOrientation(o, duration);
    }
}

void ZBarReaderViewController::willAnimateRotationToInterfaceOrientation(ui::InterfaceOrientation o,
                                                                         double duration) {
    if (helpController_) {
        helpController_->willAnimateRotationToInterfaceOrientation(o, duration);
    }
    if (readerView_) {
        readerView_->setNeedsLayout();
    }
}

void ZBarReaderViewController::didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) {
    if (readerView_) {
        readerView_->willRotateToInterfaceOrientation(interfaceOrientation(), 0);
        if (!rotating_) {
            readerView_->setNeedsLayout();
        }
    }
    rotating_ = false;
}

// MARK: - Reads

void ZBarReaderViewController::readerViewDidReadSymbols(
    ZBarReaderView& view, const std::shared_ptr<ZBarSymbolSet>& symbols,
    const std::shared_ptr<graphics::Image>& image) {
    // The symbols always go in; only a missing picture is left out.
    ui::MediaInfo info;
    if (image) {
        info[ui::ImagePickerControllerOriginalImage] = image;
    }
    info[ZBarReaderControllerResults] = symbols;
    auto keep = self();
    if (auto delegate = readerDelegate()) {
        delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*this, info);
    }
}
