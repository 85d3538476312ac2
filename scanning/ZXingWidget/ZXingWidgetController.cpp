#include "scanning/ZXingWidget/ZXingWidgetController.h"

#include <sys/utsname.h>

#include <cstring>
#include <functional>
#include <numbers>

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureDeviceInput.h"
#include "platform/media/CaptureVideoDataOutput.h"
#include "platform/media/FourCharCode.h"
#include "platform/ui/Screen.h"
#include "results/ResultParser.h"
#include "scanning/ZXingWidget/Decoder.h"

namespace {

// 32-bit little-endian pixels with the first (alpha) byte skipped: 'BGRA' in memory.
constexpr std::uint32_t kFrameBitmapInfo = 0x2006;

// Draws `source` into a new RGB picture of `width` by `height` pixels, with
// neither smoothing nor interpolation, after `turn` set the drawing's matrix.
graphics::Image::Ptr rotated(const graphics::Bitmap& source, double width, double height,
                             const std::function<void(graphics::BitmapContext&)>& turn) {
    auto context = graphics::BitmapContext::create(
        static_cast<int>(width), static_cast<int>(height), graphics::ColorSpaceModel::rgb, 2);
    if (!context) {
        return nullptr;
    }
    context->setShouldAntialias(false);
    context->setInterpolationQuality(graphics::InterpolationQuality::none);
    turn(*context);
    context->drawImage({0, 0, width, height}, source);
    return context->makeImage();
}

}  // namespace

ZXingWidgetController::Ptr ZXingWidgetController::make(std::weak_ptr<ZXingDelegate> delegate,
                                                       bool showCancel, bool oneDMode,
                                                       bool showLicense) {
    auto controller = std::make_shared<ZXingWidgetController>(std::move(delegate), showCancel,
                                                              oneDMode, showLicense);
    controller->overlayView_->setDelegate(controller);
    return controller;
}

ZXingWidgetController::ZXingWidgetController(std::weak_ptr<ZXingDelegate> delegate, bool showCancel,
                                             bool oneDMode, bool showLicense)
    : delegate_(std::move(delegate)),
      showCancel_(showCancel),
      oneDMode_(oneDMode),
      showLicense_(showLicense) {
    setWantsFullScreenLayout(true);
    overlayView_ =
        OverlayView::make(ui::Screen::mainScreen().bounds(), showCancel, oneDMode, showLicense);
}

ZXingWidgetController::~ZXingWidgetController() {
    if (captureSession_) {
        stopCapture();
    }
    disposeSound();
}

ZXingWidgetController::Ptr ZXingWidgetController::self() {
    return std::static_pointer_cast<ZXingWidgetController>(
        std::static_pointer_cast<ui::ViewController>(weak_from_this().lock()));
}

void ZXingWidgetController::disposeSound() {
    if (beepSound_ != media::SystemSound::kNone) {
        media::SystemSound::dispose(beepSound_);
        beepSound_ = media::SystemSound::kNone;
    }
}

// Appearance.

void ZXingWidgetController::viewWillAppear(bool animated) {
    setWantsFullScreenLayout(true);
    if (soundToPlay_) {
        // One sound at a time: the one of an earlier appearance goes.
        disposeSound();
        if (media::SystemSound::create(*soundToPlay_, &beepSound_) !=
            media::SystemSound::kNoError) {
            beepSound_ = media::SystemSound::kNone;
        }
    }
    if (overlayAdded_) {
        resumeCapture();
    }
}

void ZXingWidgetController::viewDidAppear(bool animated) {
    decoding_ = true;
    if (!overlayAdded_) {
        overlayAdded_ = true;
        initCapture();
        view()->addSubview(overlayView_);
    }
    overlayView_->setPoints(std::nullopt);
    wasCancelled_ = false;
}

void ZXingWidgetController::viewWillDisappear(bool animated) {
    pauseCapture();
}

// Capture.

void ZXingWidgetController::initCapture() {
    auto input = media::CaptureDeviceInput::make(media::CaptureDevice::defaultDevice());
    if (!input) {
        return;
    }
    auto output = media::CaptureVideoDataOutput::make();
    output->setAlwaysDiscardsLateVideoFrames(true);
    queue_ = foundation::DispatchQueue::makeSerial("ZBarCaptureReader");
    output->setSampleBufferDelegate(self(), queue_);
    output->setPixelFormatType(media::kPixelFormat32BGRA);
    captureSession_ = media::CaptureSession::make();
    captureSession_->setSessionPreset(media::CaptureSession::kPresetMedium);
    captureSession_->addInput(input);
    captureSession_->addOutput(output);
    if (!prevLayer_) {
        prevLayer_ = media::CaptureVideoPreviewLayer::make(captureSession_);
        prevLayer_->setFrame(view()->bounds());
        prevLayer_->setVideoGravity(media::VideoGravity::resizeAspectFill);
        view()->layer().addSublayer(prevLayer_);
        captureSession_->startRunning();
    }
}

void ZXingWidgetController::resumeCapture() {
    if (captureSession_) {
        captureSession_->startRunning();
    }
}

void ZXingWidgetController::pauseCapture() {
    if (captureSession_) {
        captureSession_->stopRunning();
    }
}

void ZXingWidgetController::stopCapture() {
    decoding_ = false;
    if (captureSession_) {
        captureSession_->stopRunning();
        const auto inputs = captureSession_->inputs();
        if (!inputs.empty()) {
            captureSession_->removeInput(inputs.front());
        }
        const auto outputs = captureSession_->outputs();
        if (!outputs.empty()) {
            captureSession_->removeOutput(outputs.front());
        }
    }
    if (prevLayer_) {
        prevLayer_->removeFromSuperlayer();
    }
    prevLayer_.reset();
    captureSession_.reset();
}

void ZXingWidgetController::captureOutputDidOutputSampleBuffer(
    media::CaptureOutput&, const media::SampleBuffer& sampleBuffer) {
    if (!decoding_) {
        return;
    }
    const auto& pixels = sampleBuffer.imageBuffer;
    if (!pixels || pixels->isPlanar() || !pixels->lockBaseAddress()) {
        return;
    }
    // The frame's rows are copied: the picture owns its pixels.
    const auto bitmap = graphics::Bitmap::fromPixels(
        pixels->width(), pixels->height(), pixels->bytesPerRow(), graphics::ColorSpaceModel::rgb,
        kFrameBitmapInfo, pixels->baseAddress());
    pixels->unlockBaseAddress();
    if (!bitmap || !decoding_) {
        return;
    }
    auto decoder = std::make_shared<Decoder>(readers_, self());
    auto image = graphics::Image::make(bitmap, 1.0, graphics::ImageOrientation::left);
    // Only a find clears the flag: a frame that finds nothing must not turn
    // decoding back on after the main thread stopped it meanwhile.
    if (decoder->decodeImage(image)) {
        decoding_ = false;
    }
}

// The decoder's answers (main thread).

void ZXingWidgetController::decoderDidDecodeImage(Decoder& decoder,
                                                  const graphics::Image::Ptr& image,
                                                  const graphics::Image::Ptr& subset,
                                                  const TwoDDecoderResult& result) {
    presentResultForString(result.text, result.format);
    presentResultPoints(result.points, image, subset);
    std::weak_ptr<ZXingWidgetController> weak = self();
    foundation::RunLoop::main().performAfter(0, [weak, text = result.text] {
        if (auto strong = weak.lock()) {
            strong->notifyDelegate(text);
        }
    });
    decoder.setDelegate({});
}

void ZXingWidgetController::decoderFailedToDecodeImage(Decoder& decoder,
                                                       const graphics::Image::Ptr&,
                                                       const graphics::Image::Ptr&,
                                                       const std::string&) {
    decoder.setDelegate({});
    overlayView_->setPoints(std::nullopt);
}

void ZXingWidgetController::decoderFoundPossibleResultPoint(Decoder&, graphics::Point point) {
    overlayView_->setPoint(point);
}

void ZXingWidgetController::presentResultForString(const std::string& text, int format) {
    result_ = ResultParser::parsedResultForString(text, format);
    if (beepSound_ != media::SystemSound::kNone) {
        media::SystemSound::play(beepSound_);
    }
}

void ZXingWidgetController::presentResultPoints(const std::vector<graphics::Point>& points,
                                                const graphics::Image::Ptr&,
                                                const graphics::Image::Ptr&) {
    overlayView_->setPoints(points);
}

void ZXingWidgetController::notifyDelegate(const std::string& text) {
    if (auto d = delegate()) {
        d->zxingControllerDidScanResult(*this, text);
    }
}

void ZXingWidgetController::cancelled() {
    stopCapture();
    wasCancelled_ = true;
    if (auto d = delegate()) {
        d->zxingControllerDidCancel(*this);
    }
}

// Torch.

void ZXingWidgetController::setTorch(bool on) {
    if (!foundation::ClassRegistry::shared().exists("AVCaptureDevice")) {
        return;
    }
    auto device = media::CaptureDevice::defaultDevice();
    if (!device || device->lockForConfiguration()) {
        return;
    }
    if (device->hasTorch()) {
        device->setTorchMode(on ? media::TorchMode::on : media::TorchMode::off);
    }
    device->unlockForConfiguration();
}

bool ZXingWidgetController::torchIsOn() const {
    if (!foundation::ClassRegistry::shared().exists("AVCaptureDevice")) {
        return false;
    }
    auto device = media::CaptureDevice::defaultDevice();
    return device && device->hasTorch() && device->torchMode() == media::TorchMode::on;
}

// Device and pictures.

std::string ZXingWidgetController::getPlatform() {
    utsname name{};
    return uname(&name) == 0 ? std::string(name.machine) : std::string();
}

bool ZXingWidgetController::fixedFocus(const std::string& platform) {
    return platform == "iPhone1,1" || platform == "iPhone1,2";
}

graphics::Image::Ptr ZXingWidgetController::CGImageRotated90(const graphics::Image::Ptr& image) {
    if (!image || !image->bitmap()) {
        return nullptr;
    }
    const auto& source = *image->bitmap();
    const double width = source.height();
    const double height = source.width();
    return rotated(source, width, height, [&](graphics::BitmapContext& context) {
        context.scaleCTM(width / height, 1);
        context.translateCTM(height, 0);
        context.rotateCTM(-std::numbers::pi / 2);
    });
}

graphics::Image::Ptr ZXingWidgetController::CGImageRotated180(const graphics::Image::Ptr& image) {
    if (!image || !image->bitmap()) {
        return nullptr;
    }
    const auto& source = *image->bitmap();
    const double width = source.width();
    const double height = source.height();
    return rotated(source, width, height, [&](graphics::BitmapContext& context) {
        context.translateCTM(width / 2, height / 2);
        context.rotateCTM(std::numbers::pi);
        context.translateCTM(-width / 2, -height / 2);
    });
}
