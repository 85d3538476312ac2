#pragma once

// An on/off switch: a tap flips it and sends value changed.

#include "platform/ui/Control.h"

namespace ui {

class Switch : public Control {
  public:
    explicit Switch(const graphics::Rect& frame = graphics::Rect(0, 0, 51, 31)) : Control(frame) {}

    bool isOn() const { return on_; }
    // Setting from code sends no action.
    void setOn(bool on, bool animated = false) { on_ = on; }

    graphics::Size sizeThatFits(graphics::Size) const override { return {51, 31}; }
    std::string outlineText() const override {
        return isHidden() ? ""
                          : std::string("Switch ") + (on_ ? "on" : "off") +
                                (isEnabled() ? "" : " (disabled)");
    }

  protected:
    void didTapInside() override {
        on_ = !on_;
        sendActionsForControlEvents(ControlEvent::valueChanged);
    }

  private:
    bool on_ = false;
};

}  // namespace ui
