#pragma once

// The camera view of the reader: the live preview with an overlay in image
// coordinates, a tracking rectangle that follows the best symbol, a frame-rate
// badge and pinch zoom. It maps the caller's scan crop through zoom and aspect
// into the crop the capture reader scans, and turns each hit into a picture and
// a symbol set for its delegate. make() gives a ZBarReaderViewImpl, which holds
// the capture session, the camera and its input; this class holds the view and
// layout logic.

#include <memory>

#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "platform/media/CaptureDevice.h"
#include "platform/ui/InterfaceOrientation.h"
#include "platform/ui/Label.h"
#include "platform/ui/Layer.h"
#include "platform/ui/PinchGestureRecognizer.h"
#include "platform/ui/View.h"
#include "scanning/zbar/ZBarCaptureDelegate.h"
#include "scanning/zbar/ZBarCaptureReader.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarReaderViewDelegate.h"
#include "scanning/zbar/ZBarSymbolSet.h"

class ZBarReaderView : public ui::View, public ZBarCaptureDelegate {
  public:
    // init: a new scanner, then x- and y-density 3 for all symbologies.
    static std::shared_ptr<ZBarReaderView> make();
    // initWithImageScanner:
    static std::shared_ptr<ZBarReaderView> make(std::shared_ptr<ZBarImageScanner> scanner);

    std::shared_ptr<ZBarReaderViewDelegate> readerDelegate() const {
        return readerDelegate_.lock();
    }
    void setReaderDelegate(const std::weak_ptr<ZBarReaderViewDelegate>& d) { readerDelegate_ = d; }
    const std::shared_ptr<ZBarCaptureReader>& captureReader() const { return captureReader_; }
    std::shared_ptr<ZBarImageScanner> scanner() const;

    bool tracksSymbols() const { return tracksSymbols_; }
    void setTracksSymbols(bool tracks);
    const graphics::Color& trackingColor() const { return trackingColor_; }
    // nullopt is ignored.
    void setTrackingColor(std::optional<graphics::Color> color);
    bool allowsPinchZoom() const { return pinch_->isEnabled(); }
    void setAllowsPinchZoom(bool allows) { pinch_->setEnabled(allows); }
    media::TorchMode torchMode() const { return torchMode_; }
    virtual void setTorchMode(media::TorchMode mode) { torchMode_ = mode; }
    bool showsFPS() const { return showsFPS_; }
    virtual void setShowsFPS(bool shows);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void setZoom(double zoom, bool animated);
    double maxZoom() const { return maxZoom_; }
    void setMaxZoom(double maxZoom) { maxZoom_ = maxZoom; }
    const graphics::Rect& scanCrop() const { return scanCrop_; }
    void setScanCrop(const graphics::Rect& crop);
    const graphics::Rect& effectiveCrop() const { return effectiveCrop_; }
    const graphics::AffineTransform& previewTransform() const { return previewTransform_; }
    void setPreviewTransform(const graphics::AffineTransform& transform);
    bool enableCache() const;
    void setEnableCache(bool enable);
    double imageScale() const { return imageScale_; }
    graphics::Size imageSize() const { return imageSize_; }
    ui::InterfaceOrientation interfaceOrientation() const { return interfaceOrientation_; }

    bool isStarted() const { return started_; }
    bool isRunning() const { return running_; }
    bool isLocked() const { return locked_; }

    virtual void start();
    virtual void stop();
    virtual void flushCache() {}
    void willRotateToInterfaceOrientation(ui::InterfaceOrientation orientation, double duration);
    void setImageSize(graphics::Size size);
    void resetTracking();

    const std::shared_ptr<ui::Layer>& preview() const { return preview_; }
    const std::shared_ptr<ui::Layer>& overlay() const { return overlay_; }
    const std::shared_ptr<ui::Layer>& tracking() const { return tracking_; }
    const ui::View::Ptr& fpsView() const { return fpsView_; }
    const ui::Label::Ptr& fpsLabel() const { return fpsLabel_; }
    const std::shared_ptr<ui::PinchGestureRecognizer>& pinch() const { return pinch_; }

    void layoutSubviews() override;

    // Capture reader callbacks (main thread).
    void captureReaderDidReadNewSymbolsFromImage(ZBarCaptureReader& reader,
                                                 const std::shared_ptr<ZBarImage>& image) override;
    bool respondsToDidTrackSymbols() const override { return true; }
    void captureReaderDidTrackSymbols(ZBarCaptureReader& reader,
                                      const std::shared_ptr<ZBarSymbolSet>& symbols) override;
    // Picks the symbol to track and moves the rectangle to it.
    void didTrackSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols);

  protected:
    ZBarReaderView();
    // The private initialisation: initial values and the pinch recogniser;
    // subclasses add their capture objects, then call initSubviews().
    virtual void initialize(std::shared_ptr<ZBarImageScanner> scanner);
    virtual void initSubviews();
    virtual void updateCrop() {}
    void updateTracking(const std::shared_ptr<ZBarSymbol>& symbol);
    void handlePinch();

    std::weak_ptr<ZBarReaderViewDelegate> readerDelegate_;
    std::shared_ptr<ZBarCaptureReader> captureReader_;
    graphics::Rect scanCrop_{0, 0, 1, 1};
    graphics::Rect effectiveCrop_{0, 0, 1, 1};
    graphics::AffineTransform previewTransform_;
    double zoom_ = 1;
    double zoom0_ = 1;
    double maxZoom_ = 2;
    graphics::Color trackingColor_ = graphics::Color::greenColor();
    bool tracksSymbols_ = true;
    bool showsFPS_ = false;
    media::TorchMode torchMode_ = media::TorchMode::automatic;
    ui::InterfaceOrientation interfaceOrientation_ = ui::InterfaceOrientation::portrait;
    double animationDuration_ = 0;
    std::shared_ptr<ui::Layer> preview_;
    std::shared_ptr<ui::Layer> overlay_;
    std::shared_ptr<ui::Layer> tracking_;
    ui::View::Ptr fpsView_;
    ui::Label::Ptr fpsLabel_;
    std::shared_ptr<ui::PinchGestureRecognizer> pinch_;
    double imageScale_ = 1;
    graphics::Size imageSize_;
    bool started_ = false;
    bool running_ = false;
    bool locked_ = false;
};
