#pragma once

// Animations run together, each from its own begin time within the group;
// when the group ends its members end with it.

#include <vector>

#include "platform/ui/Animation.h"

namespace ui {

class AnimationGroup : public Animation {
  public:
    std::shared_ptr<Animation> copy() const override;
    void apply(double t, AnimatedValues& values) const override;

    std::vector<std::shared_ptr<Animation>> animations;
};

}  // namespace ui
