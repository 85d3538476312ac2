#include "ads/presentation/GADSwipeToViewControllerConfigurations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/JSON.h"
#include "platform/ui/Device.h"

namespace {

std::shared_ptr<GADSwipeToViewControllerConfigurations> parse(const std::string& json) {
    return GADSwipeToViewControllerConfigurations::make(foundation::JSON::parse(json));
}

TEST(GADSwipeToViewControllerConfigurationsTest, NoSettingsWithoutADictionary) {
    EXPECT_EQ(GADSwipeToViewControllerConfigurations::make(std::nullopt), nullptr);
    for (const char* json : {"[]", "\"x\"", "3", "null"}) {
        EXPECT_EQ(parse(json), nullptr) << json;
    }
    ui::Device::currentDevice().setSystemVersion("6.1");
    EXPECT_EQ(parse("{}"), nullptr);
}

TEST(GADSwipeToViewControllerConfigurationsTest, TakesOnlyWellTypedValues) {
    auto settings = parse(R"({
        "app_store_product_id": 123456,
        "swipeable_rectangles": [{"x": 0, "y": 10, "width": 320, "height": 40},
                                 {"x": 0, "y": 10, "width": 320}, "rect"],
        "swipe_event_creative_metadata": {"creative": "a"},
        "swipe_animation_transition_duration": 0.4})");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->swipeableInAppStoreProductID(), foundation::Value(123456));
    ASSERT_TRUE(settings->swipeableRectangles());
    EXPECT_EQ(*settings->swipeableRectangles(),
              std::vector<graphics::Rect>{graphics::Rect(0, 10, 320, 40)});
    EXPECT_EQ(settings->swipeEventCreativeMetadata(), (foundation::Dictionary{{"creative", "a"}}));
    EXPECT_EQ(settings->swipeAnimationTransitionDuration(), 0.4);
    EXPECT_EQ(settings->swipeDirection(), 0);
    EXPECT_FALSE(settings->adDraggable());

    struct Case {
        std::string json;
        double duration;
    };
    const std::vector<Case> durations = {
        {R"({"swipe_animation_transition_duration": 0})", 1},
        {R"({"swipe_animation_transition_duration": -2})", 1},
        {R"({"swipe_animation_transition_duration": "0.4"})", 1},
        {R"({})", 1},
    };
    for (const Case& c : durations) {
        EXPECT_EQ(parse(c.json)->swipeAnimationTransitionDuration(), c.duration) << c.json;
    }

    auto loose = parse(R"({"app_store_product_id": "123456",
                           "swipeable_rectangles": [{"x": 1}, 4],
                           "swipe_event_creative_metadata": [1]})");
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->swipeableInAppStoreProductID(), std::nullopt);
    EXPECT_EQ(loose->swipeableRectangles(), std::nullopt);
    EXPECT_EQ(loose->swipeEventCreativeMetadata(), std::nullopt);
    EXPECT_EQ(loose->swipeableInAppStoreProductIDString(), std::nullopt);
}

TEST(GADSwipeToViewControllerConfigurationsTest, ProductIDKeysAreDecimalText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"284882215", "284882215"},
        // a whole number written as a real is the same product
        {"284882215.0", "284882215"},
        {"2.5", "2.5"},
    };
    for (const auto& [json, key] : cases) {
        auto settings = parse(R"({"app_store_product_id": )" + json + "}");
        ASSERT_TRUE(settings) << json;
        EXPECT_EQ(settings->swipeableInAppStoreProductIDString(), key) << json;
    }
}

}  // namespace
