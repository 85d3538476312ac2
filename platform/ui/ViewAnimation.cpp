#include "platform/ui/ViewAnimation.h"

#include <vector>

#include "platform/foundation/RunLoop.h"

namespace ui {

namespace {

struct Named {
    std::string name;
    void* context = nullptr;
    double duration = 0.2;
    double delay = 0;
    ViewAnimation::DidStop didStop;
};

std::vector<Named>& openAnimations() {
    static std::vector<Named> open;
    return open;
}

}  // namespace

void ViewAnimation::schedule(double after, std::function<void()> finish) {
    ++pending_;
    foundation::RunLoop::main().performAfter(after, [finish = std::move(finish)] {
        --pending_;
        if (finish) {
            finish();
        }
    });
}

void ViewAnimation::animate(double duration, Block animations, Completion completion) {
    animate(duration, 0, 0, std::move(animations), std::move(completion));
}

void ViewAnimation::animate(double duration, double delay, unsigned, Block animations,
                            Completion completion) {
    if (animations) {
        animations();
    }
    double after = enabled_ ? std::max(0.0, delay) + std::max(0.0, duration) : 0;
    schedule(after,
             completion ? std::function<void()>([completion] { completion(true); }) : nullptr);
}

void ViewAnimation::performWithoutAnimation(Block changes) {
    bool was = enabled_;
    enabled_ = false;
    if (changes) {
        changes();
    }
    enabled_ = was;
}

void ViewAnimation::beginAnimations(std::string name, void* context) {
    Named named;
    named.name = std::move(name);
    named.context = context;
    openAnimations().push_back(std::move(named));
}

void ViewAnimation::setAnimationDuration(double duration) {
    if (!openAnimations().empty()) {
        openAnimations().back().duration = duration;
    }
}

void ViewAnimation::setAnimationDelay(double delay) {
    if (!openAnimations().empty()) {
        openAnimations().back().delay = delay;
    }
}

void ViewAnimation::setAnimationCurve(unsigned) {}

void ViewAnimation::setAnimationDidStop(DidStop handler) {
    if (!openAnimations().empty()) {
        openAnimations().back().didStop = std::move(handler);
    }
}

void ViewAnimation::commitAnimations() {
    if (openAnimations().empty()) {
        return;
    }
    auto named = std::move(openAnimations().back());
    openAnimations().pop_back();
    double after = enabled_ ? named.delay + named.duration : 0;
    schedule(after, named.didStop ? std::function<void()>(
                                        [named] { named.didStop(named.name, true, named.context); })
                                  : nullptr);
}

}  // namespace ui
