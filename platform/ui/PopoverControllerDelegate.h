#pragma once

// Asked and told by a popover when a tap outside would dismiss it.

namespace ui {

class PopoverController;

class PopoverControllerDelegate {
  public:
    virtual ~PopoverControllerDelegate() = default;
    virtual bool popoverControllerShouldDismissPopover(PopoverController& popover) { return true; }
    virtual void popoverControllerDidDismissPopover(PopoverController& popover) {}
};

}  // namespace ui
