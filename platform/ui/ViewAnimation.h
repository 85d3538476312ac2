#pragma once

// View animations, headless: the changes made in the animation block take
// their final values at once; the completion (or the did-stop handler of a
// named begin/commit animation) runs once on the main run loop after the
// delay plus the duration, with finished = true.

#include <functional>
#include <string>

namespace ui {

struct ViewAnimationOptions {
    static constexpr unsigned layoutSubviews = 1 << 0;
    static constexpr unsigned allowUserInteraction = 1 << 1;
    static constexpr unsigned beginFromCurrentState = 1 << 2;
    static constexpr unsigned repeat = 1 << 3;
    static constexpr unsigned autoreverse = 1 << 4;
    static constexpr unsigned allowAnimatedContent = 1 << 7;
    static constexpr unsigned curveEaseInOut = 0 << 16;
    static constexpr unsigned curveEaseIn = 1 << 16;
    static constexpr unsigned curveEaseOut = 2 << 16;
    static constexpr unsigned curveLinear = 3 << 16;
};

class ViewAnimation {
  public:
    using Block = std::function<void()>;
    using Completion = std::function<void(bool finished)>;
    using DidStop = std::function<void(const std::string& name, bool finished, void* context)>;

    static void animate(double duration, Block animations, Completion completion = nullptr);
    static void animate(double duration, double delay, unsigned options, Block animations,
                        Completion completion = nullptr);
    // Runs the block with animations off; the changes are immediate as always.
    static void performWithoutAnimation(Block changes);
    static bool areAnimationsEnabled() { return enabled_; }
    static void setAnimationsEnabled(bool enabled) { enabled_ = enabled; }

    // Named animations: beginAnimations ... commitAnimations.
    static void beginAnimations(std::string name, void* context = nullptr);
    static void setAnimationDuration(double duration);
    static void setAnimationDelay(double delay);
    static void setAnimationCurve(unsigned curve);
    static void setAnimationDidStop(DidStop handler);
    static void commitAnimations();

    // Animations started and not yet completed (for tests and the host).
    static int pendingCount() { return pending_; }

  private:
    static void schedule(double after, std::function<void()> finish);

    static inline bool enabled_ = true;
    static inline int pending_ = 0;
};

}  // namespace ui
