#pragma once

// The camera reader screen: a reader view full screen with a toolbar (Cancel
// and info), a black shutter over the preview until the camera runs, an
// optional overlay of the application's, and the help screen. It runs the
// camera while it is shown and hands every read to its reader delegate as an
// image picker reports a photo. It offers the picker's settings so that it
// can stand where a picker stood, accepting only the values a live camera
// reader supports.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/ViewController.h"
#include "scanning/zbar/ZBarHelpDelegate.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarReaderDelegate.h"
#include "scanning/zbar/ZBarReaderView.h"
#include "scanning/zbar/ZBarReaderViewDelegate.h"

class ZBarHelpController;

// The platform's assertion failure for a picker value the camera reader does
// not support (an internal inconsistency).
class ZBarUnsupportedValueError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class ZBarReaderViewController : public ui::ViewController,
                                 public ZBarReaderViewDelegate,
                                 public ZBarHelpDelegate {
  public:
    using Ptr = std::shared_ptr<ZBarReaderViewController>;

    static constexpr double kControlsHeight = 54;

    // init: the camera reader, or the still-image reader (a
    // ZBarReaderController) when the platform has no capture session.
    static std::shared_ptr<ui::ViewController> make();
    // The camera reader's own values (full-screen layout, a scanner with x-
    // and y-density 3 for all symbologies).
    ZBarReaderViewController();
    ~ZBarReaderViewController() override;

    std::string className() const override { return "ZBarReaderViewController"; }

    // What the device offers: only the camera source, when there is one.
    static bool isSourceTypeAvailable(ui::ImagePickerSourceType type);
    static bool isCameraDeviceAvailable(ui::ImagePickerCameraDevice device);
    static bool isFlashAvailableForCameraDevice(ui::ImagePickerCameraDevice device);
    // Empty for a device that is not there, else video (1) alone.
    static std::vector<int> availableCaptureModesForCameraDevice(
        ui::ImagePickerCameraDevice device);

    // Symbology settings made here govern camera scanning, before or after
    // the view loads.
    const std::shared_ptr<ZBarImageScanner>& scanner() const { return scanner_; }
    std::shared_ptr<ZBarReaderDelegate> readerDelegate() const { return readerDelegate_.lock(); }
    // Held weakly.
    void setReaderDelegate(std::weak_ptr<ZBarReaderDelegate> delegate) {
        readerDelegate_ = std::move(delegate);
    }
    // Loads the view first.
    std::shared_ptr<ZBarReaderView> readerView();

    const ui::View::Ptr& cameraOverlayView() const { return cameraOverlayView_; }
    void setCameraOverlayView(ui::View::Ptr view);
    const graphics::AffineTransform& cameraViewTransform() const { return cameraViewTransform_; }
    void setCameraViewTransform(const graphics::AffineTransform& transform);
    const graphics::Rect& scanCrop() const { return scanCrop_; }
    void setScanCrop(const graphics::Rect& crop);
    // Bit n allows interface orientation n; portrait alone at first.
    std::uint64_t supportedOrientationsMask() const { return supportedOrientationsMask_; }
    void setSupportedOrientationsMask(std::uint64_t mask) { supportedOrientationsMask_ = mask; }
    // 0 rear, 1 front (-1: the default camera is neither).
    int cameraDevice() const { return cameraDevice_; }
    void setCameraDevice(int device);
    // -1 off, 0 automatic, 1 on: the torch follows.
    int cameraFlashMode() const { return cameraFlashMode_; }
    void setCameraFlashMode(int mode);
    // 0 high, 1 medium, 2 low, 3 640x480, 4 1280x720, 5 960x540.
    int videoQuality() const { return videoQuality_; }
    void setVideoQuality(int quality);
    bool showsZBarControls() const { return showsZBarControls_; }
    void setShowsZBarControls(bool shows) { showsZBarControls_ = shows; }
    bool tracksSymbols() const { return tracksSymbols_; }
    void setTracksSymbols(bool tracks);
    bool enableCache() const { return enableCache_; }
    void setEnableCache(bool enable);

    // Picker settings of fixed value: setting another value throws
    // ZBarUnsupportedValueError; the supported one is accepted silently.
    ui::ImagePickerSourceType sourceType() const { return ui::ImagePickerSourceType::camera; }
    void setSourceType(ui::ImagePickerSourceType type);
    ui::ImagePickerCameraCaptureMode cameraCaptureMode() const {
        return ui::ImagePickerCameraCaptureMode::video;
    }
    void setCameraCaptureMode(ui::ImagePickerCameraCaptureMode mode);
    int cameraMode() const { return 1; }
    void setCameraMode(int mode);
    bool allowsEditing() const { return false; }
    void setAllowsEditing(bool allows);
    bool allowsImageEditing() const { return false; }
    void setAllowsImageEditing(bool allows);
    bool showsCameraControls() const { return false; }
    void setShowsCameraControls(bool shows);
    bool takesPicture() const { return false; }
    void setTakesPicture(bool takes);
    bool showsHelpOnFail() const { return false; }
    void setShowsHelpOnFail(bool) {}
    std::int64_t maxScanDimension() const { return 640; }
    void setMaxScanDimension(std::int64_t) {}

    // Actions.
    // The next camera frame is delivered even without a symbol.
    void takePicture();
    void cancel();
    void info();
    void showHelpWithReason(const std::string& reason);
    const std::shared_ptr<ZBarHelpController>& helpController() const { return helpController_; }
    // Shows the status bar again when this screen hid it, then dismisses.
    void dismissModalViewController(bool animated);

    // The toolbar container and the black shutter (made when the view loads).
    const ui::View::Ptr& controls() const { return controls_; }
    const ui::View::Ptr& shutter() const { return shutter_; }

    void loadView() override;
    void viewDidLoad() override;
    void viewDidUnload() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;
    void willRotateToInterfaceOrientation(ui::InterfaceOrientation o, double duration) override;
    void willAnimateRotationToInterfaceOrientation(ui::InterfaceOrientation o,
                                                   double duration) override;
    void didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) override;

    void readerViewDidReadSymbols(ZBarReaderView& view,
                                  const std::shared_ptr<ZBarSymbolSet>& symbols,
                                  const std::shared_ptr<graphics::Image>& image) override;
    bool respondsToDidStart() const override { return true; }
    void readerViewDidStart(ZBarReaderView& view) override;

    bool helpControllerDidFinish(ZBarHelpController& help) override;

  private:
    Ptr self();
    void initControls();
    void applyCameraDevice();
    void applyVideoQuality();

    std::shared_ptr<ZBarImageScanner> scanner_;
    std::weak_ptr<ZBarReaderDelegate> readerDelegate_;
    std::shared_ptr<ZBarReaderView> readerView_;
    ui::View::Ptr cameraOverlayView_;
    graphics::AffineTransform cameraViewTransform_;
    graphics::Rect scanCrop_{0, 0, 1, 1};
    std::uint64_t supportedOrientationsMask_ = 2;
    int cameraDevice_ = 0;
    int cameraFlashMode_ = 0;
    int videoQuality_ = 0;
    bool showsZBarControls_ = true;
    bool tracksSymbols_ = true;
    bool enableCache_ = true;
    std::shared_ptr<ZBarHelpController> helpController_;
    ui::View::Ptr controls_;
    ui::View::Ptr shutter_;
    bool didHideStatusBar_ = false;
    bool rotating_ = false;
};
