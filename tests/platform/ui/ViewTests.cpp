#include <gtest/gtest.h>

#include "platform/ui/Label.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "tests/platform/ui/UiTestFixture.h"

using graphics::Rect;
using ui::Autoresizing;
using ui::View;

namespace {

class WindowWatcher : public View {
  public:
    using View::View;
    void didMoveToWindow() override { windows.push_back(window() != nullptr); }
    std::vector<bool> windows;
};

class LayoutCounter : public View {
  public:
    using View::View;
    void layoutSubviews() override { ++layouts; }
    int layouts = 0;
};

}  // namespace

using ViewTest = UiTest;

TEST_F(ViewTest, BoundsKeepTheCentreAndTransformsWidenTheFrame) {
    auto v = std::make_shared<View>(Rect(10, 20, 100, 50));
    EXPECT_EQ(v->center(), (graphics::Point{60, 45}));
    v->setBounds(Rect(0, 0, 50, 30));
    EXPECT_EQ(v->frame(), Rect(35, 30, 50, 30));
    v->setTransform(graphics::AffineTransform::makeScale(2, 2));
    EXPECT_EQ(v->frame(), Rect(10, 15, 100, 60));
    EXPECT_EQ(v->bounds(), Rect(0, 0, 50, 30));
}

TEST_F(ViewTest, AutoresizingSharesTheChangeAmongFlexibleParts) {
    struct Case {
        int mask;
        Rect expected;  // child frame after the parent grows from 100x100 to 200x150
    };
    const Case cases[] = {
        {Autoresizing::none, Rect(10, 10, 20, 20)},
        {Autoresizing::flexibleWidth | Autoresizing::flexibleHeight, Rect(10, 10, 120, 70)},
        {Autoresizing::flexibleLeftMargin, Rect(110, 10, 20, 20)},
        // Both margins: shared in proportion to them (10 and 70).
        {Autoresizing::flexibleLeftMargin | Autoresizing::flexibleRightMargin,
         Rect(22.5, 10, 20, 20)},
        {Autoresizing::flexibleTopMargin | Autoresizing::flexibleBottomMargin,
         Rect(10, 16.25, 20, 20)},
    };
    for (const auto& c : cases) {
        auto parent = std::make_shared<View>(Rect(0, 0, 100, 100));
        auto child = std::make_shared<View>(Rect(10, 10, 20, 20));
        child->setAutoresizingMask(c.mask);
        parent->addSubview(child);
        parent->setFrame(Rect(0, 0, 200, 150));
        EXPECT_EQ(child->frame(), c.expected) << "mask " << c.mask;
    }
}

TEST_F(ViewTest, HierarchyMovesAndWindowHooks) {
    auto window = ui::Window::make();
    auto a = std::make_shared<View>();
    auto b = std::make_shared<View>();
    auto watcher = std::make_shared<WindowWatcher>();
    a->addSubview(watcher);
    window->addSubview(a);
    window->addSubview(b);
    b->addSubview(watcher);  // moves within the same window: no window change
    EXPECT_EQ(watcher->superview(), b);
    EXPECT_TRUE(a->subviews().empty());
    watcher->removeFromSuperview();
    EXPECT_EQ(watcher->windows, (std::vector<bool>{true, false}));

    b->addSubview(a);
    window->insertSubview(watcher, 0);
    EXPECT_EQ(window->subviews().front(), watcher);
    window->bringSubviewToFront(watcher);
    EXPECT_EQ(window->subviews().back(), watcher);
    a->addSubview(b);  // would make a cycle: refused
    EXPECT_EQ(b->superview(), window);
}

TEST_F(ViewTest, TagsHitTestingAndConversion) {
    auto window = ui::Window::make();
    auto panel = std::make_shared<View>(Rect(50, 100, 200, 200));
    auto button = std::make_shared<View>(Rect(10, 10, 40, 40));
    button->setTag(7);
    panel->addSubview(button);
    window->addSubview(panel);
    window->makeKeyAndVisible();

    EXPECT_EQ(window->viewWithTag(7), button);
    EXPECT_EQ(window->viewWithTag(8), nullptr);
    EXPECT_EQ(window->hitTest({70, 120}, nullptr), button);
    EXPECT_EQ(window->hitTest({200, 250}, nullptr), panel);
    button->setHidden(true);
    EXPECT_EQ(window->hitTest({70, 120}, nullptr), panel);
    panel->setUserInteractionEnabled(false);
    EXPECT_EQ(window->hitTest({70, 120}, nullptr), window);

    EXPECT_EQ(button->convertRectToView(Rect(0, 0, 10, 10), nullptr), Rect(60, 110, 10, 10));
    EXPECT_EQ(panel->convertPointFromView({60, 110}, nullptr), (graphics::Point{10, 10}));
    panel->setBounds(Rect(0, 50, 200, 200));  // scrolled content
    EXPECT_EQ(button->convertRectToView(Rect(0, 0, 10, 10), panel.get()), Rect(10, 10, 10, 10));
    EXPECT_EQ(button->convertRectToView(Rect(0, 0, 10, 10), nullptr), Rect(60, 60, 10, 10));
}

TEST_F(ViewTest, LayoutRunsOnTheNextTurnForViewsInAWindow) {
    auto window = ui::Window::make();
    auto v = std::make_shared<LayoutCounter>(Rect(0, 0, 10, 10));
    window->addSubview(v);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(v->layouts, 1);
    v->setNeedsLayout();
    v->setNeedsLayout();
    EXPECT_EQ(v->layouts, 1);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(v->layouts, 2);
    v->setFrame(Rect(0, 0, 20, 10));
    v->layoutIfNeeded();
    EXPECT_EQ(v->layouts, 3);
}

TEST_F(ViewTest, LooksAndLabelTextsAreObservable) {
    auto label = std::make_shared<ui::Label>(Rect(0, 0, 100, 20));
    auto observer = std::make_shared<int>(0);
    std::vector<std::string> changes;
    for (const char* key : {"text", "hidden", "center"}) {
        label->addObserver(observer, key, [&](const foundation::KeyValueChange& c) {
            changes.push_back(c.key + ": " + c.oldValue.stringValue() + " -> " +
                              c.newValue.stringValue());
        });
    }
    label->setText("Copied");
    label->setHidden(true);
    label->setCenter({10, 10});
    EXPECT_EQ(changes, (std::vector<std::string>{"text:  -> Copied", "hidden: 0 -> 1",
                                                 "center: {50, 10} -> {10, 10}"}));
    observer.reset();
    label->setText("again");  // a gone observer hears nothing
    EXPECT_EQ(changes.size(), 3u);
}
