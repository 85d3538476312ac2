#pragma once

// A layer animation: what to show for a stretch of time, given to a layer under
// a key. Headless: model values never change through it; the layer's
// presentation copy shows the animated values at the current clock reading,
// and the animation ends on the main run loop after its duration.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <variant>

#include "platform/graphics/Geometry.h"

namespace ui {

enum class TimingFunction { linear, easeIn, easeOut, easeInEaseOut, defaultTiming };
enum class FillMode { removed, forwards, backwards, both };

using AnimatedValue = std::variant<double, graphics::Point, graphics::Size, graphics::Rect>;
using AnimatedValues = std::map<std::string, AnimatedValue, std::less<>>;

class Animation {
  public:
    virtual ~Animation() = default;
    virtual std::shared_ptr<Animation> copy() const = 0;

    double duration = 0.25;
    // Seconds after the start of the enclosing group (or of the layer's
    // clock, at the top) at which the animation begins.
    double beginTime = 0;
    TimingFunction timingFunction = TimingFunction::linear;
    FillMode fillMode = FillMode::removed;
    bool removedOnCompletion = true;
    // animationDidStop:finished: , on the main run loop.
    std::function<void(bool finished)> didStop;

    // Writes into `values` what the animation shows `t` seconds after it
    // begins; `values` holds the model values on entry.
    virtual void apply(double t, AnimatedValues& values) const = 0;

    // Progress 0...1 through the timing curve.
    static double timed(TimingFunction function, double p);
};

}  // namespace ui
