#pragma once

// A colour as the platform keeps it: components in a colour space (grey plus
// alpha, or red, green, blue plus alpha), each from 0 to 1.

#include <cstdint>
#include <vector>

namespace graphics {

enum class ColorSpaceModel { unknown = -1, monochrome = 0, rgb = 1, cmyk = 2, pattern = 6 };

struct Rgba8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

class Color {
  public:
    // Opaque black in the grey space.
    Color() = default;

    static Color rgb(double red, double green, double blue, double alpha = 1);
    static Color white(double white, double alpha = 1);
    // A colour of the pattern space: it has no components of its own.
    static Color pattern();

    // The platform's named colours, in their own spaces (black, white, clear and
    // the greys are grey colours; the others are RGB).
    static Color blackColor() { return white(0); }
    static Color whiteColor() { return white(1); }
    static Color clearColor() { return white(0, 0); }
    static Color grayColor() { return white(0.5); }
    static Color lightGrayColor() { return white(2.0 / 3.0); }
    static Color darkGrayColor() { return white(1.0 / 3.0); }
    static Color redColor() { return rgb(1, 0, 0); }
    static Color greenColor() { return rgb(0, 1, 0); }
    static Color blueColor() { return rgb(0, 0, 1); }
    static Color cyanColor() { return rgb(0, 1, 1); }
    static Color yellowColor() { return rgb(1, 1, 0); }
    static Color magentaColor() { return rgb(1, 0, 1); }
    static Color orangeColor() { return rgb(1, 0.5, 0); }
    static Color purpleColor() { return rgb(0.5, 0, 0.5); }
    static Color brownColor() { return rgb(0.6, 0.4, 0.2); }

    ColorSpaceModel model() const { return model_; }
    // The components in the colour's own space, alpha last (2 for grey, 4 for
    // RGB, 0 for a pattern).
    std::vector<double> components() const;
    std::size_t numberOfComponents() const { return components().size(); }

    double red() const { return red_; }
    double green() const { return green_; }
    double blue() const { return blue_; }
    double alpha() const { return alpha_; }

    Color withAlphaComponent(double alpha) const;
    // The colour as 8-bit straight (not premultiplied) RGBA.
    Rgba8 toRgba8() const;

    friend bool operator==(const Color&, const Color&) = default;

  private:
    ColorSpaceModel model_ = ColorSpaceModel::monochrome;
    double red_ = 0;
    double green_ = 0;
    double blue_ = 0;
    double alpha_ = 1;
};

}  // namespace graphics
