#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewAnimation.h"
#include "scanning/LBXScan/LBXScanLineAnimation.h"
#include "scanning/LBXScan/LBXScanNetAnimation.h"
#include "tests/scanning/LBXScan/LBXScanTestFixture.h"

using LBXScanAnimationTest = LBXScanTest;

namespace {

const graphics::Rect kFrame(60, 140, 200, 200);

}  // namespace

TEST_F(LBXScanAnimationTest, LineSweepsDownAndRestartsAfterAPause) {
    auto host = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    const int base = ui::ViewAnimation::pendingCount();
    auto line = std::make_shared<LBXScanLineAnimation>();
    line->startAnimatingWithRect(kFrame, *host, nullptr);
    EXPECT_EQ(line->superview(), host);
    // The sweep's end state at once: at the bottom, 4 points high, faded in.
    EXPECT_EQ(line->frame(), graphics::Rect(65, 332, 190, 4));
    EXPECT_EQ(line->alpha(), 1);
    EXPECT_FALSE(line->isHidden());
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base + 2);  // fade 0.5 s and sweep 3 s

    // Starting again while animating changes nothing.
    line->startAnimatingWithRect(graphics::Rect(0, 0, 100, 100), *host, nullptr);
    EXPECT_EQ(line->animationRect(), kFrame);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base + 2);

    advance(2.9);
    EXPECT_FALSE(line->isHidden());
    advance(0.1);  // the sweep ends: hidden until the next cycle
    EXPECT_TRUE(line->isHidden());
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base);
    advance(0.3);
    EXPECT_FALSE(line->isHidden());
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base + 2);

    line->stopAnimating();
    EXPECT_FALSE(line->isAnimationing());
    EXPECT_FALSE(line->superview());
    advance(3.5);  // the running sweep ends; no new cycle follows
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base);
}

TEST_F(LBXScanAnimationTest, StoppingAStoppedLineStillCancelsItsPendingRestart) {
    auto host = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    auto line = std::make_shared<LBXScanLineAnimation>();
    line->startAnimatingWithRect(kFrame, *host, nullptr);
    advance(1);
    line->stopAnimating();
    advance(2.05);  // the sweep's completion schedules a restart in 0.3 s
    const auto pending = foundation::RunLoop::main().pendingCount();
    line->stopAnimating();
    EXPECT_EQ(foundation::RunLoop::main().pendingCount(), pending - 1);

    // A line that never started has nothing to stop but answers the same way.
    auto fresh = std::make_shared<LBXScanLineAnimation>();
    fresh->stopAnimating();
    EXPECT_FALSE(fresh->isAnimationing());
}

TEST_F(LBXScanAnimationTest, TimerVariantTurnsAtTheFrameEdges) {
    auto line = std::make_shared<LBXScanLineAnimation>();
    line->setAnimationRect(
        graphics::Rect(0, 0, 100, 40));  // middle at 20, turns past 35 and below 5
    line->startAnimating_NSTimer();
    advance(0.02 * 8);
    EXPECT_EQ(line->num(), 8);  // 20 + 16 = 36 passed 35
    EXPECT_FALSE(line->down());
    EXPECT_EQ(line->frame(), graphics::Rect(5, 36, 90, 2));
    advance(0.02 * 16);
    EXPECT_EQ(line->num(), -8);  // 20 - 16 = 4 passed 5
    EXPECT_TRUE(line->down());
    line->stopAnimating();
}

TEST_F(LBXScanAnimationTest, NetSlidesIntoTheFrameAndRepeats) {
    auto host = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    const int base = ui::ViewAnimation::pendingCount();
    auto net = std::make_shared<LBXScanNetAnimation>();
    EXPECT_TRUE(net->clipsToBounds());
    auto imageView = net->scanImageView();
    ASSERT_EQ(net->subviews().size(), 1u);
    EXPECT_EQ(net->subviews()[0], imageView);

    const graphics::Rect wide(60, 140, 200, 100);
    net->startAnimatingWithRect(wide, *host, nullptr);
    EXPECT_EQ(net->superview(), host);
    EXPECT_EQ(net->frame(), wide);
    EXPECT_EQ(net->alpha(), 1);
    EXPECT_EQ(net->scanImageView()->frame(), graphics::Rect(0, 100, 200, 100));  // (0, w - h, w, h)
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base + 1);

    advance(1.4);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base);
    advance(0.3);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base + 1);  // the next cycle

    advance(1.4);  // ends the cycle: a restart is pending
    net->stopAnimating();
    EXPECT_TRUE(net->isHidden());
    EXPECT_FALSE(net->isAnimationing());
    advance(1);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), base);
}

TEST_F(LBXScanAnimationTest, AnimationsGoneBeforeTheirCompletionsAreSafe) {
    auto host = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    {
        auto line = std::make_shared<LBXScanLineAnimation>();
        auto net = std::make_shared<LBXScanNetAnimation>();
        line->startAnimatingWithRect(kFrame, *host, nullptr);
        net->startAnimatingWithRect(kFrame, *host, nullptr);
        line->stopAnimating();
        net->stopAnimating();
        net->removeFromSuperview();
    }
    advance(5);  // completions and restarts find nothing
    EXPECT_TRUE(host->subviews().empty());
}
