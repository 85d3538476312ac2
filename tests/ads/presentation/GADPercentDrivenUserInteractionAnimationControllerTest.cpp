#include "ads/presentation/GADPercentDrivenUserInteractionAnimationController.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"

namespace {

class RecordingListener : public GADPercentDrivenUserInteractionAnimationControllerDelegate {
  public:
    std::vector<std::string> events;
    void animationControllerDidFinishAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController&) override {
        events.push_back("finished");
    }
    void animationControllerDidCancelAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController&) override {
        events.push_back("cancelled");
    }
};

std::shared_ptr<GADPercentDrivenUserInteractionAnimationController> controller(int direction,
                                                                               double startY) {
    auto animation = GADViewControllerFullScreenSwipeAnimation::make();
    animation->setDirection(direction);
    animation->setStartY(startY);
    animation->willAnimatePresentation();
    return GADPercentDrivenUserInteractionAnimationController::make(animation);
}

TEST(GADPercentDrivenUserInteractionAnimationControllerTest, ProgressIsTheWayToTheFarEdge) {
    ui::Screen::mainScreen().setBounds({0, 0, 320, 500});
    struct Case {
        int direction;
        double startY;
        double y;
        double progress;
    };
    const std::vector<Case> cases = {
        {1, 100, 300, 0.5},
        {2, 400, 200, 0.5},
        // The finger going the other way, or past the edge, stays in [0, 1].
        {1, 100, 50, 0},
        {2, 400, 450, 0},
        {1, 100, 600, 1},
        // A pan starting on the far edge has no way to go.
        {1, 500, 500, 0},
        {2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(controller(c.direction, c.startY)->progressForLocationY(c.y), c.progress)
            << c.direction << " " << c.startY << " " << c.y;
    }
}

struct Drive {
    foundation::ManualClock clock;
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<ui::PanGestureRecognizer> pan;
    std::shared_ptr<GADPercentDrivenUserInteractionAnimationController> interaction;
    std::shared_ptr<RecordingListener> listener = std::make_shared<RecordingListener>();
    std::vector<ui::GestureRecognizerState> states;

    Drive(int direction, double startY) : interaction(controller(direction, startY)) {
        ui::Screen::mainScreen().setBounds({0, 0, 320, 500});
        auto view = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 500));
        window->addSubview(view);
        window->makeKeyAndVisible();
        pan = std::make_shared<ui::PanGestureRecognizer>();
        pan->addTarget([this](ui::GestureRecognizer&) {
            states.push_back(pan->state());
            interaction->handlePanGesture(*pan);
        });
        view->addGestureRecognizer(pan);
        interaction->setDelegate(listener);
    }
    // A finger from y0 through y1 to y2, a tenth of a second per step.
    void drag(double y0, double y1, double y2, bool lift = true) {
        ui::TouchSimulator fingers(window);
        fingers.begin({{160, y0}});
        for (double y : {y1, y2}) {
            clock.advance(0.1);
            fingers.move({{160, y}});
        }
        if (lift) {
            fingers.end();
        } else {
            pan->setEnabled(false);
        }
    }
};

TEST(GADPercentDrivenUserInteractionAnimationControllerTest, ReleaseVelocityDecides) {
    struct Case {
        const char* name;
        int direction;
        double y0, y1, y2;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        // Moving down at release finishes a top-to-bottom swipe even early on.
        {"down, released moving down", 1, 100, 130, 160, {"finished"}},
        {"down, released moving up", 1, 100, 450, 400, {"cancelled"}},
        {"up, released moving up", 2, 400, 300, 200, {"finished"}},
        {"up, released moving down", 2, 400, 100, 150, {"cancelled"}},
    };
    for (const Case& c : cases) {
        Drive drive(c.direction, c.y0);
        drive.drag(c.y0, c.y1, c.y2);
        // Began reached the controller and cancelled nothing.
        ASSERT_FALSE(drive.states.empty()) << c.name;
        EXPECT_EQ(drive.states.front(), ui::GestureRecognizerState::began) << c.name;
        EXPECT_EQ(drive.listener->events, c.events) << c.name;
    }
}

TEST(GADPercentDrivenUserInteractionAnimationControllerTest, ChangedUpdatesAndCancelledCancels) {
    Drive drive(1, 100);
    drive.drag(100, 120, 300, false);
    EXPECT_EQ(drive.interaction->percentComplete(), 0.5);
    EXPECT_EQ(drive.states.back(), ui::GestureRecognizerState::cancelled);
    EXPECT_EQ(drive.listener->events, std::vector<std::string>{"cancelled"});
}

TEST(GADPercentDrivenUserInteractionAnimationControllerTest, HandsOutTheAnimationAndItself) {
    auto interaction = controller(2, 10);
    ui::ViewController a, b, c;
    EXPECT_EQ(interaction->animationControllerForPresentedController(a, b, c),
              interaction->transitionAnimation());
    EXPECT_TRUE(interaction->transitionAnimation()->presenting());
    EXPECT_EQ(
        interaction->interactionControllerForPresentation(*interaction->transitionAnimation()),
        interaction);
    EXPECT_FALSE(interaction->isAnimatingTopToBottom());
    EXPECT_EQ(interaction->animationControllerForDismissedController(a),
              interaction->transitionAnimation());
    EXPECT_FALSE(interaction->transitionAnimation()->presenting());
    // Dismissing what came up from the bottom goes down.
    EXPECT_TRUE(interaction->isAnimatingTopToBottom());
    EXPECT_EQ(GADPercentDrivenUserInteractionAnimationController::make(nullptr), nullptr);
}

}  // namespace
