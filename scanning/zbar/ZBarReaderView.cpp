#include "scanning/zbar/ZBarReaderView.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include <zbar.h>

#include "platform/ui/AnimationGroup.h"
#include "platform/ui/BasicAnimation.h"
#include "platform/ui/Device.h"
#include "platform/ui/Transaction.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarReaderViewImpl.h"
#include "scanning/zbar/ZBarSymbol.h"

namespace {

constexpr int kQRCode = zbar::ZBAR_QRCODE;

void setDensity(ZBarImageScanner& scanner, int density) {
    std::lock_guard<std::recursive_mutex> lock(scanner.objectLock());
    scanner.setSymbology(0, zbar::ZBAR_CFG_X_DENSITY, density);
    scanner.setSymbology(0, zbar::ZBAR_CFG_Y_DENSITY, density);
}

}  // namespace

std::shared_ptr<ZBarReaderView> ZBarReaderView::make() {
    auto scanner = std::make_shared<ZBarImageScanner>();
    auto view = make(scanner);
    setDensity(*scanner, 3);
    return view;
}

std::shared_ptr<ZBarReaderView> ZBarReaderView::make(std::shared_ptr<ZBarImageScanner> scanner) {
    std::shared_ptr<ZBarReaderView> view = ZBarReaderViewImpl::create();
    view->initialize(std::move(scanner));
    return view;
}

ZBarReaderView::ZBarReaderView() : ui::View(graphics::Rect(0, 0, 320, 426)) {
    setBackgroundColor(graphics::Color::blackColor());
    setContentMode(ui::ContentMode::scaleAspectFill);
    setClipsToBounds(true);
    setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
}

void ZBarReaderView::initialize(std::shared_ptr<ZBarImageScanner>) {
    std::weak_ptr<ZBarReaderView> weak =
        std::static_pointer_cast<ZBarReaderView>(shared_from_this());
    pinch_ = std::make_shared<ui::PinchGestureRecognizer>([weak](ui::GestureRecognizer&) {
        if (auto self = weak.lock()) {
            self->handlePinch();
        }
    });
    addGestureRecognizer(pinch_);
}

void ZBarReaderView::initSubviews() {
    overlay_ = std::make_shared<ui::Layer>();
    overlay_->setBackgroundColor(graphics::Color::clearColor());
    preview_->addSublayer(overlay_);

    tracking_ = std::make_shared<ui::Layer>();
    tracking_->setOpacity(0);
    tracking_->setBorderWidth(1);
    tracking_->setBackgroundColor(graphics::Color::clearColor());
    tracking_->setBorderColor(trackingColor_);
    overlay_->addSublayer(tracking_);

    fpsView_ = std::make_shared<ui::View>();
    fpsView_->setBackgroundColor(graphics::Color::white(0, 0.333));
    fpsView_->layer().setCornerRadius(12);
    fpsView_->setHidden(true);
    addSubview(fpsView_);

    fpsLabel_ = std::make_shared<ui::Label>(graphics::Rect(0, 0, 80, 32));
    fpsLabel_->setBackgroundColor(graphics::Color::clearColor());
    fpsLabel_->setTextColor(graphics::Color::rgb(0.333, 0.666, 1, 1));
    fpsLabel_->setFont(ui::Font::systemFontOfSize(18));
    fpsLabel_->setTextAlignment(ui::TextAlignment::right);
    fpsView_->addSubview(fpsLabel_);

    setZoom(1.25);
}

std::shared_ptr<ZBarImageScanner> ZBarReaderView::scanner() const {
    return captureReader_ ? captureReader_->scanner() : nullptr;
}

bool ZBarReaderView::enableCache() const {
    return captureReader_ && captureReader_->enableCache();
}

void ZBarReaderView::setEnableCache(bool enable) {
    if (captureReader_) {
        captureReader_->setEnableCache(enable);
    }
}

void ZBarReaderView::setTracksSymbols(bool tracks) {
    if (tracks == tracksSymbols_) {
        return;
    }
    tracksSymbols_ = tracks;
    resetTracking();
}

void ZBarReaderView::setTrackingColor(std::optional<graphics::Color> color) {
    if (!color) {
        return;
    }
    trackingColor_ = *color;
    if (tracking_) {
        tracking_->setBorderColor(trackingColor_);
    }
}

void ZBarReaderView::setShowsFPS(bool shows) {
    if (shows == showsFPS_) {
        return;
    }
    showsFPS_ = shows;
    fpsView_->setHidden(!shows);
}

void ZBarReaderView::setZoom(double zoom) {
    zoom = std::min(std::max(zoom, 1.0), maxZoom_);
    if (zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    setNeedsLayout();
}

void ZBarReaderView::setZoom(double zoom, bool animated) {
    ui::Transaction::begin();
    if (animated) {
        ui::Transaction::setAnimationDuration(0.1);
        ui::Transaction::setAnimationTimingFunction(ui::TimingFunction::linear);
    } else {
        ui::Transaction::setDisableActions(true);
    }
    setZoom(zoom);
    layoutIfNeeded();
    ui::Transaction::commit();
}

void ZBarReaderView::setScanCrop(const graphics::Rect& crop) {
    if (crop.equalTo(scanCrop_)) {
        return;
    }
    scanCrop_ = crop;
    setNeedsLayout();
}

void ZBarReaderView::setPreviewTransform(const graphics::AffineTransform& transform) {
    previewTransform_ = transform;
    setNeedsLayout();
}

void ZBarReaderView::start() {
    if (started_) {
        return;
    }
    started_ = true;
    resetTracking();
    fpsLabel_->setText("--- fps ");
    ui::Device::currentDevice().beginGeneratingDeviceOrientationNotifications();
}

void ZBarReaderView::stop() {
    if (!started_) {
        return;
    }
    started_ = false;
    ui::Device::currentDevice().endGeneratingDeviceOrientationNotifications();
}

void ZBarReaderView::willRotateToInterfaceOrientation(ui::InterfaceOrientation orientation,
                                                      double duration) {
    if (orientation != interfaceOrientation_) {
        interfaceOrientation_ = orientation;
        animationDuration_ = duration;
    }
}

void ZBarReaderView::setImageSize(graphics::Size size) {
    imageSize_ = size;
    preview_->setBounds(graphics::Rect(0, 0, size.width, size.height));
    setNeedsLayout();
}

void ZBarReaderView::resetTracking() {
    if (!tracking_) {
        return;
    }
    tracking_->removeAllAnimations();
    ui::Transaction::begin();
    ui::Transaction::setDisableActions(true);
    auto size = overlay_->bounds().size;
    tracking_->setFrame(graphics::Rect(
        effectiveCrop_.origin.x * size.width, effectiveCrop_.origin.y * size.height,
        effectiveCrop_.size.width * size.width, effectiveCrop_.size.height * size.height));
    tracking_->setOpacity(0);
    ui::Transaction::commit();
}

void ZBarReaderView::layoutSubviews() {
    auto bounds = this->bounds();
    double W = bounds.size.width;
    double H = bounds.size.height;
    if (W == 0 || H == 0) {
        return;
    }
    ui::Transaction::begin();
    if (animationDuration_ == 0) {
        ui::Transaction::setDisableActions(true);
    } else {
        ui::Transaction::setAnimationDuration(animationDuration_);
        ui::Transaction::setAnimationTimingFunction(ui::TimingFunction::easeInEaseOut);
    }
    fpsView_->setFrame(graphics::Rect(W - 80, H - 32, 92, 44));

    bool portrait = interfaceOrientation_ == ui::InterfaceOrientation::portrait ||
                    interfaceOrientation_ == ui::InterfaceOrientation::portraitUpsideDown;
    double a = portrait ? H : W;
    double b = portrait ? W : H;
    double iw = imageSize_.width;
    double ih = imageSize_.height;
    double s = std::min(iw / a, ih / b);
    if (s == 0) {
        s = 1;
    }
    imageScale_ = s / zoom_;
    double z = 1 / zoom_;

    double vw, vh;
    if (iw / a < ih / b && ih != 0) {
        vw = z;
        vh = b * imageScale_ / ih;
    } else if (iw == 0) {
        vw = 1;
        vh = 1;
    } else {
        vw = a * imageScale_ / iw;
        vh = z;
    }
    double m = (1 - z) / 2;
    graphics::Rect zoomed(z * scanCrop_.origin.x + m, z * scanCrop_.origin.y + m,
                          z * scanCrop_.size.width, z * scanCrop_.size.height);
    auto visible = graphics::Rect((1 - vw) / 2, (1 - vh) / 2, vw, vh);
    auto clipped = zoomed.intersection(visible);
    effectiveCrop_ = clipped.isNull() ? zoomed : clipped;

    double k = 1 / imageScale_;
    if (iw != 0 && ih != 0) {
        a = k * iw;
        b = k * ih;
    }

    double angle = 0;
    switch (interfaceOrientation_) {
        case ui::InterfaceOrientation::portrait:
            angle = 2 * M_PI;
            break;
        case ui::InterfaceOrientation::portraitUpsideDown:
            angle = M_PI;
            break;
        case ui::InterfaceOrientation::landscapeRight:
            angle = 3 * M_PI / 2;
            break;
        case ui::InterfaceOrientation::landscapeLeft:
            angle = M_PI / 2;
            break;
        default:
            angle = 0;
    }
    preview_->setBounds(graphics::Rect(0, 0, b, a));
    preview_->setPosition({W / 2, H / 2});
    preview_->setTransform(ui::Transform3D::makeAffine(previewTransform_).rotate(angle, 0, 0, 1));

    if (iw == 0 || ih == 0) {
        overlay_->setBounds(graphics::Rect(0, 0, a, b));
    } else {
        overlay_->setBounds(graphics::Rect(0, 0, iw, ih));
    }
    overlay_->setPosition({b / 2, a / 2});
    overlay_->setTransform(ui::Transform3D::makeRotation(M_PI / 2, 0, 0, 1).scale(k, k, 1));

    tracking_->setBorderWidth(imageScale_);
    resetTracking();
    updateCrop();
    ui::Transaction::commit();
    animationDuration_ = 0;
}

void ZBarReaderView::captureReaderDidTrackSymbols(ZBarCaptureReader&,
                                                  const std::shared_ptr<ZBarSymbolSet>& symbols) {
    didTrackSymbols(symbols);
}

void ZBarReaderView::didTrackSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols) {
    if (!tracksSymbols_ || !symbols || symbols->count() == 0) {
        return;
    }
    std::shared_ptr<ZBarSymbol> best;
    for (auto symbol : *symbols) {
        if (!best || symbol->type() == kQRCode || symbol->quality() > best->quality()) {
            best = symbol;
        }
    }
    if (best) {
        updateTracking(best);
    }
}

void ZBarReaderView::updateTracking(const std::shared_ptr<ZBarSymbol>& symbol) {
    auto bounds = symbol->bounds();
    if (bounds.isNull() || (bounds.width() <= 32 && bounds.height() <= 32)) {
        return;
    }
    auto r = bounds.insetBy(-24, -24);
    auto current = tracking_->presentationLayer();
    auto position = current->position();
    auto size = current->bounds();
    double opacity = current->opacity();

    auto makeStep = [](const char* key) {
        auto step = std::make_shared<ui::BasicAnimation>(key);
        step->timingFunction = ui::TimingFunction::linear;
        step->fillMode = ui::FillMode::forwards;
        step->removedOnCompletion = false;
        return step;
    };
    auto grow = makeStep("bounds");
    grow->fromValue = size;
    grow->toValue =
        graphics::Rect(size.origin, graphics::Size{(3 * r.width() + size.size.width) / 4,
                                                   (3 * r.height() + size.size.height) / 4});
    grow->duration = 0.2;
    auto move = makeStep("position");
    move->fromValue = position;
    move->toValue =
        graphics::Point{(position.x + 3 * r.midX()) / 4, (position.y + 3 * r.midY()) / 4};
    move->duration = 0.2;
    auto show = makeStep("opacity");
    show->fromValue = opacity;
    show->toValue = 1.0;
    show->duration = 0.2;
    auto fade = makeStep("opacity");
    fade->fromValue = 1.0;
    fade->toValue = 0.0;
    fade->beginTime = 0.5;
    fade->duration = 0.5;

    ui::AnimationGroup group;
    group.duration = 1;
    group.fillMode = ui::FillMode::forwards;
    group.removedOnCompletion = true;
    group.animations = {grow, move, show, fade};
    tracking_->addAnimation(group, "tracking");
}

void ZBarReaderView::captureReaderDidReadNewSymbolsFromImage(
    ZBarCaptureReader&, const std::shared_ptr<ZBarImage>& image) {
    auto delegate = readerDelegate();
    if (!delegate || !image) {
        return;
    }
    auto orientation = graphics::ImageOrientation::right;
    switch (ui::Device::currentDevice().orientation()) {
        case ui::DeviceOrientation::portraitUpsideDown:
            orientation = graphics::ImageOrientation::left;
            break;
        case ui::DeviceOrientation::landscapeLeft:
            orientation = graphics::ImageOrientation::up;
            break;
        case ui::DeviceOrientation::landscapeRight:
            orientation = graphics::ImageOrientation::down;
            break;
        case ui::DeviceOrientation::portrait:
            orientation = graphics::ImageOrientation::right;
            break;
        default:
            switch (interfaceOrientation_) {
                case ui::InterfaceOrientation::landscapeLeft:
                    orientation = graphics::ImageOrientation::up;
                    break;
                case ui::InterfaceOrientation::landscapeRight:
                    orientation = graphics::ImageOrientation::down;
                    break;
                case ui::InterfaceOrientation::portraitUpsideDown:
                    orientation = graphics::ImageOrientation::left;
                    break;
                default:
                    orientation = graphics::ImageOrientation::right;
            }
    }
    auto picture = image->UIImageWithOrientation(orientation);
    auto own = image->symbols();
    auto symbols = own ? ZBarSymbolSet::make(own->zbarSymbolSet(), own->texts()) : nullptr;
    delegate->readerViewDidReadSymbols(*this, symbols, picture);
}

void ZBarReaderView::handlePinch() {
    if (pinch_->state() == ui::GestureRecognizerState::began) {
        zoom0_ = zoom_;
    }
    double requested = zoom0_ * pinch_->scale();
    setZoom(requested, true);
    // The scanner's density follows the zoom across 1.5: finer when zoomed out.
    double applied = zoom_;
    if ((requested < 1.5) != (applied < 1.5)) {
        if (auto scanner = this->scanner()) {
            setDensity(*scanner, requested < 1.5 ? 3 : 2);
        }
    }
}
