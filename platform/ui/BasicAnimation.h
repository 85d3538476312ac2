#pragma once

// An animation of one key path ("opacity", "position", "bounds", "bounds.size")
// from one value to another; a missing end takes the layer's model value.

#include <optional>

#include "platform/ui/Animation.h"

namespace ui {

class BasicAnimation : public Animation {
  public:
    explicit BasicAnimation(std::string keyPath = {}) : keyPath(std::move(keyPath)) {}

    std::shared_ptr<Animation> copy() const override {
        return std::make_shared<BasicAnimation>(*this);
    }
    void apply(double t, AnimatedValues& values) const override;

    std::string keyPath;
    std::optional<AnimatedValue> fromValue;
    std::optional<AnimatedValue> toValue;
};

}  // namespace ui
