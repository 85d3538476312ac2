#include "scanning/zbar/ZBarReaderController.h"

#include <any>
#include <climits>
#include <mutex>
#include <stdexcept>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Control.h"
#include "platform/ui/Transaction.h"
#include "platform/ui/ViewAnimation.h"
#include "scanning/zbar/ZBarHelpController.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarSymbolSet.h"

namespace {

constexpr int kQRCode = 64;
// Symbols below this quality do not count, QR codes aside.
constexpr int kMinimumQuality = 10;
constexpr double kControlsHeight = 54;

graphics::Image::Ptr originalImage(const ui::MediaInfo& info) {
    auto found = info.find(ui::ImagePickerControllerOriginalImage);
    if (found == info.end()) {
        return nullptr;
    }
    const auto* image = std::any_cast<graphics::Image::Ptr>(&found->second);
    return image ? *image : nullptr;
}

// The density that lets the scanner skip lines of a long side: every line up
// to 720 pixels, fewer beyond.
int densityFor(double side) {
    return side > 720 ? static_cast<int>((side / 240 + 1) / 2) : 1;
}

}  // namespace

ZBarReaderController::ZBarReaderController(std::shared_ptr<ZBarImageScanner> scanner)
    : scanner_(scanner ? std::move(scanner) : std::make_shared<ZBarImageScanner>()) {
    showsZBarControls_ = hasOverlay_;
    {
        std::lock_guard lock(scanner_->objectLock());
        scanner_->setSymbology(0, ZBarImageScanner::kXDensity, 2);
        scanner_->setSymbology(0, ZBarImageScanner::kYDensity, 2);
    }
    if (isSourceTypeAvailable(ui::ImagePickerSourceType::camera)) {
        setSourceType(ui::ImagePickerSourceType::camera);
    }
}

ZBarReaderController::~ZBarReaderController() {
    foundation::RunLoop::main().cancelPerforms(this);
}

ZBarReaderController::Ptr ZBarReaderController::self() {
    return std::static_pointer_cast<ZBarReaderController>(shared_from_this());
}

void ZBarReaderController::setShowsZBarControls(bool shows) {
    if (shows && !hasOverlay_) {
        throw std::invalid_argument(
            "ZBarReaderController cannot set showsZBarControls=YES for OS<3.1");
    }
    showsZBarControls_ = shows;
}

void ZBarReaderController::setCameraMode(int mode) {
    if (mode == kCameraModeSampling) {
        throw std::invalid_argument(
            "ZBarReaderController cannot set cameraMode=Sampling when USE_PRIVATE_APIS=0");
    }
    cameraMode_ = mode;
}

// MARK: - Scanning

int ZBarReaderController::scanImage(const graphics::Bitmap& picture, double scale) {
    const double now = foundation::Clock::monotonic();
    const double delay = now - tFrame_;
    dtFrame_ = dtFrame_ == 0 ? delay : (dtFrame_ + delay) / 2;
    tFrame_ = now;

    const double w = picture.width();
    const double h = picture.height();
    graphics::Rect crop;
    if (w < h) {
        // A portrait picture: the crop is given for the landscape camera image.
        crop = {w * scanCrop_.origin.y, h * scanCrop_.origin.x, w * scanCrop_.size.height,
                h * scanCrop_.size.width};
    } else {
        crop = {w * scanCrop_.origin.x, h * scanCrop_.origin.y, w * scanCrop_.size.width,
                h * scanCrop_.size.height};
    }
    if (crop.size.width <= 0 || crop.size.height <= 0) {
        return -1;
    }

    const double maxDimension = static_cast<double>(maxScanDimension_);
    graphics::Size size = crop.size;
    if (crop.size.width >= crop.size.height && crop.size.width > maxDimension) {
        size = {maxDimension, crop.size.height * maxDimension / crop.size.width};
    } else if (crop.size.height > maxDimension) {
        size = {crop.size.width * maxDimension / crop.size.height, maxDimension};
    }
    if (scale != 0) {
        size = {size.width * scale, size.height * scale};
    }

    std::lock_guard lock(scanner_->objectLock());
    if (!isCameraSource() || cameraMode_ == kCameraModeDefault) {
        scanner_->setSymbology(0, ZBarImageScanner::kXDensity, densityFor(size.width));
        scanner_->setSymbology(0, ZBarImageScanner::kYDensity, densityFor(size.height));
    }
    auto image = ZBarImage::makeWithCGImage(picture, crop, size);
    if (!image) {
        return -1;
    }
    return scanner_->scanImage(*image);
}

ZBarSymbolList ZBarReaderController::scanImage(const graphics::Image::Ptr& picture) {
    if (!picture || !picture->bitmap()) {
        return {};
    }
    const graphics::Bitmap& bitmap = *picture->bitmap();
    // A failed scan (negative count) is no read: the scanner's results would
    // still be those of an earlier picture.
    int count = scanImage(bitmap, 0);
    if (count <= 0 && bitmap.width() >= 640 && bitmap.height() >= 640) {
        count = scanImage(bitmap, 0.5);
    }
    if (count <= 0) {
        return {};
    }
    auto results = scanner_->results();
    if (!results) {
        return {};
    }
    ZBarSymbolList best;
    int bestScore = kMinimumQuality;
    for (const auto& symbol : *results) {
        const int score = symbol->type() == kQRCode ? INT_MAX : symbol->quality();
        if (score < bestScore) {
            continue;
        }
        if (score > bestScore) {
            best.clear();
            bestScore = score;
        }
        best.push_back(symbol);
    }
    return best;
}

std::shared_ptr<ZBarSymbol> ZBarReaderController::extractBestResult(bool filter) const {
    auto results = scanner_->results();
    if (!results) {
        return nullptr;
    }
    results->setFilterSymbols(filter);
    std::shared_ptr<ZBarSymbol> best;
    for (const auto& symbol : *results) {
        if (!best || symbol->quality() > best->quality()) {
            best = symbol;
        }
    }
    return best;
}

// MARK: - Picker

void ZBarReaderController::imagePickerDidFinishPickingMediaWithInfo(
    ui::ImagePickerController& picker, const ui::MediaInfo& info) {
    auto keep = self();
    auto picture = originalImage(info);
    if (isCameraSource() && cameraMode_ == kCameraModeSequence) {
        if (sampling_) {
            std::weak_ptr<ZBarReaderController> weak = keep;
            foundation::RunLoop::main().performAfter(
                0.001,
                [weak, picture] {
                    if (auto reader = weak.lock()) {
                        reader->scanSequence(picture);
                    }
                },
                this, "scanSequence:");
        }
        return;
    }

    ZBarSymbolList results;
    if (sampling_ && symbol_) {
        results.push_back(std::move(symbol_));
    } else {
        results = scanImage(picture);
    }

    std::weak_ptr<ZBarReaderController> weak = keep;
    foundation::RunLoop::main().performAfter(
        0.25,
        [weak] {
            if (auto reader = weak.lock()) {
                reader->reenable();
            }
        },
        this, "reenable");

    if (!results.empty()) {
        deliverResults(results, info);
    } else {
        failedToRead();
    }
}

void ZBarReaderController::deliverResults(const ZBarSymbolList& results,
                                          const ui::MediaInfo& info) {
    ui::MediaInfo read = info;
    read[ZBarReaderControllerResults] = results;
    auto delegate = readerDelegate();
    if (!delegate || !delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*this, read)) {
        dismissViewController(true);
    }
}

void ZBarReaderController::failedToRead() {
    bool retry = true;
    if (isCameraSource()) {
        retry = hasOverlay_ && !showsCameraControls();
    }
    if (showsHelpOnFail_ && retry) {
        ui::AlertView::make("Scan Error", "Unable to detect valid QR code or barcode.", {}, "Okay")
            ->show();
    }
    auto delegate = readerDelegate();
    const bool told = delegate && delegate->readerControllerDidFailToRead(*this, retry);
    if (!told && !retry) {
        dismissViewController(true);
    }
}

void ZBarReaderController::imagePickerDidCancel(ui::ImagePickerController& picker) {
    auto keep = self();
    auto delegate = readerDelegate();
    if (!delegate || !delegate->imagePickerControllerDidCancel(*this)) {
        dismissViewController(true);
    }
}

// MARK: - Controls

void ZBarReaderController::scan() {
    if (scanBtn_) {
        scanBtn_->setEnabled(false);
    }
    view()->setUserInteractionEnabled(false);
    takePicture();
}

void ZBarReaderController::reenable() {
    if (scanBtn_) {
        scanBtn_->setEnabled(true);
    }
    if (isViewLoaded()) {
        view()->setUserInteractionEnabled(true);
    }
}

void ZBarReaderController::cancel() {
    std::weak_ptr<ZBarReaderController> weak = self();
    foundation::RunLoop::main().performAfter(
        0.1,
        [weak] {
            if (auto reader = weak.lock()) {
                reader->imagePickerDidCancel(*reader);
            }
        },
        this, "imagePickerControllerDidCancel:");
}

void ZBarReaderController::info() {
    showHelpWithReason("INFO");
}

void ZBarReaderController::showHelpWithReason(const std::string& reason) {
    if (help_) {
        if (help_->isViewLoaded()) {
            help_->view()->removeFromSuperview();
        }
        help_.reset();
    }
    help_ = std::make_shared<ZBarHelpController>(reason);
    help_->setDelegate(std::weak_ptr<ZBarHelpDelegate>(self()));
    if (!isCameraSource()) {
        presentViewController(help_, true);
        return;
    }
    sampling_ = false;
    {
        std::lock_guard lock(scanner_->objectLock());
        scanner_->setEnableCache(false);
    }
    auto overlay = cameraOverlayView() ? cameraOverlayView() : overlay_;
    help_->setWantsFullScreenLayout(true);
    auto helpView = help_->view();
    helpView->setAlpha(0);
    if (overlay) {
        helpView->setFrame(overlay->convertRectFromView({0, 0, 320, 480}, nullptr));
        overlay->addSubview(helpView);
    }
    ui::ViewAnimation::beginAnimations("ZBarHelp");
    helpView->setAlpha(1);
    ui::ViewAnimation::commitAnimations();
}

bool ZBarReaderController::helpControllerDidFinish(ZBarHelpController& help) {
    if (!isCameraSource()) {
        help.dismissViewController(true);
        return true;
    }
    auto helpView = help.view();
    ui::ViewAnimation::beginAnimations("ZBarHelp");
    ui::ViewAnimation::setAnimationDidStop(
        [weakView = std::weak_ptr<ui::View>(helpView)](const std::string&, bool, void*) {
            if (auto view = weakView.lock(); view && view->alpha() == 0) {
                view->removeFromSuperview();
            }
        });
    helpView->setAlpha(0);
    ui::ViewAnimation::commitAnimations();
    initScanning();
    return true;
}

// MARK: - Camera overlay

void ZBarReaderController::viewDidLoad() {
    ui::ImagePickerController::viewDidLoad();
    setPickerDelegate(std::weak_ptr<ui::ImagePickerControllerDelegate>(self()));
    if (hasOverlay_) {
        initOverlay();
    }
}

void ZBarReaderController::viewDidUnload() {
    overlay_.reset();
    boxView_.reset();
    boxLayer_.reset();
    toolbar_.reset();
    cancelBtn_.reset();
    scanBtn_.reset();
    space_.clear();
    infoBtn_.reset();
    help_.reset();
    ui::ImagePickerController::viewDidUnload();
}

void ZBarReaderController::initOverlay() {
    const graphics::Rect bounds = view()->bounds();
    const double w = bounds.size.width;
    const double h = bounds.size.height;
    std::weak_ptr<ZBarReaderController> weak = self();

    overlay_ = std::make_shared<ui::View>(bounds);
    overlay_->setBackgroundColor(graphics::Color::clearColor());

    const graphics::Rect boxFrame{0, 0, w, h - kControlsHeight};
    boxView_ = std::make_shared<ui::View>(boxFrame);
    boxLayer_ = std::make_shared<ui::Layer>();
    boxLayer_->setFrame(boxFrame);
    boxLayer_->setBorderWidth(1);
    boxLayer_->setBorderColor(graphics::Color::greenColor());
    boxView_->layer().addSublayer(boxLayer_);

    toolbar_ =
        std::make_shared<ui::Toolbar>(graphics::Rect{0, h - kControlsHeight, w, kControlsHeight});
    toolbar_->setBarStyle(ui::BarStyle::black);
    cancelBtn_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::cancel,
                                                   [weak](ui::BarButtonItem&) {
                                                       if (auto reader = weak.lock()) {
                                                           reader->cancel();
                                                       }
                                                   });
    cancelBtn_->setWidth(w / 4 - 16);
    scanBtn_ = ui::BarButtonItem::withTitle("Scan!", ui::BarButtonItemStyle::done,
                                            [weak](ui::BarButtonItem&) {
                                                if (auto reader = weak.lock()) {
                                                    reader->scan();
                                                }
                                            });
    scanBtn_->setWidth(w / 2 - 16);
    space_ = {ui::BarButtonItem::flexibleSpace(), ui::BarButtonItem::flexibleSpace(),
              ui::BarButtonItem::fixedSpace(w / 4 - 16)};

    infoBtn_ = ui::Button::buttonWithType(ui::ButtonType::infoLight);
    infoBtn_->setFrame(
        {w - kControlsHeight, h - kControlsHeight, kControlsHeight, kControlsHeight});
    infoBtn_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto reader = weak.lock()) {
            reader->info();
        }
    });
}

void ZBarReaderController::initScanning() {
    if (!hasOverlay_ || !isCameraSource() || !overlay_) {
        return;
    }
    if (showsZBarControls_ || !cameraOverlayView()) {
        setCameraOverlayView(overlay_);
    }
    if (showsZBarControls_) {
        if (!toolbar_->superview()) {
            overlay_->addSubview(toolbar_);
            overlay_->addSubview(infoBtn_);
        }
        setShowsCameraControls(false);
    } else {
        toolbar_->removeFromSuperview();
        infoBtn_->removeFromSuperview();
        if (cameraOverlayView() == overlay_) {
            setShowsCameraControls(true);
        }
    }

    view()->setUserInteractionEnabled(true);
    sampling_ = cameraMode_ == kCameraModeSampling || cameraMode_ == kCameraModeSequence;
    std::weak_ptr<ZBarReaderController> weak = self();
    auto& loop = foundation::RunLoop::main();
    if (!sampling_) {
        scanBtn_->setEnabled(false);
        toolbar_->setItems({cancelBtn_, space_[0], scanBtn_, space_[1], space_[2]});
        loop.performAfter(
            0.5,
            [weak] {
                if (auto reader = weak.lock()) {
                    reader->reenable();
                }
            },
            this, "reenable");
        boxView_->removeFromSuperview();
        return;
    }

    toolbar_->setItems({cancelBtn_, space_[0]});
    tFrame_ = foundation::Clock::monotonic();
    dtFrame_ = 0;
    boxLayer_->setOpacity(0);
    if (auto overlay = cameraOverlayView()) {
        boxView_->removeFromSuperview();
        overlay->insertSubview(boxView_, 0);
    }
    {
        std::lock_guard lock(scanner_->objectLock());
        scanner_->setEnableCache(enableCache_);
    }
    if (cameraMode_ == kCameraModeSequence) {
        loop.performAfter(
            2,
            [weak] {
                if (auto reader = weak.lock()) {
                    reader->takePicture();
                }
            },
            this, "takePicture");
    }
}

void ZBarReaderController::scanSequence(const graphics::Image::Ptr& picture) {
    if (!sampling_ || !picture || !picture->bitmap()) {
        return;
    }
    const graphics::Size imageSize{static_cast<double>(picture->bitmap()->width()),
                                   static_cast<double>(picture->bitmap()->height())};
    std::shared_ptr<ZBarSymbol> symbol;
    if (scanImage(*picture->bitmap(), 0) > 0) {
        symbol = extractBestResult(false);
    }
    if (symbol) {
        // A hit ends the run and is delivered as a picked picture would be.
        sampling_ = false;
        if (tracksSymbols_) {
            updateBox(symbol, imageSize);
        }
        ui::MediaInfo info;
        info[ui::ImagePickerControllerOriginalImage] = picture;
        info[ui::ImagePickerControllerMediaType] = std::string("public.image");
        deliverResults({symbol}, info);
        return;
    }
    std::weak_ptr<ZBarReaderController> weak = self();
    foundation::RunLoop::main().performAfter(
        0.001,
        [weak] {
            if (auto reader = weak.lock()) {
                reader->takePicture();
            }
        },
        this, "takePicture");
    if (tracksSymbols_) {
        updateBox(nullptr, imageSize);
    }
}

void ZBarReaderController::updateBox(const std::shared_ptr<ZBarSymbol>& symbol,
                                     graphics::Size imageSize) {
    if (!boxLayer_) {
        return;
    }
    ui::Transaction::begin();
    ui::Transaction::setAnimationDuration(0.3);
    ui::Transaction::setAnimationTimingFunction(ui::TimingFunction::linear);
    if (symbol) {
        graphics::Rect r = symbol->bounds();
        if (r.size.width > 16 && r.size.height > 16) {
            r.origin.x += imageSize.width * scanCrop_.origin.y;
            r.origin.y += imageSize.height * scanCrop_.origin.x;
            r = {r.origin.x - 16, r.origin.y - 16, r.size.width + 32, r.size.height + 32};
            if (boxLayer_->opacity() > 0.25) {
                const graphics::Rect current = boxLayer_->frame();
                r = {(3 * r.origin.x + current.origin.x) / 4,
                     (3 * r.origin.y + current.origin.y) / 4,
                     (3 * r.size.width + current.size.width) / 4,
                     (3 * r.size.height + current.size.height) / 4};
            }
            boxLayer_->setFrame(r);
            boxLayer_->setOpacity(1);
        }
    } else {
        const double opacity = boxLayer_->opacity();
        if (opacity > 0.1) {
            boxLayer_->setOpacity(opacity / 2);
        } else if (opacity != 0) {
            boxLayer_->setOpacity(0);
        }
    }
    ui::Transaction::commit();
}

// MARK: - Appearance

void ZBarReaderController::viewWillAppear(bool animated) {
    initScanning();
    ui::ImagePickerController::viewWillAppear(animated);
}

void ZBarReaderController::viewWillDisappear(bool animated) {
    sampling_ = false;
    {
        std::lock_guard lock(scanner_->objectLock());
        scanner_->setEnableCache(false);
    }
    ui::ImagePickerController::viewWillDisappear(animated);
}
