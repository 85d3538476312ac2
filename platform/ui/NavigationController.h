#pragma once

// A stack of controllers under a navigation bar, with an optional toolbar
// showing the top controller's toolbar items. The stack changes at once; the
// views and the appearance callbacks follow the platform: pushing B over A
// gives A willDisappear, B willAppear, then after the transition
// A didDisappear, B didAppear (popping mirrors it). Callbacks are delivered
// only while the navigation controller itself is on screen.

#include <memory>
#include <vector>

#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationControllerDelegate.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/ViewController.h"

namespace ui {

class NavigationController : public ViewController {
  public:
    using Ptr = std::shared_ptr<NavigationController>;

    static Ptr withRootViewController(const ViewController::Ptr& root);
    NavigationController();

    const std::vector<ViewController::Ptr>& viewControllers() const { return stack_; }
    void setViewControllers(std::vector<ViewController::Ptr> controllers, bool animated = false);
    ViewController::Ptr topViewController() const {
        return stack_.empty() ? nullptr : stack_.back();
    }
    // The presented controller over the top one, if any, else the top one.
    ViewController::Ptr visibleViewController() const;

    // Pushing a controller already on the stack does nothing.
    virtual void pushViewController(const ViewController::Ptr& controller, bool animated);
    // Pops the top controller; nothing (nullptr) when only the root is left.
    virtual ViewController::Ptr popViewController(bool animated);
    std::vector<ViewController::Ptr> popToRootViewController(bool animated);
    // Pops down to `controller`; nothing when it is not on the stack.
    std::vector<ViewController::Ptr> popToViewController(const ViewController::Ptr& controller,
                                                         bool animated);
    // What the back button does.
    void tapBackButton() { popViewController(true); }

    const std::shared_ptr<NavigationBar>& navigationBar() const { return navigationBar_; }
    const std::shared_ptr<Toolbar>& toolbar() const { return toolbar_; }
    bool isNavigationBarHidden() const { return navigationBarHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated = false);
    bool isToolbarHidden() const { return toolbarHidden_; }
    void setToolbarHidden(bool hidden, bool animated = false);
    bool hidesBarsOnSwipe() const { return hidesBarsOnSwipe_; }
    void setHidesBarsOnSwipe(bool hides) { hidesBarsOnSwipe_ = hides; }
    bool hidesBarsOnTap() const { return hidesBarsOnTap_; }
    void setHidesBarsOnTap(bool hides) { hidesBarsOnTap_ = hides; }
    bool hidesBarsWhenKeyboardAppears() const { return hidesBarsWhenKeyboardAppears_; }
    void setHidesBarsWhenKeyboardAppears(bool hides) { hidesBarsWhenKeyboardAppears_ = hides; }
    bool hidesBarsWhenVerticallyCompact() const { return hidesBarsWhenVerticallyCompact_; }
    void setHidesBarsWhenVerticallyCompact(bool hides) { hidesBarsWhenVerticallyCompact_ = hides; }

    std::shared_ptr<NavigationControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<NavigationControllerDelegate>& delegate) {
        delegate_ = delegate;
    }

    void loadView() override;
    std::vector<ViewController::Ptr> appearanceChildren() const override;
    bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation o) const override;
    int supportedInterfaceOrientations() const override;

    // Places the bars and the top controller's view in the navigation view.
    void layoutBars();

  private:
    bool isOnScreen() const;
    // Shows `incoming` in place of `outgoing`, with appearance callbacks when on screen.
    void transition(const ViewController::Ptr& outgoing, const ViewController::Ptr& incoming,
                    bool animated);
    void syncBars(bool animated);
    graphics::Rect contentFrame() const;

    std::vector<ViewController::Ptr> stack_;
    std::shared_ptr<NavigationBar> navigationBar_;
    std::shared_ptr<Toolbar> toolbar_;
    bool navigationBarHidden_ = false;
    bool toolbarHidden_ = true;
    bool hidesBarsOnSwipe_ = false;
    bool hidesBarsOnTap_ = false;
    bool hidesBarsWhenKeyboardAppears_ = false;
    bool hidesBarsWhenVerticallyCompact_ = false;
    std::weak_ptr<NavigationControllerDelegate> delegate_;
};

}  // namespace ui
