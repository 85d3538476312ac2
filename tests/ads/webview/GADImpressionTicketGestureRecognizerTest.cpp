#include <gtest/gtest.h>

#include "ads/webview/GADImpressionTicketGestureRecognizer.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"

namespace {

TEST(GADImpressionTicketGestureRecognizerTest, RecognisesTheZigZagOnly) {
    struct Case {
        const char* name;
        std::vector<graphics::Point> path;  // one finger, from the first point on
        int fingers;
        bool recognised;
    };
    const std::vector<Case> cases = {
        {"right 20, left 20, right 20, left 1",
         {{100, 200}, {120, 200}, {100, 200}, {120, 200}, {119, 200}},
         1,
         true},
        {"right 10 then left", {{100, 200}, {110, 200}, {100, 200}}, 1, false},
        {"a move with 6 points up",
         {{100, 200}, {120, 200}, {100, 200}, {120, 194}, {119, 194}},
         1,
         false},
        {"left first", {{100, 200}, {80, 200}}, 1, false},
        {"three strokes only", {{100, 200}, {120, 200}, {100, 200}, {120, 200}}, 1, false},
        {"two fingers", {{100, 200}, {120, 200}, {100, 200}, {120, 200}, {119, 200}}, 2, false},
    };
    for (const auto& c : cases) {
        auto window = ui::Window::make();
        auto area = std::make_shared<ui::View>(graphics::Rect{0, 0, 320, 480});
        window->addSubview(area);
        window->makeKeyAndVisible();
        int recognised = 0;
        auto recognizer =
            std::make_shared<GADImpressionTicketGestureRecognizer>([&](ui::GestureRecognizer& r) {
                recognised += r.state() == ui::GestureRecognizerStateRecognized;
            });
        area->addGestureRecognizer(recognizer);
        ui::TouchSimulator fingers(window);
        auto points = [&](graphics::Point p) {
            std::vector<graphics::Point> all{p};
            if (c.fingers == 2) {
                all.push_back({p.x, p.y + 100});
            }
            return all;
        };
        fingers.begin(points(c.path.front()));
        for (std::size_t i = 1; i < c.path.size(); ++i) {
            fingers.move(points(c.path[i]));
        }
        fingers.end();
        EXPECT_EQ(recognised == 1, c.recognised) << c.name;
        EXPECT_EQ(recognizer->gestureState(), GADImpressionTicketGestureStateNone) << c.name;
    }
}

}  // namespace
