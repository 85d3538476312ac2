#pragma once

// The base of every screen an ad puts over the application: it presents
// itself modally, keeps itself alive while on screen, hides the status bar
// and keeps the device awake, tells the slot when the ad takes and gives back
// the screen, posts the two full-screen notifications that pause and resume
// every slot's reload timer, records landing-page timing on the ad's
// statistics, and gives the screen back when the application returns to the
// foreground. Such screens stack; only the first of a stack (presented from
// one of the application's controllers) talks to the slot, the status bar
// and the idle timer. Main thread.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/Notification.h"
#include "platform/ui/ViewController.h"

class GADScreenSlot;

class GADViewController : public ui::ViewController {
  public:
    using Ptr = std::shared_ptr<GADViewController>;

    // Seconds after presenting when the appearance is completed even if the
    // platform's call has not come.
    static constexpr double kForcedAppearanceDelay = 0.6;

    // Orientations 1 (any), modal transition style cover vertical.
    GADViewController();
    // Tells the slot the screen was dismissed when this controller was
    // presented as the first of its stack (never for one that showed nothing).
    ~GADViewController() override;

    virtual bool shouldDismissOnAppClose();
    // The controller presents this one, animated.
    virtual void presentFrom(const ui::ViewController::Ptr& controller);
    // The parent dismisses what it presents, animated.
    virtual void dismiss();
    // Only in the full-screen presentation style; remembers whether the bar
    // was already hidden.
    virtual void hideStatusBar();
    virtual void restoreStatusBar();
    // The controller that presented this one.
    ui::ViewController::Ptr parent() const { return presentingViewController(); }
    // 1 any, 2 portrait, 3 landscape; 0 (never set) behaves as 1.
    std::int64_t supportedOrientations() const { return supportedOrientations_; }
    // 0 is ignored.
    void setSupportedOrientations(std::int64_t orientations);
    // The parent is not one of these screens (or there is none).
    bool isFirstGADViewController() const;

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    // A screen that its presenter dismisses (not through relinquishScreen)
    // is given back as well, with the screens of its stack that go with it.
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    bool prefersStatusBarHidden() const override { return true; }
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;
    bool shouldAutorotate() const override { return true; }
    int supportedInterfaceOrientations() const override;

    void ensureStatusBarHidden();
    void appDidEnterForeground(const foundation::Notification& notification);
    void scheduleAppearanceNotificationAndPresentFrom(const ui::ViewController::Ptr& controller);
    // Shows the controller over the given one; nothing but a log line for none.
    void presentFromViewController(const ui::ViewController::Ptr& controller);
    // Gives the screen back. A controller that is not presented (never, or
    // given back already) only stops taking touches: the slot hears one
    // will-dismiss per presentation.
    virtual void relinquishScreen();

    // Between the first appearance call and the disappearance.
    bool viewDidAppear() const { return viewDidAppear_; }
    std::shared_ptr<GADScreenSlot> slot() const { return slot_.lock(); }
    void setSlot(const std::weak_ptr<GADScreenSlot>& slot) { slot_ = slot; }
    // The controller itself while presented.
    const Ptr& retainCycle() const { return retainCycle_; }
    bool statusBarWasHidden() const { return statusBarWasHidden_; }
    bool publisherIdleTimerDisabled() const { return publisherIdleTimerDisabled_; }
    bool appClosing() const { return appClosing_; }
    // While the first controller is in its transition with the application's.
    bool interactingWithParent() const { return interactingWithParent_; }
    bool wasPresentedFromViewController() const { return wasPresentedFromViewController_; }

  protected:
    // Starts with the orientations given (the platform's own initialiser
    // leaves them 0).
    explicit GADViewController(std::int64_t supportedOrientations);

  private:
    Ptr selfPtr() { return std::static_pointer_cast<GADViewController>(shared_from_this()); }
    void recordLandingPageDismissal();
    // Ends the presentation: drops the self-reference and, for the first
    // screen of a stack, tells the slot and gives back the status bar and
    // the idle timer.
    void endPresentation(bool first);
    // The screen went away without relinquishScreen: the presentation ends
    // and the full-screen notification is posted as relinquishScreen would.
    void screenTakenAway();

    std::int64_t supportedOrientations_;
    bool viewDidAppear_ = false;
    std::weak_ptr<GADScreenSlot> slot_;
    Ptr retainCycle_;
    bool statusBarWasHidden_ = false;
    bool publisherIdleTimerDisabled_ = false;
    bool appClosing_ = false;
    bool interactingWithParent_ = false;
    bool wasPresentedFromViewController_ = false;
    // Presented from one of the application's controllers: the slot heard
    // adWillPresentScreen.
    bool presentedAsFirst_ = false;
    // This screen and those under it in its stack that its presenter's
    // dismissal takes away, from viewWillDisappear to viewDidDisappear.
    std::vector<std::weak_ptr<GADViewController>> beingTakenAway_;
};
