#pragma once

// The still-image reader: an image picker that scans the photo it is given
// (from the library, or from the camera when the picker takes pictures) and
// hands the best symbols to its reader delegate together with the picker's
// info dictionary, or tells it that nothing was found. With the camera source
// it lays its own controls over the camera (Cancel, "Scan!", info) and can
// take pictures in a sequence until one holds a code.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Layer.h"
#include "platform/ui/Toolbar.h"
#include "scanning/zbar/ZBarHelpDelegate.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarReaderDelegate.h"
#include "scanning/zbar/ZBarSymbol.h"

class ZBarHelpController;

class ZBarReaderController : public ui::ImagePickerController,
                             public ui::ImagePickerControllerDelegate,
                             public ZBarHelpDelegate {
  public:
    using Ptr = std::shared_ptr<ZBarReaderController>;

    // Camera modes.
    static constexpr int kCameraModeDefault = 0;
    static constexpr int kCameraModeSampling = 1;
    static constexpr int kCameraModeSequence = 2;

    // init: scans with `scanner` (a new one when none is given), set to
    // x- and y-density 2 for all symbologies; the camera is the source when
    // the platform has one.
    explicit ZBarReaderController(std::shared_ptr<ZBarImageScanner> scanner = nullptr);
    ~ZBarReaderController() override;

    std::string className() const override { return "ZBarReaderController"; }

    const std::shared_ptr<ZBarImageScanner>& scanner() const { return scanner_; }
    std::shared_ptr<ZBarReaderDelegate> readerDelegate() const { return readerDelegate_.lock(); }
    // Held weakly. setDelegate is the same.
    void setReaderDelegate(std::weak_ptr<ZBarReaderDelegate> delegate) {
        readerDelegate_ = std::move(delegate);
    }
    void setDelegate(std::weak_ptr<ZBarReaderDelegate> delegate) {
        setReaderDelegate(std::move(delegate));
    }

    bool showsZBarControls() const { return showsZBarControls_; }
    // Throws std::invalid_argument for true when the picker has no camera
    // overlay.
    void setShowsZBarControls(bool shows);
    bool showsHelpOnFail() const { return showsHelpOnFail_; }
    void setShowsHelpOnFail(bool shows) { showsHelpOnFail_ = shows; }
    bool takesPicture() const { return takesPicture_; }
    void setTakesPicture(bool takes) { takesPicture_ = takes; }
    bool enableCache() const { return enableCache_; }
    void setEnableCache(bool enable) { enableCache_ = enable; }
    bool tracksSymbols() const { return tracksSymbols_; }
    void setTracksSymbols(bool tracks) { tracksSymbols_ = tracks; }
    int cameraMode() const { return cameraMode_; }
    // Throws std::invalid_argument for the sampling mode, which needs
    // private platform interfaces.
    void setCameraMode(int mode);
    // The part of each picture to scan, normalised; (0, 0, 1, 1) at first.
    graphics::Rect scanCrop() const { return scanCrop_; }
    void setScanCrop(graphics::Rect crop) { scanCrop_ = crop; }
    // Pictures are scanned with their longer side at most this long (640).
    std::int64_t maxScanDimension() const { return maxScanDimension_; }
    void setMaxScanDimension(std::int64_t dimension) { maxScanDimension_ = dimension; }
    bool hasOverlay() const { return hasOverlay_; }
    bool isSampling() const { return sampling_; }

    // The best symbols of `picture`: scanned as is and, when that finds
    // nothing in a picture of at least 640 by 640, again at half size. A QR
    // code beats every other symbol; other symbols count from quality 10 on,
    // and only those of the highest quality are kept. Empty when nothing
    // counts, when the picture is missing and when the scan fails.
    ZBarSymbolList scanImage(const graphics::Image::Ptr& picture);
    // scanImage:withScaling: : scans the crop of `picture` at the size the
    // maximum dimension allows, times `scale` when it is not 0. Answers the
    // scanner's count, negative when the scan failed or the picture could
    // not be drawn.
    int scanImage(const graphics::Bitmap& picture, double scale);
    // The symbol of highest quality of the last scan (the first of equals),
    // among the filtered results or the whole unfiltered chain.
    std::shared_ptr<ZBarSymbol> extractBestResult(bool filter) const;
    // The averaged seconds between scans.
    double frameInterval() const { return dtFrame_; }

    // Actions of the camera controls.
    void scan();
    void reenable();
    void cancel();
    void info();
    void showHelpWithReason(const std::string& reason);
    const std::shared_ptr<ZBarHelpController>& helpController() const { return help_; }

    // The camera overlay and its parts (made when the view loads).
    const ui::View::Ptr& overlay() const { return overlay_; }
    const ui::View::Ptr& boxView() const { return boxView_; }
    const std::shared_ptr<ui::Layer>& boxLayer() const { return boxLayer_; }
    const std::shared_ptr<ui::Toolbar>& toolbar() const { return toolbar_; }
    const ui::BarButtonItem::Ptr& scanButton() const { return scanBtn_; }
    const std::shared_ptr<ui::Button>& infoButton() const { return infoBtn_; }

    // The tracking box follows `symbol` (or fades without one) in a picture
    // of `imageSize`.
    void updateBox(const std::shared_ptr<ZBarSymbol>& symbol, graphics::Size imageSize);

    void viewDidLoad() override;
    void viewDidUnload() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // The picker's own delegate is this controller.
    void imagePickerDidFinishPickingMediaWithInfo(ui::ImagePickerController& picker,
                                                  const ui::MediaInfo& info) override;
    void imagePickerDidCancel(ui::ImagePickerController& picker) override;

    bool helpControllerDidFinish(ZBarHelpController& help) override;

  private:
    Ptr self();
    void initOverlay();
    void initScanning();
    void scanSequence(const graphics::Image::Ptr& picture);
    void deliverResults(const ZBarSymbolList& results, const ui::MediaInfo& info);
    void failedToRead();
    bool isCameraSource() const { return sourceType() == ui::ImagePickerSourceType::camera; }

    std::shared_ptr<ZBarImageScanner> scanner_;
    std::shared_ptr<ZBarHelpController> help_;
    ui::View::Ptr overlay_;
    ui::View::Ptr boxView_;
    std::shared_ptr<ui::Layer> boxLayer_;
    std::shared_ptr<ui::Toolbar> toolbar_;
    ui::BarButtonItem::Ptr cancelBtn_;
    ui::BarButtonItem::Ptr scanBtn_;
    std::vector<ui::BarButtonItem::Ptr> space_;
    std::shared_ptr<ui::Button> infoBtn_;
    std::weak_ptr<ZBarReaderDelegate> readerDelegate_;
    bool showsZBarControls_ = true;
    bool showsHelpOnFail_ = true;
    bool takesPicture_ = false;
    bool enableCache_ = true;
    int cameraMode_ = kCameraModeDefault;
    graphics::Rect scanCrop_{0, 0, 1, 1};
    std::int64_t maxScanDimension_ = 640;
    bool hasOverlay_ = true;
    bool sampling_ = false;
    double tFrame_ = 0;
    double dtFrame_ = 0;
    std::shared_ptr<ZBarSymbol> symbol_;
    bool tracksSymbols_ = true;
};
