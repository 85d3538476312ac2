#include "platform/ui/AnimationGroup.h"

#include <algorithm>

namespace ui {

std::shared_ptr<Animation> AnimationGroup::copy() const {
    auto group = std::make_shared<AnimationGroup>(*this);
    for (auto& member : group->animations) {
        member = member->copy();
    }
    return group;
}

void AnimationGroup::apply(double t, AnimatedValues& values) const {
    bool fillsAfter = fillMode == FillMode::forwards || fillMode == FillMode::both;
    if (t < 0 || (t >= duration && !fillsAfter)) {
        return;
    }
    double local = std::min(t, duration);
    for (const auto& member : animations) {
        member->apply(local - member->beginTime, values);
    }
}

}  // namespace ui
