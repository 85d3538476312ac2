#pragma once

// A window: the root of a view tree on the screen, with the root view
// controller whose view fills it. Hidden until made visible; the key window
// is the one the application shows and the host outlines.

#include <memory>

#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"

namespace ui {

class Window : public View {
  public:
    using Ptr = std::shared_ptr<Window>;

    // A window covering the main screen.
    static Ptr make();
    explicit Window(const graphics::Rect& frame);

    const ViewController::Ptr& rootViewController() const { return root_; }
    // Puts the controller's view in the window, filling it; the controller
    // appears when the window is visible.
    void setRootViewController(const ViewController::Ptr& controller);
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;
    void setHidden(bool hidden) override;
    double windowLevel() const { return level_; }
    void setWindowLevel(double level) { level_ = level; }

    // The controller on top: the root, then whatever it presents, and for
    // navigation controllers their top controller.
    ViewController::Ptr topViewController() const;
    // The presented controller on top, or the root.
    ViewController::Ptr frontController() const;

    // Turns the interface, as when the device turns: when the top controller
    // allows the orientation, it (and its containers) hear will-rotate and
    // will-animate at once and did-rotate after `duration` on the run loop;
    // the status bar turns and the root view takes the turned size. Answers
    // whether the interface turned.
    bool rotateToInterfaceOrientation(InterfaceOrientation orientation, double duration = 0.4);

    // Lays out marked views on the next turn of the main run loop.
    void scheduleLayout();

    // Window coordinates to screen coordinates and back.
    graphics::Rect convertRectToScreen(const graphics::Rect& rect) const;
    graphics::Rect convertRectFromScreen(const graphics::Rect& rect) const;

  private:
    ViewController::Ptr root_;
    double level_ = 0;
    bool layoutScheduled_ = false;
};

}  // namespace ui
