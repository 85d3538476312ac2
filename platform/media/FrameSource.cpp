#include "platform/media/FrameSource.h"

#include "platform/foundation/Log.h"
#include "platform/graphics/Image.h"

namespace media {

FrameSource::FrameSource(std::vector<std::shared_ptr<const graphics::Bitmap>> frames,
                         double framesPerSecond, bool loops)
    : frames_(std::move(frames)), framesPerSecond_(framesPerSecond), loops_(loops) {}

std::shared_ptr<FrameSource> FrameSource::fromImageFiles(const std::vector<std::string>& paths,
                                                         double framesPerSecond, bool loops) {
    std::vector<std::shared_ptr<const graphics::Bitmap>> frames;
    for (const std::string& path : paths) {
        auto image = graphics::Image::imageWithContentsOfFile(path);
        if (!image) {
            foundation::Log::write("FrameSource", "cannot read a picture from " + path);
            continue;
        }
        frames.push_back(image->uprightBitmap());
    }
    if (frames.empty()) {
        return nullptr;
    }
    return std::make_shared<FrameSource>(std::move(frames), framesPerSecond, loops);
}

std::shared_ptr<FrameSource> FrameSource::fromGeneratedFrames(
    const std::vector<GeneratedFrame>& descriptions, double framesPerSecond, bool loops) {
    std::vector<std::shared_ptr<const graphics::Bitmap>> frames;
    for (const GeneratedFrame& description : descriptions) {
        if (auto bitmap = description.draw()) {
            frames.push_back(std::move(bitmap));
        }
    }
    if (frames.empty()) {
        return nullptr;
    }
    return std::make_shared<FrameSource>(std::move(frames), framesPerSecond, loops);
}

std::shared_ptr<PixelBuffer> FrameSource::nextFrame(std::uint32_t pixelFormat) {
    const auto index = advance();
    return index ? frame(*index, pixelFormat) : nullptr;
}

std::optional<std::size_t> FrameSource::advance() {
    std::lock_guard lock(mutex_);
    if (frames_.empty()) {
        return std::nullopt;
    }
    if (next_ >= frames_.size()) {
        if (!loops_) {
            return std::nullopt;
        }
        next_ = 0;
    }
    return next_++;
}

std::shared_ptr<const graphics::Bitmap> FrameSource::picture(std::size_t index) {
    std::lock_guard lock(mutex_);
    return index < frames_.size() ? frames_[index] : nullptr;
}

std::shared_ptr<PixelBuffer> FrameSource::frame(std::size_t index, std::uint32_t pixelFormat) {
    std::lock_guard lock(mutex_);
    if (index >= frames_.size()) {
        return nullptr;
    }
    auto& slot = converted_[{index, pixelFormat}];
    if (!slot) {
        slot = PixelBuffer::fromBitmap(*frames_[index], pixelFormat);
    }
    return slot;
}

void FrameSource::rewind() {
    std::lock_guard lock(mutex_);
    next_ = 0;
}

}  // namespace media
