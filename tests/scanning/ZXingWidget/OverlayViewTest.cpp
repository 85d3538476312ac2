#include <gtest/gtest.h>

#include "platform/graphics/ImageContext.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "scanning/ZXingWidget/OverlayView.h"

namespace {

struct CancelRecorder : CancelDelegate {
    void cancelled() override { ++count; }
    int count = 0;
};

TEST(OverlayViewTest, FrameAndCancelButtonFollowTheMode) {
    auto twoD = OverlayView::make({0, 0, 320, 480}, true, false);
    EXPECT_EQ(twoD->cropRect(), graphics::Rect(10, 90, 300, 300));
    twoD->layoutSubviews();
    ASSERT_NE(twoD->cancelButton(), nullptr);
    EXPECT_EQ(twoD->cancelButton()->frame(), graphics::Rect(110, 410, 100, 50));
    EXPECT_EQ(twoD->cancelButton()->currentTitle(), "Cancel");
    EXPECT_TRUE(twoD->cancelButton()->isHidden());
    ASSERT_NE(twoD->licenseButton(), nullptr);

    auto oneD = OverlayView::make({0, 0, 320, 480}, true, true, false);
    EXPECT_EQ(oneD->cropRect(), graphics::Rect(10, 10, 300, 460));
    oneD->layoutSubviews();
    EXPECT_EQ(oneD->cancelButton()->bounds().size, graphics::Size(45, 130));
    EXPECT_EQ(oneD->cancelButton()->center(), graphics::Point(42.5, 240));
    EXPECT_EQ(oneD->licenseButton(), nullptr);

    auto bare = OverlayView::make({0, 0, 320, 480}, false, false);
    bare->layoutSubviews();
    EXPECT_EQ(bare->cancelButton(), nullptr);
    EXPECT_EQ(bare->subviews().size(), 1u) << "the licence button alone";
}

TEST(OverlayViewTest, CancelTellsTheDelegate) {
    auto overlay = OverlayView::make({0, 0, 320, 480}, true, false);
    overlay->cancel();
    auto recorder = std::make_shared<CancelRecorder>();
    overlay->setDelegate(recorder);
    overlay->cancelButton()->sendActionsForControlEvents(ui::ControlEvent::touchUpInside);
    EXPECT_EQ(recorder->count, 1);
}

TEST(OverlayViewTest, PointsAreMappedAQuarterTurnAndCappedAtFour) {
    auto overlay = OverlayView::make({0, 0, 320, 480}, false, false);
    // Crop 300 by 300: centre (150, 150).
    EXPECT_EQ(overlay->map({150, 150}), graphics::Point(150, 150));
    EXPECT_EQ(overlay->map({200, 100}), graphics::Point(200, 200));
    EXPECT_EQ(overlay->map({0, 0}), graphics::Point(300, 0));

    for (int i = 1; i <= 6; ++i) {
        overlay->setPoint({static_cast<double>(i), 0});
    }
    EXPECT_EQ(overlay->points(), (std::vector<graphics::Point>{{3, 0}, {4, 0}, {5, 0}, {6, 0}}));
    overlay->setPoints(std::vector<graphics::Point>{{1, 1}});
    EXPECT_EQ(overlay->backgroundColor(), graphics::Color::white(1, 0.25));
    overlay->setPoints(std::nullopt);
    EXPECT_TRUE(overlay->points().empty());
}

TEST(OverlayViewTest, DrawsFrameMessageAndMarks) {
    auto overlay = OverlayView::make({0, 0, 320, 480}, false, false);
    overlay->setPoints(std::vector<graphics::Point>{{150, 150}});
    graphics::beginImageContext({320, 480});
    overlay->drawRect(overlay->bounds());
    auto image = graphics::imageFromCurrentImageContext();
    graphics::endImageContext();
    const auto& bitmap = *image->bitmap();
    EXPECT_EQ(overlay->displayedMessage(),
              "Place a barcode inside the viewfinder rectangle to scan it.");
    const auto green = bitmap.pixel(155, 240);
    EXPECT_GT(green.g, 128);
    EXPECT_LT(green.r, 64);
    const auto frame = bitmap.pixel(160, 90);
    EXPECT_GT(frame.r, 128);
    EXPECT_GT(frame.a, 0);
}

TEST(OverlayViewTest, LicenceAlertCanOpenTheLicence) {
    ui::AlertCenter::shared().reset();
    ui::Application::shared().reset();
    std::weak_ptr<OverlayView> weak;
    {
        auto overlay = OverlayView::make({0, 0, 320, 480}, false, false);
        weak = overlay;
        overlay->licenseButton()->sendActionsForControlEvents(ui::ControlEvent::touchUpInside);
    }
    EXPECT_FALSE(weak.expired()) << "held while the alert is up";
    auto alert = std::dynamic_pointer_cast<ui::AlertView>(ui::AlertCenter::shared().topAlert());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "License");
    EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"OK", "View License"}));
    alert->tapButtonTitled("View License");
    EXPECT_EQ(ui::Application::shared().openedURLs(),
              std::vector<std::string>{OverlayView::kLicenseURL});
    EXPECT_TRUE(weak.expired());
    ui::AlertCenter::shared().reset();
    ui::Application::shared().reset();
}

}  // namespace
