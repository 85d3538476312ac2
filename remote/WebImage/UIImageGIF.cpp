#include "remote/WebImage/UIImageGIF.h"

#include <optional>
#include <vector>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/graphics/ImageContext.h"
#include "platform/ui/Screen.h"

namespace UIImageGIF {

namespace {

std::optional<foundation::Data> readFile(const std::optional<std::string>& path) {
    if (!path) {
        return std::nullopt;
    }
    return foundation::FileManager::defaultManager().contentsAtPath(*path);
}

// One frame drawn into a non-opaque context of `size` at the screen's scale.
graphics::Image::Ptr drawFrame(const graphics::Image& frame, graphics::Size size,
                               const graphics::Rect& rect) {
    if (!graphics::beginImageContext(size, false, ui::Screen::mainScreen().scale())) {
        return nullptr;
    }
    frame.drawInRect(rect);
    graphics::Image::Ptr result = graphics::imageFromCurrentImageContext();
    graphics::endImageContext();
    return result;
}

}  // namespace

graphics::Image::Ptr sd_animatedGIFWithData(const foundation::Data* data) {
    if (data == nullptr) {
        return nullptr;
    }
    const graphics::ImageSource source(*data);
    const std::size_t count = source.count();
    if (count <= 1) {
        return graphics::Image::imageWithData(*data);
    }
    const double scale = ui::Screen::mainScreen().scale();
    std::vector<graphics::Image::Ptr> frames;
    double duration = 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto bitmap = source.imageAtIndex(i);
        if (!bitmap) {
            continue;
        }
        duration += sd_frameDurationAtIndex(i, source);
        frames.push_back(graphics::Image::make(bitmap, scale, graphics::ImageOrientation::up));
    }
    if (duration == 0) {
        duration = 0.1 * static_cast<double>(count);
    }
    return graphics::Image::animatedImage(std::move(frames), duration);
}

float sd_frameDurationAtIndex(std::size_t index, const graphics::ImageSource& source) {
    float duration = 0.1f;
    if (const auto properties = source.propertiesAtIndex(index)) {
        if (properties->gifUnclampedDelayTime) {
            duration = static_cast<float>(*properties->gifUnclampedDelayTime);
        } else if (properties->gifDelayTime) {
            duration = static_cast<float>(*properties->gifDelayTime);
        }
    }
    if (duration < 0.011f) {
        duration = 0.1f;
    }
    return duration;
}

graphics::Image::Ptr sd_animatedGIFNamed(const std::string& name) {
    const foundation::Bundle& bundle = foundation::Bundle::main();
    const double scale = ui::Screen::mainScreen().scale();
    if (scale > 1) {
        if (const auto data = readFile(bundle.pathForResource(name + "@2x", "gif"))) {
            return sd_animatedGIFWithData(&*data);
        }
    }
    if (const auto data = readFile(bundle.pathForResource(name, "gif"))) {
        return sd_animatedGIFWithData(&*data);
    }
    return graphics::Image::imageNamed(name, scale);
}

graphics::Image::Ptr sd_animatedImageByScalingAndCroppingToSize(const graphics::Image::Ptr& image,
                                                                graphics::Size size) {
    if (!image || image->size() == size || size.isZero()) {
        return image;
    }
    const graphics::Size own = image->size();
    const double widthFactor = size.width / own.width;
    const double heightFactor = size.height / own.height;
    const double factor = std::max(widthFactor, heightFactor);
    const graphics::Size scaled{own.width * factor, own.height * factor};
    graphics::Point origin;
    if (widthFactor > heightFactor) {
        origin.y = (size.height - scaled.height) * 0.5;
    } else if (heightFactor > widthFactor) {
        origin.x = (size.width - scaled.width) * 0.5;
    }
    const graphics::Rect rect(origin, scaled);
    // A still image is scaled as its one frame and stays a still image.
    if (image->images().empty()) {
        return drawFrame(*image, size, rect);
    }
    std::vector<graphics::Image::Ptr> frames;
    for (const auto& frame : image->images()) {
        if (auto drawn = drawFrame(*frame, size, rect)) {
            frames.push_back(std::move(drawn));
        }
    }
    return graphics::Image::animatedImage(std::move(frames), image->duration());
}

}  // namespace UIImageGIF
