#include "remote/WebImage/SDScaledImageForKey.h"

#include <vector>

#include "platform/ui/Screen.h"

graphics::Image::Ptr SDScaledImageForKey(const std::string& key,
                                         const graphics::Image::Ptr& image) {
    if (!image) {
        return nullptr;
    }
    if (!image->images().empty()) {
        std::vector<graphics::Image::Ptr> frames;
        for (const auto& frame : image->images()) {
            frames.push_back(SDScaledImageForKey(key, frame));
        }
        return graphics::Image::animatedImage(std::move(frames), image->duration());
    }
    double scale = ui::Screen::mainScreen().scale();
    if (key.size() >= 8) {
        if (key.find("@3x.") != std::string::npos) {
            scale = 3;
        } else if (key.find("@2x.") != std::string::npos) {
            scale = 2;
        }
    }
    return graphics::Image::make(image->bitmap(), scale, image->imageOrientation());
}
