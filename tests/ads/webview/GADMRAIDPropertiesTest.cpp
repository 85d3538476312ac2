#include <gtest/gtest.h>

#include "ads/webview/GADMRAIDCalendarProperties.h"
#include "ads/webview/GADMRAIDResizeProperties.h"

namespace {

foundation::Dictionary resizeParameters(foundation::Dictionary changes) {
    foundation::Dictionary parameters = {{"width", "300"},
                                         {"height", "250"},
                                         {"offsetX", "-10"},
                                         {"offsetY", "20.5"},
                                         {"customClosePosition", "bottom-left"},
                                         {"allowOffscreen", "true"}};
    for (auto& [key, value] : changes) {
        if (value.isNull()) {
            parameters.erase(key);
        } else {
            parameters[key] = value;
        }
    }
    return parameters;
}

TEST(GADMRAIDPropertiesTest, ResizePropertiesNeedEveryKey) {
    auto properties =
        GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(resizeParameters({}));
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->size, (graphics::Size{300, 250}));
    EXPECT_EQ(properties->offset, (graphics::Vector{-10, 20.5}));
    EXPECT_EQ(properties->customClosePosition, GADMRAIDCustomClosePositionBottomLeft);
    EXPECT_TRUE(properties->allowOffscreen);
    EXPECT_TRUE(properties->hasUsableValues(568));
    for (const char* key :
         {"width", "height", "offsetX", "offsetY", "customClosePosition", "allowOffscreen"}) {
        EXPECT_FALSE(GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(
            resizeParameters({{key, foundation::Value()}})))
            << key;
    }
}

TEST(GADMRAIDPropertiesTest, ResizeTextsAreReadAsThePlatformReadsThem) {
    const std::vector<std::pair<const char*, std::int64_t>> positions = {
        {"top-right", 0},    {"top-center", 1},
        {"top-left", 2},     {"center", 3},
        {"bottom-right", 4}, {"bottom-center", 5},
        {"bottom-left", 6},  {"middle", 0},
        {"Top-Left", 0},     {"", 0}};
    for (const auto& [text, value] : positions) {
        EXPECT_EQ(GADMRAIDCustomClosePositionFromString(text), value) << text;
    }
    const std::vector<std::pair<const char*, bool>> flags = {
        {"1", true}, {"true", true}, {"YES", true}, {"0", false}, {"no", false}, {"", false}};
    for (const auto& [text, value] : flags) {
        auto properties = GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(
            resizeParameters({{"allowOffscreen", text}}));
        EXPECT_EQ(properties->allowOffscreen, value) << text;
    }
}

TEST(GADMRAIDPropertiesTest, HostileResizeNumbersAreNotUsable) {
    struct Case {
        const char* key;
        const char* text;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"width", "320", true},    {"offsetX", "-100", true},  {"width", "-5", false},
        {"height", "0", false},    {"width", "abc", false},    {"width", "300px", false},
        {"offsetY", "", false},    {"width", "nan", false},    {"height", "inf", false},
        {"width", "1e400", false}, {"width", "100000", false}, {"offsetX", "-1e6", false},
    };
    for (const auto& c : cases) {
        auto properties = GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(
            resizeParameters({{c.key, c.text}}));
        ASSERT_TRUE(properties) << c.key << "=" << c.text;
        EXPECT_EQ(properties->hasUsableValues(568), c.usable) << c.key << "=" << c.text;
    }
}

TEST(GADMRAIDPropertiesTest, CalendarPropertiesReadTheComponentsDateForm) {
    foundation::Dictionary parameters = {{"start", "2026-12-24T10:30:00+01:00"},
                                         {"end", "2026-12-24 12:00:00+01:00"},
                                         {"summary", "Sale"},
                                         {"description", "Winter sale"},
                                         {"location", "Shop"}};
    auto properties = GADMRAIDCalendarProperties::make(parameters);
    ASSERT_TRUE(properties);
    ASSERT_TRUE(properties->startTime());
    EXPECT_EQ(properties->startTime()->timeIntervalSince1970(), 1798104600.0);
    EXPECT_FALSE(properties->endTime());  // a blank instead of the T
    EXPECT_EQ(properties->summary(), "Sale");
    EXPECT_EQ(properties->eventDescription(), "Winter sale");
    EXPECT_EQ(properties->location(), "Shop");

    parameters["start"] = "2026-12-24T09:30:00Z";
    EXPECT_EQ(GADMRAIDCalendarProperties::make(parameters)->startTime()->timeIntervalSince1970(),
              1798104600.0);
    for (const char* key : {"start", "end", "summary", "description", "location"}) {
        foundation::Dictionary missing = parameters;
        missing.erase(key);
        EXPECT_FALSE(GADMRAIDCalendarProperties::make(missing)) << key;
    }
}

}  // namespace
