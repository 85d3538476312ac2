#pragma once

// Told by a navigation controller before and after it shows a controller.

namespace ui {

class NavigationController;
class ViewController;

class NavigationControllerDelegate {
  public:
    virtual ~NavigationControllerDelegate() = default;
    virtual void willShowViewController(NavigationController& navigation,
                                        ViewController& controller, bool animated) {}
    virtual void didShowViewController(NavigationController& navigation, ViewController& controller,
                                       bool animated) {}
};

}  // namespace ui
