#include "platform/graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace graphics {

namespace {

double clampUnit(double v) {
    return std::clamp(v, 0.0, 1.0);
}

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(clampUnit(v) * 255));
}

}  // namespace

Color Color::rgb(double red, double green, double blue, double alpha) {
    Color c;
    c.model_ = ColorSpaceModel::rgb;
    c.red_ = red;
    c.green_ = green;
    c.blue_ = blue;
    c.alpha_ = alpha;
    return c;
}

Color Color::white(double white, double alpha) {
    Color c;
    c.model_ = ColorSpaceModel::monochrome;
    c.red_ = c.green_ = c.blue_ = white;
    c.alpha_ = alpha;
    return c;
}

Color Color::pattern() {
    Color c;
    c.model_ = ColorSpaceModel::pattern;
    return c;
}

std::vector<double> Color::components() const {
    switch (model_) {
        case ColorSpaceModel::monochrome:
            return {red_, alpha_};
        case ColorSpaceModel::rgb:
            return {red_, green_, blue_, alpha_};
        default:
            return {};
    }
}

Color Color::withAlphaComponent(double alpha) const {
    Color c = *this;
    c.alpha_ = alpha;
    return c;
}

Rgba8 Color::toRgba8() const {
    return {toByte(red_), toByte(green_), toByte(blue_), toByte(alpha_)};
}

}  // namespace graphics
