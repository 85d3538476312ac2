#include "platform/ui/Animation.h"

#include <algorithm>

namespace ui {

double Animation::timed(TimingFunction function, double p) {
    p = std::clamp(p, 0.0, 1.0);
    switch (function) {
        case TimingFunction::linear:
            return p;
        case TimingFunction::easeIn:
            return p * p;
        case TimingFunction::easeOut:
            return 1 - (1 - p) * (1 - p);
        case TimingFunction::easeInEaseOut:
        case TimingFunction::defaultTiming:
            return p * p * (3 - 2 * p);
    }
    return p;
}

}  // namespace ui
