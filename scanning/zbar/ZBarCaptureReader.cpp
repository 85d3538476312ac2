#include "scanning/zbar/ZBarCaptureReader.h"

#include <mutex>

#include "platform/foundation/Clock.h"
#include "platform/media/FourCharCode.h"

namespace {

constexpr const char* kQueueLabel = "ZBarCaptureReader";

}  // namespace

std::shared_ptr<ZBarCaptureReader> ZBarCaptureReader::make() {
    auto scanner = std::make_shared<ZBarImageScanner>();
    scanner->setSymbology(0, ZBarImageScanner::kXDensity, 3);
    scanner->setSymbology(0, ZBarImageScanner::kYDensity, 3);
    return make(std::move(scanner));
}

std::shared_ptr<ZBarCaptureReader> ZBarCaptureReader::make(
    std::shared_ptr<ZBarImageScanner> scanner) {
    std::shared_ptr<ZBarCaptureReader> reader(new ZBarCaptureReader(std::move(scanner)));
    reader->captureOutput_->setSampleBufferDelegate(reader, reader->queue_);
    return reader;
}

ZBarCaptureReader::ZBarCaptureReader(std::shared_ptr<ZBarImageScanner> scanner)
    : captureOutput_(media::CaptureVideoDataOutput::make()),
      scanner_(std::move(scanner)),
      queue_(foundation::DispatchQueue::makeSerial(kQueueLabel)),
      image_(std::make_shared<ZBarImage>()) {
    tFrame_ = tFps_ = foundation::Clock::monotonic();
    image_->setFormat(ZBarImage::fourcc("Y800"));
    initResult();
    captureOutput_->setAlwaysDiscardsLateVideoFrames(true);
}

ZBarCaptureReader::~ZBarCaptureReader() {
    captureDelegate_.reset();
    captureOutput_->setSampleBufferDelegate({}, queue_);
}

void ZBarCaptureReader::initResult() {
    result_ = std::make_shared<ZBarCVImage>();
    result_->setFormat(ZBarImage::fourcc("CV2P"));
}

std::shared_ptr<ZBarCaptureDelegate> ZBarCaptureReader::captureDelegate() const {
    std::lock_guard lock(scanner_->objectLock());
    return captureDelegate_.lock();
}

void ZBarCaptureReader::setCaptureDelegate(std::weak_ptr<ZBarCaptureDelegate> delegate) {
    std::lock_guard lock(scanner_->objectLock());
    captureDelegate_ = std::move(delegate);
}

graphics::Rect ZBarCaptureReader::scanCrop() const {
    std::lock_guard lock(scanner_->objectLock());
    return scanCrop_;
}

void ZBarCaptureReader::setScanCrop(graphics::Rect crop) {
    {
        std::lock_guard lock(scanner_->objectLock());
        if (crop.equalTo(scanCrop_)) {
            return;
        }
        scanCrop_ = crop;
    }
    cropUpdate();
}

void ZBarCaptureReader::cropUpdate() {
    std::lock_guard lock(scanner_->objectLock());
    image_->setCrop({scanCrop_.origin.x * width_, scanCrop_.origin.y * height_,
                     scanCrop_.size.width * width_, scanCrop_.size.height * height_});
}

bool ZBarCaptureReader::enableReader() const {
    return (state_.load() & kEnabled) != 0;
}

void ZBarCaptureReader::setEnableReader(bool enable) {
    if (!enable) {
        state_.fetch_and(~(kEnabled | kPending | kCapture));
        return;
    }
    const std::uint32_t before = state_.fetch_or(kEnabled);
    if ((before & kEnabled) == 0) {
        state_.fetch_and(~kPending);
        std::lock_guard lock(scanner_->objectLock());
        scanner_->setEnableCache(enableCache_.load());
    }
}

void ZBarCaptureReader::flushCache() {
    std::lock_guard lock(scanner_->objectLock());
    scanner_->setEnableCache(enableCache_.load());
}

void ZBarCaptureReader::captureFrame() {
    state_.fetch_or(kCapture);
}

int ZBarCaptureReader::frameCount() const {
    std::lock_guard lock(scanner_->objectLock());
    return framecnt_;
}

double ZBarCaptureReader::frameInterval() const {
    std::lock_guard lock(scanner_->objectLock());
    return dtFrame_;
}

void ZBarCaptureReader::setSize(graphics::Size size) {
    setValueForKey("size", size_, size);
}

void ZBarCaptureReader::setFramesPerSecond(double fps) {
    setValueForKey("framesPerSecond", framesPerSecond_, fps);
}

foundation::Value ZBarCaptureReader::valueForKey(std::string_view key) const {
    if (key == "size") {
        return foundation::Value(
            foundation::Dictionary{{"Width", foundation::Value(size_.width)},
                                   {"Height", foundation::Value(size_.height)}});
    }
    if (key == "framesPerSecond") {
        return foundation::Value(framesPerSecond_);
    }
    return Observable::valueForKey(key);
}

void ZBarCaptureReader::didReadNewSymbolsFromImage(const std::shared_ptr<ZBarImage>& image) {
    if (auto delegate = captureDelegate()) {
        delegate->captureReaderDidReadNewSymbolsFromImage(*this, image);
    }
    state_.fetch_and(~kPending);
}

void ZBarCaptureReader::didTrackSymbols(const std::shared_ptr<ZBarSymbolSet>& symbols) {
    if (auto delegate = captureDelegate()) {
        delegate->captureReaderDidTrackSymbols(*this, symbols);
    }
}

void ZBarCaptureReader::captureOutputDidOutputSampleBuffer(
    media::CaptureOutput&, const media::SampleBuffer& sampleBuffer) {
    const std::uint32_t state = state_.load();
    if ((state & (kEnabled | kPending)) != kEnabled) {
        return;
    }
    auto self = shared_from_this();
    const auto& main = foundation::DispatchQueue::main();

    // Sequence number and frame timing.
    const double now = foundation::Clock::monotonic();
    bool reportRate = false;
    double rate = 0;
    {
        std::lock_guard lock(scanner_->objectLock());
        image_->setSequence(static_cast<std::uint32_t>(framecnt_++));
        const double delay = now - tFrame_;
        tFrame_ = now;
        if (delay > 2) {
            tFps_ = now;
            dtFrame_ = delay / 2;
        } else {
            if (dtFrame_ == 0) {
                dtFrame_ = delay;
            }
            dtFrame_ = (dtFrame_ + delay) / 2;
        }
        if (now - tFps_ >= 1) {
            reportRate = true;
            rate = 1 / dtFrame_;
            tFps_ = now;
        }
    }
    if (reportRate) {
        main->async([self, rate] { self->setFramesPerSecond(rate); });
    }

    // Only single, valid, ready '420v' frames with a luma plane are scanned.
    const auto& buffer = sampleBuffer.imageBuffer;
    if (sampleBuffer.numSamples != 1 || !sampleBuffer.valid || !sampleBuffer.dataReady || !buffer ||
        buffer->pixelFormatType() != media::kPixelFormat420YpCbCr8BiPlanarVideoRange ||
        buffer->planeCount() < 1) {
        return;
    }
    if (!buffer->lockBaseAddress(true)) {
        return;
    }
    const auto rows = static_cast<std::uint32_t>(buffer->planeHeight(0));
    const auto rowLength = static_cast<std::uint32_t>(buffer->planeBytesPerRow(0));
    const std::uint8_t* luma = buffer->planeBaseAddress(0);
    if (rows == 0 || rowLength == 0 || luma == nullptr) {
        buffer->unlockBaseAddress();
        return;
    }

    // The luma plane is scanned in place: no copy.
    image_->setData(luma, static_cast<std::size_t>(rowLength) * rows);
    int count = 0;
    std::shared_ptr<ZBarSymbolSet> symbols;
    bool tracks = false;
    {
        std::lock_guard lock(scanner_->objectLock());
        if (rowLength != width_ || rows != height_) {
            width_ = rowLength;
            height_ = rows;
            const graphics::Size size{static_cast<double>(rowLength), static_cast<double>(rows)};
            main->async([self, size] { self->setSize(size); });
            image_->setSize(size);
            cropUpdate();
        }
        count = scanner_->scanImage(*image_);
        symbols = scanner_->results();
        auto delegate = captureDelegate_.lock();
        tracks = delegate && delegate->respondsToDidTrackSymbols();
    }

    if (count >= 0 && symbols) {
        symbols->setFilterSymbols(false);
        const int unfiltered = symbols->count();
        if (count > 0 || (state & kCapture) != 0) {
            result_->setSize({static_cast<double>(rowLength), static_cast<double>(rows)});
            result_->setPixelBuffer(buffer);
            result_->setSymbols(symbols);
            tScan_ = foundation::Clock::monotonic();
            state_.fetch_xor(kPending | (state & kCapture));
            std::shared_ptr<ZBarImage> hit = result_;
            main->async([self, hit] { self->didReadNewSymbolsFromImage(hit); });
            initResult();
        }
        if (unfiltered > 0 && tracks) {
            main->async([self, symbols] { self->didTrackSymbols(symbols); });
        }
    }

    image_->setData(nullptr, 0);
    buffer->unlockBaseAddress();
}
