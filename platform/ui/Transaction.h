#pragma once

// Groups layer changes (begin ... commit) with the duration and timing they
// would animate with and whether implicit animations are off. Headless layers
// take changed values at once; the settings are kept for whoever asks while the
// transaction is open.

#include <vector>

#include "platform/ui/Animation.h"

namespace ui {

class Transaction {
  public:
    static void begin();
    static void commit();
    // Depth of open transactions.
    static int depth();

    static bool disableActions();
    static void setDisableActions(bool disable);
    static double animationDuration();
    static void setAnimationDuration(double duration);
    static TimingFunction animationTimingFunction();
    static void setAnimationTimingFunction(TimingFunction function);

  private:
    struct Settings {
        bool disableActions = false;
        double duration = 0.25;
        TimingFunction timing = TimingFunction::defaultTiming;
    };
    static std::vector<Settings>& stack();
    static Settings& top();
};

}  // namespace ui
