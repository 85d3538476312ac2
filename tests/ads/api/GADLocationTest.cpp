#include <gtest/gtest.h>

#include "ads/api/GADLocation.h"

namespace {

TEST(GADLocation, PreciseOnlyWithinRangeAndOffBothAxes) {
    struct Case {
        double latitude;
        double longitude;
        bool precise;
        const char* rule;
    };
    const Case cases[] = {
        {0.0, 10, false, "on the equator"},
        {10, 0.0, false, "on the prime meridian"},
        {1e-7, 10, false, "within 2^-23 of the equator"},
        {90.0, -180.0, true, "the edges of the range"},
        {90.5, 10, false, "latitude out of range"},
        {10, 180.5, false, "longitude out of range"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GADLocation::makeWithLatitude(c.latitude, c.longitude, 1) != nullptr, c.precise)
            << c.rule;
    }
}

TEST(GADLocation, DescriptionsAndTheDictionaryBuiltOnce) {
    auto precise = GADLocation::makeWithLatitude(47.376887, 8.541694, 20);
    EXPECT_EQ(precise->locationDescription(), "47.376887,8.541694");
    precise->setTimestamp(2);
    const auto dictionary = precise->dictionaryRepresentation();
    ASSERT_TRUE(dictionary);
    EXPECT_EQ(dictionary->at("time"), foundation::Value(2000000.0));
    precise->setTimestamp(3);  // a dictionary once built stays as it was
    EXPECT_EQ(precise->dictionaryRepresentation(), dictionary);

    auto copy = precise->copy();
    EXPECT_TRUE(copy->isEqual(*precise));
    EXPECT_EQ(copy->timestamp(), 3);

    auto described = GADLocation::makeWithLocationDescription("Bern");
    EXPECT_EQ(described->locationDescription(), "Bern");
    EXPECT_FALSE(described->dictionaryRepresentation());
    EXPECT_FALSE(described->isEqual(*precise));
    EXPECT_TRUE(described->isEqual(*GADLocation::makeWithLocationDescription("Bern")));
    EXPECT_EQ(GADLocation::makeWithLocationDescription(""), nullptr);
}

}  // namespace
