#include "scanning/zbar/ZBarReaderViewImpl.h"

#include <cstdio>

#include "platform/foundation/Log.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"

namespace {

constexpr const char* kLockDevice = "lockDevice";

}  // namespace

std::shared_ptr<ZBarReaderViewImpl> ZBarReaderViewImpl::create() {
    return std::shared_ptr<ZBarReaderViewImpl>(new ZBarReaderViewImpl());
}

ZBarReaderViewImpl::~ZBarReaderViewImpl() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    foundation::RunLoop::main().cancelPerforms(this);
    if (captureReader_) {
        captureReader_->removeObserver(this);
        captureReader_->setCaptureDelegate({});
    }
}

void ZBarReaderViewImpl::initialize(std::shared_ptr<ZBarImageScanner> scanner) {
    ZBarReaderView::initialize(scanner);
    auto self = std::static_pointer_cast<ZBarReaderViewImpl>(shared_from_this());
    session_ = media::CaptureSession::make();
    auto& center = foundation::NotificationCenter::defaultCenter();
    const void* session = session_.get();
    center.addObserver(self, &ZBarReaderViewImpl::onVideoError,
                       media::CaptureSession::kRuntimeErrorNotification, session);
    center.addObserver(self, &ZBarReaderViewImpl::onVideoStart,
                       media::CaptureSession::kDidStartRunningNotification, session);
    center.addObserver(self, &ZBarReaderViewImpl::onVideoStart,
                       media::CaptureSession::kInterruptionEndedNotification, session);
    center.addObserver(self, &ZBarReaderViewImpl::onVideoStop,
                       media::CaptureSession::kDidStopRunningNotification, session);
    center.addObserver(self, &ZBarReaderViewImpl::onVideoStop,
                       media::CaptureSession::kWasInterruptedNotification, session);

    setDevice(media::CaptureDevice::defaultDevice());

    captureReader_ = ZBarCaptureReader::make(std::move(scanner));
    captureReader_->setCaptureDelegate(std::static_pointer_cast<ZBarCaptureDelegate>(self));
    session_->addOutput(captureReader_->captureOutput());
    if (session_->canSetSessionPreset(media::CaptureSession::kPresetMedium)) {
        session_->setSessionPreset(media::CaptureSession::kPresetMedium);
    }
    std::weak_ptr<ZBarReaderViewImpl> weak = self;
    captureReader_->addObserver(self, "size", [weak](const foundation::KeyValueChange&) {
        if (auto view = weak.lock()) {
            view->setImageSize(view->captureReader_->size());
        }
    });
    initSubviews();
}

void ZBarReaderViewImpl::initSubviews() {
    preview_ = std::make_shared<ui::Layer>();
    preview_->setName("preview");
    auto size = bounds().size;
    preview_->setBounds(graphics::Rect(0, 0, size.width, size.height));
    preview_->setPosition({size.width / 2, size.height / 2});
    layer().addSublayer(preview_);
    ZBarReaderView::initSubviews();
}

void ZBarReaderViewImpl::setDevice(std::shared_ptr<media::CaptureDevice> device) {
    device_ = std::move(device);
    auto input = device_ ? media::CaptureDeviceInput::make(device_) : nullptr;
    session_->beginConfiguration();
    if (input_) {
        session_->removeInput(input_);
    }
    input_ = input;
    if (input_) {
        session_->addInput(input_);
    }
    session_->commitConfiguration();
}

void ZBarReaderViewImpl::start() {
    if (started_) {
        return;
    }
    ZBarReaderView::start();
    session_->startRunning();
    captureReader_->setEnableReader(true);
}

void ZBarReaderViewImpl::stop() {
    if (!started_) {
        return;
    }
    ZBarReaderView::stop();
    captureReader_->setEnableReader(false);
    session_->stopRunning();
}

void ZBarReaderViewImpl::setTorchMode(media::TorchMode mode) {
    ZBarReaderView::setTorchMode(mode);
    if (running_ && device_ && device_->isTorchModeSupported(mode)) {
        device_->setTorchMode(mode);
    }
}

void ZBarReaderViewImpl::setShowsFPS(bool shows) {
    if (shows == showsFPS_) {
        return;
    }
    ZBarReaderView::setShowsFPS(shows);
    auto self = std::static_pointer_cast<ZBarReaderViewImpl>(shared_from_this());
    if (shows) {
        std::weak_ptr<ZBarReaderViewImpl> weak = self;
        captureReader_->addObserver(self, "framesPerSecond",
                                    [weak](const foundation::KeyValueChange&) {
                                        if (auto view = weak.lock()) {
                                            char text[64];
                                            std::snprintf(text, sizeof text, "%.2ffps ",
                                                          view->captureReader_->framesPerSecond());
                                            view->fpsLabel_->setText(text);
                                        }
                                    });
    } else {
        captureReader_->removeObserver(this, "framesPerSecond");
    }
}

void ZBarReaderViewImpl::flushCache() {
    captureReader_->flushCache();
}

void ZBarReaderViewImpl::updateCrop() {
    captureReader_->setScanCrop(effectiveCrop_);
}

void ZBarReaderViewImpl::onVideoStart(const foundation::Notification&) {
    if (running_) {
        return;
    }
    running_ = true;
    locked_ = false;
    lockDevice();
    if (auto d = readerDelegate(); d && d->respondsToDidStart()) {
        d->readerViewDidStart(*this);
    }
}

void ZBarReaderViewImpl::lockDevice() {
    if (!running_ || locked_ || !device_) {
        return;
    }
    if (!device_->lockForConfiguration()) {
        locked_ = true;
        configureDevice();
        return;
    }
    std::weak_ptr<ZBarReaderViewImpl> weak =
        std::static_pointer_cast<ZBarReaderViewImpl>(shared_from_this());
    foundation::RunLoop::main().performAfter(
        0.5,
        [weak] {
            if (auto view = weak.lock()) {
                view->lockDevice();
            }
        },
        this, kLockDevice);
}

void ZBarReaderViewImpl::configureDevice() {
    if (device_->isFocusModeSupported(media::FocusMode::continuousAutoFocus)) {
        device_->setFocusMode(media::FocusMode::continuousAutoFocus);
    }
    if (device_->isTorchModeSupported(torchMode_)) {
        device_->setTorchMode(torchMode_);
    }
}

void ZBarReaderViewImpl::onVideoStop(const foundation::Notification&) {
    if (!running_) {
        return;
    }
    running_ = false;
    if (locked_) {
        device_->unlockForConfiguration();
    } else {
        foundation::RunLoop::main().cancelPerforms(this, kLockDevice);
    }
    locked_ = false;
    if (auto d = readerDelegate(); d && d->respondsToDidStop()) {
        d->readerViewDidStopWithError(*this, std::nullopt);
    }
}

void ZBarReaderViewImpl::onVideoError(const foundation::Notification& note) {
    if (running_) {
        started_ = false;
        running_ = false;
        if (locked_ && device_) {
            device_->unlockForConfiguration();
        } else {
            foundation::RunLoop::main().cancelPerforms(this, kLockDevice);
        }
        locked_ = false;
    }
    const auto& info = note.userInfo.get(media::CaptureSession::kErrorKey);
    foundation::Error error{info.get("domain").stringValue(),
                            static_cast<long>(info.get("code").integerValue()),
                            info.get("localizedDescription").stringValue()};
    if (auto d = readerDelegate(); d && d->respondsToDidStop()) {
        d->readerViewDidStopWithError(*this, error);
        return;
    }
    auto reason = info.get("localizedFailureReason");
    foundation::Log::write("ZBarReaderView",
                           "ZBarReaderView: ERROR during capture: " + error.localizedDescription +
                               ": " + (reason.isString() ? reason.stringValue() : "(null)"));
}
