#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/LongPressGestureRecognizer.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/PinchGestureRecognizer.h"
#include "platform/ui/SwipeGestureRecognizer.h"
#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/TouchSimulator.h"
#include "tests/platform/ui/UiTestFixture.h"

using ui::GestureRecognizerState;
using ui::TouchSimulator;
using States = std::vector<GestureRecognizerState>;

class GestureTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        window = ui::Window::make();
        area = std::make_shared<ui::View>(graphics::Rect(0, 100, 320, 300));
        window->addSubview(area);
        window->makeKeyAndVisible();
    }
    template <typename T>
    std::shared_ptr<T> attach(States& states) {
        auto recognizer = std::make_shared<T>(
            [&states](ui::GestureRecognizer& r) { states.push_back(r.state()); });
        area->addGestureRecognizer(recognizer);
        return recognizer;
    }
    ui::Window::Ptr window;
    ui::View::Ptr area;
};

TEST_F(GestureTest, TapsAndButtonsAnswerAFinger) {
    States states;
    auto tap = attach<ui::TapGestureRecognizer>(states);
    tap->setNumberOfTapsRequired(2);
    TouchSimulator::tap(window, {50, 150}, 1);
    EXPECT_TRUE(states.empty());
    TouchSimulator::tap(window, {50, 150}, 2);
    EXPECT_EQ(states, (States{GestureRecognizerState::ended}));
    EXPECT_EQ(tap->state(), GestureRecognizerState::possible);  // reset after the gesture
    TouchSimulator::tap(window, {50, 50}, 2);                   // outside the view
    EXPECT_EQ(states.size(), 1u);

    auto button = ui::Button::buttonWithType(ui::ButtonType::system);
    button->setFrame(graphics::Rect(0, 450, 100, 44));
    button->setTitle("Scan");
    int taps = 0;
    button->addTarget(ui::ControlEvent::touchUpInside, [&](ui::Control&) { ++taps; });
    window->addSubview(button);
    TouchSimulator::tap(window, {20, 460});
    EXPECT_EQ(taps, 1);
    button->setEnabled(false);
    EXPECT_FALSE(button->tap());
    TouchSimulator::tap(window, {20, 460});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(button->outlineText(), "Button [Scan] (disabled)");
}

TEST_F(GestureTest, LongPressBeginsAfterTheMinimumDurationOnTheClock) {
    States states;
    auto press = attach<ui::LongPressGestureRecognizer>(states);
    TouchSimulator finger(window);
    finger.begin({{100, 200}});
    advance(0.4);
    EXPECT_TRUE(states.empty());
    advance(0.1);
    EXPECT_EQ(states, (States{GestureRecognizerState::began}));
    finger.move({{130, 200}});
    finger.end();
    EXPECT_EQ(states, (States{GestureRecognizerState::began, GestureRecognizerState::changed,
                              GestureRecognizerState::ended}));

    // Lifting early, or moving away, fails it.
    states.clear();
    finger.begin({{100, 200}});
    advance(0.2);
    finger.end();
    finger.begin({{100, 200}});
    finger.move({{100, 230}});
    advance(1);
    finger.end();
    EXPECT_TRUE(states.empty());
}

TEST_F(GestureTest, PinchReportsScaleAndPanReportsTranslation) {
    States pinchStates;
    auto pinch = attach<ui::PinchGestureRecognizer>(pinchStates);
    std::vector<double> scales;
    pinch->addTarget([&](ui::GestureRecognizer& r) {
        scales.push_back(static_cast<ui::PinchGestureRecognizer&>(r).scale());
    });
    TouchSimulator::pinch(window, {160, 250}, 100, 2.0, 4);
    ASSERT_EQ(pinchStates.front(), GestureRecognizerState::began);
    EXPECT_EQ(pinchStates.back(), GestureRecognizerState::ended);
    EXPECT_DOUBLE_EQ(scales.front(), 1.25);
    EXPECT_DOUBLE_EQ(scales.back(), 2.0);
    area->removeGestureRecognizer(pinch);

    States panStates;
    auto pan = attach<ui::PanGestureRecognizer>(panStates);
    graphics::Point translation;
    pan->addTarget([&](ui::GestureRecognizer& r) {
        translation = static_cast<ui::PanGestureRecognizer&>(r).translationInView(area.get());
    });
    TouchSimulator::drag(window, {10, 110}, {70, 150}, 4);
    EXPECT_EQ(panStates.front(), GestureRecognizerState::began);
    EXPECT_EQ(translation, (graphics::Point{60, 40}));

    // Turning the recognizer off mid-gesture cancels it.
    panStates.clear();
    TouchSimulator finger(window);
    finger.begin({{10, 110}});
    finger.move({{40, 110}});
    pan->setEnabled(false);
    finger.end();
    EXPECT_EQ(panStates,
              (States{GestureRecognizerState::began, GestureRecognizerState::cancelled}));
}

TEST_F(GestureTest, SwipesRecognizeOnlyTheirDirections) {
    States states;
    auto swipe = attach<ui::SwipeGestureRecognizer>(states);
    swipe->setDirection(ui::SwipeDirection::left);
    TouchSimulator::drag(window, {200, 200}, {100, 210});
    TouchSimulator::drag(window, {100, 200}, {200, 200});
    TouchSimulator::drag(window, {200, 200}, {180, 200});
    EXPECT_EQ(states, (States{GestureRecognizerState::ended}));
}

// A view that remembers what kind of event each hit test was asked for.
class HitRecordingView : public ui::View {
  public:
    using ui::View::View;
    Ptr hitTest(graphics::Point point, const ui::Event* event) override {
        eventTypes.push_back(event ? static_cast<int>(event->type) : -1);
        return ui::View::hitTest(point, event);
    }
    std::vector<int> eventTypes;
};

TEST_F(GestureTest, TheHitTestOfAFingerReceivesItsTouchEvent) {
    auto inner = std::make_shared<HitRecordingView>(graphics::Rect(10, 10, 100, 100));
    area->addSubview(inner);
    TouchSimulator::tap(window, {50, 150});
    EXPECT_EQ(inner->eventTypes, std::vector<int>{static_cast<int>(ui::EventType::touches)});
}
