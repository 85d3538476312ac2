#pragma once

// The device's screen: its bounds in points, its scale, and the application
// frame (the bounds less a visible status bar). A phone of 320 x 568 points at
// scale 2 unless the host or a test sets another.

#include "platform/graphics/Geometry.h"

namespace ui {

class Screen {
  public:
    static Screen& mainScreen();

    static constexpr double kStatusBarHeight = 20;

    graphics::Rect bounds() const { return bounds_; }
    void setBounds(const graphics::Rect& bounds) { bounds_ = bounds; }
    double scale() const { return scale_; }
    void setScale(double scale) { scale_ = scale; }
    // The bounds less the status bar when it is shown.
    graphics::Rect applicationFrame() const;
    // The size of the current display mode in pixels.
    graphics::Size currentModeSize() const {
        return {bounds_.size.width * scale_, bounds_.size.height * scale_};
    }

    // Back to the default phone screen.
    void reset();

  private:
    graphics::Rect bounds_{0, 0, 320, 568};
    double scale_ = 2;
};

}  // namespace ui
