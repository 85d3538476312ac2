#include "platform/media/CaptureSession.h"

#include <algorithm>
#include <chrono>

#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/WorkerPool.h"
#include "platform/media/CaptureVideoDataOutput.h"
#include "platform/media/FrameSource.h"

namespace media {

namespace {

const std::vector<std::string>& knownPresets() {
    static const auto* presets = new std::vector<std::string>{CaptureSession::kPresetHigh,
                                                              CaptureSession::kPresetMedium,
                                                              CaptureSession::kPresetLow,
                                                              CaptureSession::kPreset640x480,
                                                              CaptureSession::kPresetiFrame1280x720,
                                                              CaptureSession::kPresetiFrame960x540};
    return *presets;
}

}  // namespace

std::shared_ptr<CaptureSession> CaptureSession::make() {
    return std::shared_ptr<CaptureSession>(new CaptureSession());
}

CaptureSession::~CaptureSession() {
    stopFeeder();
}

bool CaptureSession::canSetSessionPreset(const std::string& preset) const {
    const auto& presets = knownPresets();
    return std::find(presets.begin(), presets.end(), preset) != presets.end();
}

std::string CaptureSession::sessionPreset() const {
    std::lock_guard lock(mutex_);
    return preset_;
}

void CaptureSession::setSessionPreset(const std::string& preset) {
    if (!canSetSessionPreset(preset)) {
        return;
    }
    std::lock_guard lock(mutex_);
    preset_ = preset;
}

void CaptureSession::beginConfiguration() {}

void CaptureSession::commitConfiguration() {}

bool CaptureSession::canAddInput(const std::shared_ptr<CaptureDeviceInput>& input) const {
    std::lock_guard lock(mutex_);
    return input && std::find(inputs_.begin(), inputs_.end(), input) == inputs_.end();
}

void CaptureSession::addInput(std::shared_ptr<CaptureDeviceInput> input) {
    if (!canAddInput(input)) {
        return;
    }
    std::lock_guard lock(mutex_);
    inputs_.push_back(std::move(input));
}

void CaptureSession::removeInput(const std::shared_ptr<CaptureDeviceInput>& input) {
    std::lock_guard lock(mutex_);
    std::erase(inputs_, input);
}

std::vector<std::shared_ptr<CaptureDeviceInput>> CaptureSession::inputs() const {
    std::lock_guard lock(mutex_);
    return inputs_;
}

bool CaptureSession::canAddOutput(const std::shared_ptr<CaptureOutput>& output) const {
    std::lock_guard lock(mutex_);
    return output && std::find(outputs_.begin(), outputs_.end(), output) == outputs_.end();
}

void CaptureSession::addOutput(std::shared_ptr<CaptureOutput> output) {
    if (!canAddOutput(output)) {
        return;
    }
    std::lock_guard lock(mutex_);
    outputs_.push_back(std::move(output));
}

void CaptureSession::removeOutput(const std::shared_ptr<CaptureOutput>& output) {
    std::lock_guard lock(mutex_);
    std::erase(outputs_, output);
}

std::vector<std::shared_ptr<CaptureOutput>> CaptureSession::outputs() const {
    std::lock_guard lock(mutex_);
    return outputs_;
}

void CaptureSession::startRunning() {
    {
        std::unique_lock lock(mutex_);
        if (running_) {
            return;
        }
        running_ = true;
        // A feeder told to stop ends before the next one starts.
        fed_.wait(lock, [this] { return !feeding_; });
        stopFeeding_ = false;
        feeding_ = true;
    }
    // The feeder runs on a worker thread for as long as the session runs.
    foundation::WorkerPool::shared().submit([this] {
        feed();
        std::lock_guard lock(mutex_);
        feeding_ = false;
        feeder_ = std::thread::id();
        fed_.notify_all();
    });
    foundation::NotificationCenter::defaultCenter().post(kDidStartRunningNotification, this);
}

void CaptureSession::stopRunning() {
    {
        std::lock_guard lock(mutex_);
        if (!running_) {
            return;
        }
        running_ = false;
    }
    stopFeeder();
    foundation::NotificationCenter::defaultCenter().post(kDidStopRunningNotification, this);
}

bool CaptureSession::isRunning() const {
    std::lock_guard lock(mutex_);
    return running_;
}

std::shared_ptr<const graphics::Bitmap> CaptureSession::previewFrame() const {
    std::lock_guard lock(mutex_);
    return previewFrame_;
}

void CaptureSession::failWithRuntimeError(const foundation::Error& error) {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    stopFeeder();
    foundation::Dictionary details{
        {"domain", foundation::Value(error.domain)},
        {"code", foundation::Value(static_cast<int>(error.code))},
        {"localizedDescription", foundation::Value(error.localizedDescription)}};
    foundation::Dictionary info{{kErrorKey, foundation::Value(std::move(details))}};
    foundation::NotificationCenter::defaultCenter().post(kRuntimeErrorNotification, this,
                                                         foundation::Value(std::move(info)));
}

void CaptureSession::interrupt() {
    {
        std::lock_guard lock(mutex_);
        if (interrupted_) {
            return;
        }
        interrupted_ = true;
    }
    foundation::NotificationCenter::defaultCenter().post(kWasInterruptedNotification, this);
}

void CaptureSession::endInterruption() {
    {
        std::lock_guard lock(mutex_);
        if (!interrupted_) {
            return;
        }
        interrupted_ = false;
    }
    wake_.notify_all();
    foundation::NotificationCenter::defaultCenter().post(kInterruptionEndedNotification, this);
}

bool CaptureSession::isInterrupted() const {
    std::lock_guard lock(mutex_);
    return interrupted_;
}

void CaptureSession::stopFeeder() {
    {
        std::lock_guard lock(mutex_);
        stopFeeding_ = true;
    }
    wake_.notify_all();
    std::unique_lock lock(mutex_);
    if (feeder_ != std::this_thread::get_id()) {
        fed_.wait(lock, [this] { return !feeding_; });
    }
}

void CaptureSession::feed() {
    using Clock = std::chrono::steady_clock;
    auto due = Clock::now();
    std::unique_lock lock(mutex_);
    feeder_ = std::this_thread::get_id();
    while (!stopFeeding_) {
        std::shared_ptr<FrameSource> source;
        for (const auto& input : inputs_) {
            if (auto candidate = input->device()->frameSource()) {
                source = std::move(candidate);
                break;
            }
        }
        std::vector<std::shared_ptr<CaptureVideoDataOutput>> videoOutputs;
        for (const auto& output : outputs_) {
            if (auto video = std::dynamic_pointer_cast<CaptureVideoDataOutput>(output)) {
                videoOutputs.push_back(std::move(video));
            }
        }
        if (!source || videoOutputs.empty() || interrupted_) {
            // Nothing to feed yet: look again shortly (inputs, outputs or
            // the interruption may change).
            wake_.wait_for(lock, std::chrono::milliseconds(20));
            due = Clock::now();
            continue;
        }
        lock.unlock();
        const auto index = source->advance();
        const bool delivered = index.has_value();
        if (index) {
            if (auto picture = source->picture(*index)) {
                std::lock_guard shown(mutex_);
                previewFrame_ = std::move(picture);
            }
            const double taken = foundation::Clock::monotonic();
            for (const auto& output : videoOutputs) {
                if (auto frame = source->frame(*index, output->deliveredPixelFormat())) {
                    SampleBuffer sample;
                    sample.imageBuffer = std::move(frame);
                    sample.presentationTime = taken;
                    output->deliver(std::move(sample));
                }
            }
        }
        lock.lock();
        const double rate = source->framesPerSecond();
        if (!delivered) {
            // A source that ran out stays quiet until the session stops.
            wake_.wait(lock, [this] { return stopFeeding_; });
        } else if (rate > 0) {
            due += std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(1.0 / rate));
            wake_.wait_until(lock, due, [this] { return stopFeeding_; });
        }
    }
}

}  // namespace media
