#pragma once

// A screen: a lazily loaded view, appearance callbacks in the platform's order
// (will/did appear and disappear, delivered by windows, navigation and modal
// presentation), child controllers, modal presentation and dismissal with
// completions, rotation, editing, and the items its navigation bar and toolbar
// show.
//
// Order of callbacks: on presenting B over A: A willDisappear, B willAppear,
// then after the transition B didAppear, A didDisappear (with completion last).
// On dismissing B: B willDisappear, A willAppear, then B didDisappear,
// A didAppear. Transitions end on the main run loop: 0.35 s after an animated
// change, on the next turn otherwise.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/InterfaceOrientation.h"
#include "platform/ui/Responder.h"
#include "platform/ui/View.h"

namespace ui {

class BarButtonItem;
class NavigationController;
class NavigationItem;
class TransitionContext;
class ViewControllerTransitioningDelegate;
class Window;

enum class ModalPresentationStyle {
    none = -1,
    fullScreen = 0,
    pageSheet = 1,
    formSheet = 2,
    currentContext = 3,
    custom = 4,
    overFullScreen = 5,
    overCurrentContext = 6,
    popover = 7,
};

enum class ModalTransitionStyle {
    coverVertical = 0,
    flipHorizontal = 1,
    crossDissolve = 2,
    partialCurl = 3
};

enum class AppearanceState { disappeared, appearing, appeared, disappearing };

class ViewController : public Responder {
  public:
    using Ptr = std::shared_ptr<ViewController>;
    using Completion = std::function<void()>;

    static constexpr double kTransitionDuration = 0.35;

    ViewController();
    ~ViewController() override;

    // The dynamic type's name, for outlines and log lines.
    virtual std::string className() const;

    // The view, loaded on first access: loadView() then viewDidLoad().
    View::Ptr view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(const View::Ptr& view);
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewDidUnload() {}
    virtual void didReceiveMemoryWarning() {}

    // Appearance. Overrides call the base first, as on the platform.
    virtual void viewWillAppear(bool animated) {}
    virtual void viewDidAppear(bool animated) {}
    virtual void viewWillDisappear(bool animated) {}
    virtual void viewDidDisappear(bool animated) {}
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    AppearanceState appearanceState() const { return appearance_; }
    // Starts and ends an appearance change, forwarding it to the controllers
    // that appear with this one; repeated calls in the same direction do nothing.
    void beginAppearanceTransition(bool appearing, bool animated);
    void endAppearanceTransition();
    // For tests: while withheld, the ends of appearance changes (viewDidAppear,
    // viewDidDisappear) are not delivered to this controller, though its state
    // changes; releasing delivers those held back, in order, as late platform
    // calls.
    void setWithholdsAppearanceEnds(bool withholds);
    bool withholdsAppearanceEnds() const { return withholdsEnds_; }
    // Controllers whose appearance follows this one's (all children by default).
    virtual std::vector<Ptr> appearanceChildren() const { return children_; }

    const std::string& title() const { return title_; }
    virtual void setTitle(const std::string& title);
    NavigationItem& navigationItem();
    const std::shared_ptr<NavigationItem>& navigationItemPtr();
    const std::vector<std::shared_ptr<BarButtonItem>>& toolbarItems() const {
        return toolbarItems_;
    }
    void setToolbarItems(std::vector<std::shared_ptr<BarButtonItem>> items, bool animated = false);
    bool hidesBottomBarWhenPushed() const { return hidesBottomBarWhenPushed_; }
    void setHidesBottomBarWhenPushed(bool hides) { hidesBottomBarWhenPushed_ = hides; }

    // Containment.
    Ptr parentViewController() const { return parent_.lock(); }
    const std::vector<Ptr>& childViewControllers() const { return children_; }
    void addChildViewController(const Ptr& child);
    void removeFromParentViewController();
    virtual void willMoveToParentViewController(ViewController* parent) {}
    virtual void didMoveToParentViewController(ViewController* parent) {}
    // The nearest navigation controller among the ancestors.
    std::shared_ptr<NavigationController> navigationController() const;

    // Modal presentation. Presenting from a controller that already presents
    // one is refused with a log line; a controller whose view is in no window
    // (a screen further down a stack, one never shown) presents from the key
    // window's top controller, and is refused with a log line when there is
    // none.
    void presentViewController(const Ptr& controller, bool animated,
                               Completion completion = nullptr);
    void dismissViewController(bool animated, Completion completion = nullptr);
    void presentModalViewController(const Ptr& controller, bool animated) {
        presentViewController(controller, animated);
    }
    void dismissModalViewController(bool animated) { dismissViewController(animated); }
    Ptr presentedViewController() const;
    Ptr presentingViewController() const;
    bool isBeingPresented() const { return beingPresented_; }
    bool isBeingDismissed() const { return beingDismissed_; }
    ModalPresentationStyle modalPresentationStyle() const { return presentationStyle_; }
    void setModalPresentationStyle(ModalPresentationStyle style) { presentationStyle_ = style; }
    ModalTransitionStyle modalTransitionStyle() const { return transitionStyle_; }
    void setModalTransitionStyle(ModalTransitionStyle style) { transitionStyle_ = style; }
    std::shared_ptr<ViewControllerTransitioningDelegate> transitioningDelegate() const {
        return transitioningDelegate_.lock();
    }
    void setTransitioningDelegate(const std::weak_ptr<ViewControllerTransitioningDelegate>& d) {
        transitioningDelegate_ = d;
    }

    // Rotation.
    InterfaceOrientation interfaceOrientation() const { return orientation_; }
    void setInterfaceOrientation(InterfaceOrientation orientation) { orientation_ = orientation; }
    virtual bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation o) const {
        return o == InterfaceOrientation::portrait;
    }
    virtual bool shouldAutorotate() const { return true; }
    virtual int supportedInterfaceOrientations() const;
    virtual void willRotateToInterfaceOrientation(InterfaceOrientation o, double duration) {}
    virtual void willAnimateRotationToInterfaceOrientation(InterfaceOrientation o,
                                                           double duration) {}
    virtual void didRotateFromInterfaceOrientation(InterfaceOrientation from) {}
    virtual bool prefersStatusBarHidden() const { return false; }

    // Editing, with the Edit/Done item that toggles it.
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);
    std::shared_ptr<BarButtonItem> editButtonItem();

    bool automaticallyAdjustsScrollViewInsets() const { return adjustsInsets_; }
    void setAutomaticallyAdjustsScrollViewInsets(bool adjusts) { adjustsInsets_ = adjusts; }
    bool wantsFullScreenLayout() const { return fullScreenLayout_; }
    void setWantsFullScreenLayout(bool wants) { fullScreenLayout_ = wants; }

    bool canBecomeFirstResponder() const override { return true; }

    // Called by the view when it enters or leaves a window: a controller whose
    // view is put straight into a window (no parent, not presented) appears
    // and disappears with it.
    void viewMovedToWindow(Window* window);

  protected:
    // The presenter this one stands on, for a presented controller.
    void setPresenting(const Ptr& presenter) { presenting_ = presenter; }

  private:
    friend class NavigationController;

    Ptr self() { return std::static_pointer_cast<ViewController>(shared_from_this()); }
    // The outermost container: the controller whose view is in the window.
    Ptr rootOfContainment();
    static void runAfterTransition(bool animated, Completion step);

    View::Ptr view_;
    bool loadingView_ = false;
    AppearanceState appearance_ = AppearanceState::disappeared;
    bool appearanceAnimated_ = false;
    bool withholdsEnds_ = false;
    // The ends held back: appearing or disappearing, and animated.
    std::vector<std::pair<bool, bool>> heldEnds_;
    std::string title_;
    std::shared_ptr<NavigationItem> navigationItem_;
    std::vector<std::shared_ptr<BarButtonItem>> toolbarItems_;
    bool hidesBottomBarWhenPushed_ = false;
    std::weak_ptr<ViewController> parent_;
    std::vector<Ptr> children_;
    Ptr presented_;
    std::weak_ptr<ViewController> presenting_;
    bool beingPresented_ = false;
    bool beingDismissed_ = false;
    ModalPresentationStyle presentationStyle_ = ModalPresentationStyle::fullScreen;
    ModalTransitionStyle transitionStyle_ = ModalTransitionStyle::coverVertical;
    std::weak_ptr<ViewControllerTransitioningDelegate> transitioningDelegate_;
    // The custom transition under way, kept until it completes.
    std::shared_ptr<TransitionContext> transition_;
    InterfaceOrientation orientation_ = InterfaceOrientation::portrait;
    bool editing_ = false;
    std::shared_ptr<BarButtonItem> editButtonItem_;
    bool adjustsInsets_ = true;
    bool fullScreenLayout_ = false;
};

}  // namespace ui
