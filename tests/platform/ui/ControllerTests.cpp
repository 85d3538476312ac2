#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/NavigationController.h"
#include "platform/ui/ViewController.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

// Writes every appearance callback into a shared log as "<name> <event>".
class Logged : public ui::ViewController {
  public:
    Logged(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void viewDidLoad() override { log_.push_back(name_ + " load"); }
    void viewWillAppear(bool) override { log_.push_back(name_ + " willAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + " didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + " willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + " didDisappear"); }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

using Log = std::vector<std::string>;

}  // namespace

class ControllerTest : public UiTest {
  protected:
    std::shared_ptr<Logged> make(const std::string& name) {
        return std::make_shared<Logged>(name, log);
    }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }
    Log log;
};

TEST_F(ControllerTest, ViewLoadsLazilyOnce) {
    auto a = make("A");
    EXPECT_FALSE(a->isViewLoaded());
    auto v = a->view();
    EXPECT_EQ(a->view(), v);
    EXPECT_EQ(v->viewController(), a);
    EXPECT_EQ(take(), (Log{"A load"}));
}

TEST_F(ControllerTest, RootAppearsWhenTheWindowBecomesVisible) {
    auto a = make("A");
    auto window = ui::Window::make();
    window->setRootViewController(a);
    EXPECT_EQ(take(), (Log{"A load"}));
    window->makeKeyAndVisible();
    EXPECT_EQ(take(), (Log{"A willAppear"}));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(take(), (Log{"A didAppear"}));
    EXPECT_EQ(window->topViewController(), a);
}

TEST_F(ControllerTest, PushAndPopDeliverAppearanceInPlatformOrder) {
    auto a = make("A");
    auto nav = ui::NavigationController::withRootViewController(a);
    auto window = show(nav);
    take();

    auto b = make("B");
    nav->pushViewController(b, true);
    EXPECT_EQ(nav->viewControllers().size(), 2u);
    EXPECT_EQ(b->navigationController(), nav);
    EXPECT_EQ(take(), (Log{"B load", "A willDisappear", "B willAppear"}));
    advance(ui::ViewController::kTransitionDuration);
    EXPECT_EQ(take(), (Log{"A didDisappear", "B didAppear"}));
    EXPECT_EQ(b->view()->superview(), nav->view());
    EXPECT_EQ(a->view()->superview(), nullptr);
    EXPECT_EQ(nav->navigationBar()->backButtonTitle(), "Back");

    nav->pushViewController(b, false);  // already on the stack
    EXPECT_EQ(nav->viewControllers().size(), 2u);

    auto c = make("C");
    nav->pushViewController(c, false);
    settle();
    take();
    auto popped = nav->popToRootViewController(false);
    EXPECT_EQ(popped.size(), 2u);
    EXPECT_EQ(take(), (Log{"C willDisappear", "A willAppear"}));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(take(), (Log{"C didDisappear", "A didAppear"}));
    EXPECT_EQ(nav->popViewController(true), nullptr);  // the root stays
    EXPECT_EQ(c->navigationController(), nullptr);
}

TEST_F(ControllerTest, PushingWhileOffScreenChangesTheStackOnly) {
    auto a = make("A");
    auto nav = ui::NavigationController::withRootViewController(a);
    nav->pushViewController(make("B"), false);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(take(), Log{});
    auto window = show(nav);
    EXPECT_EQ(take(), (Log{"B load", "B willAppear", "B didAppear"}));
}

TEST_F(ControllerTest, ModalPresentationAndDismissalWithCompletions) {
    auto a = make("A");
    auto window = show(a);
    take();

    auto b = make("B");
    bool presented = false;
    a->presentViewController(b, true, [&] { presented = true; });
    EXPECT_EQ(a->presentedViewController(), b);
    EXPECT_EQ(b->presentingViewController(), a);
    EXPECT_TRUE(b->isBeingPresented());
    EXPECT_EQ(take(), (Log{"A willDisappear", "B load", "B willAppear"}));
    advance(0.3);
    EXPECT_FALSE(presented);
    advance(0.05);
    EXPECT_TRUE(presented);
    EXPECT_EQ(take(), (Log{"B didAppear", "A didDisappear"}));
    EXPECT_EQ(window->topViewController(), b);

    // A second presentation from the same controller is refused.
    auto c = make("C");
    a->presentViewController(c, false);
    EXPECT_EQ(a->presentedViewController(), b);
    EXPECT_FALSE(c->isViewLoaded());

    bool dismissed = false;
    b->dismissViewController(false,
                             [&] { dismissed = true; });  // the presented one dismisses itself
    EXPECT_TRUE(b->isBeingDismissed());
    EXPECT_EQ(take(), (Log{"B willDisappear", "A willAppear"}));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(take(), (Log{"B didDisappear", "A didAppear"}));
    EXPECT_EQ(a->presentedViewController(), nullptr);
    EXPECT_EQ(b->view()->window(), nullptr);
    EXPECT_EQ(a->view()->window(), window);
}

TEST_F(ControllerTest, PresentingFromAControllerOffScreenIsRefused) {
    auto a = make("A");
    auto b = make("B");
    a->presentViewController(b, false);
    EXPECT_EQ(a->presentedViewController(), nullptr);
    EXPECT_FALSE(b->isViewLoaded());
}

TEST_F(ControllerTest, AControllerOffScreenPresentsFromTheKeyWindowsTopController) {
    auto nav = ui::NavigationController::withRootViewController(make("A"));
    nav->pushViewController(make("B"), false);
    auto window = show(nav);
    auto offScreen = make("X");  // e.g. a controller handed to a component, never shown
    auto c = make("C");
    bool presented = false;
    offScreen->presentViewController(c, false, [&] { presented = true; });
    settle();
    EXPECT_TRUE(presented);
    EXPECT_EQ(c->presentingViewController(), nav);
    EXPECT_EQ(window->topViewController(), c);
    EXPECT_EQ(offScreen->presentedViewController(), nullptr);
}

TEST_F(ControllerTest, WithheldAppearanceEndsArriveWhenReleased) {
    auto a = make("A");
    auto window = show(a);
    take();
    auto b = make("B");
    b->setWithholdsAppearanceEnds(true);
    a->presentViewController(b, false);
    settle();
    EXPECT_EQ(b->appearanceState(), ui::AppearanceState::appeared);
    EXPECT_EQ(take(), (Log{"A willDisappear", "B load", "B willAppear", "A didDisappear"}));
    b->dismissViewController(false);
    settle();
    EXPECT_EQ(take(), (Log{"B willDisappear", "A willAppear", "A didAppear"}));
    b->setWithholdsAppearanceEnds(false);
    EXPECT_EQ(take(), (Log{"B didAppear", "B didDisappear"}));
}

TEST_F(ControllerTest, DismissingTheBottomOfAChainRemovesEverythingAbove) {
    auto a = make("A");
    auto window = show(a);
    auto b = make("B");
    auto c = make("C");
    a->presentViewController(b, false);
    settle();
    b->presentViewController(c, false);
    settle();
    take();
    a->dismissViewController(false);
    settle();
    EXPECT_EQ(take(), (Log{"C willDisappear", "A willAppear", "C didDisappear", "A didAppear"}));
    EXPECT_EQ(window->topViewController(), a);
    EXPECT_EQ(b->presentedViewController(), nullptr);
}

TEST_F(ControllerTest, EditButtonTogglesEditing) {
    auto a = make("A");
    auto item = a->editButtonItem();
    EXPECT_EQ(item->title(), "Edit");
    item->tap();
    EXPECT_TRUE(a->isEditing());
    EXPECT_EQ(item->title(), "Done");
}

namespace {

class Turning : public ui::ViewController {
  public:
    std::vector<std::string> events;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override {
        return o != ui::InterfaceOrientation::portraitUpsideDown;
    }
    void willRotateToInterfaceOrientation(ui::InterfaceOrientation, double) override {
        events.push_back("will");
    }
    void didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) override {
        events.push_back("did from " + std::to_string(static_cast<int>(from)));
    }
};

}  // namespace

TEST_F(ControllerTest, RotationAsksTheTopControllerAndTurnsTheInterface) {
    auto turning = std::make_shared<Turning>();
    auto window = show(turning);
    EXPECT_FALSE(
        window->rotateToInterfaceOrientation(ui::InterfaceOrientation::portraitUpsideDown));
    EXPECT_TRUE(window->rotateToInterfaceOrientation(ui::InterfaceOrientation::landscapeLeft, 0.3));
    EXPECT_EQ(turning->interfaceOrientation(), ui::InterfaceOrientation::landscapeLeft);
    EXPECT_EQ(ui::Application::shared().statusBarOrientation(),
              ui::InterfaceOrientation::landscapeLeft);
    EXPECT_EQ(turning->view()->bounds().size, (graphics::Size{568, 320}));
    advance(0.3);
    EXPECT_EQ(turning->events, (std::vector<std::string>{"will", "did from 1"}));
}

TEST_F(ControllerTest, DismissingWhileStillBeingPresentedPutsThePresenterBack) {
    auto a = make("A");
    auto window = show(a);
    auto b = make("B");
    a->presentViewController(b, true);
    b->dismissViewController(true);  // e.g. a screen that closes itself at once
    settle();
    EXPECT_EQ(a->presentedViewController(), nullptr);
    EXPECT_EQ(window->topViewController(), a);
    EXPECT_EQ(a->view()->window(), window);
    EXPECT_EQ(b->view()->superview(), nullptr);
}
