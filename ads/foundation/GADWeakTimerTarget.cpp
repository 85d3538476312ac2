#include "ads/foundation/GADWeakTimerTarget.h"

void GADWeakTimerTarget::runWithTimer(foundation::Timer& timer) const {
    std::shared_ptr<void> target = weakTarget_.lock();
    if (!target) {
        timer.invalidate();
        return;
    }
    if (selector_) {
        selector_(target.get(), timer);
    }
}
