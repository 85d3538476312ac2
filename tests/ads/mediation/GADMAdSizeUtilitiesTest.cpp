#include <gtest/gtest.h>

#include "ads/mediation/GADMAdSizeUtilities.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

namespace {

using foundation::EncodedValue;

EncodedValue wrapped(GADAdSize size) {
    return EncodedValue(GADMAdSizeUtilities::kAdSizeEncoding, size);
}

bool boolIn(const EncodedValue& value) {
    EXPECT_EQ(value.objCType(), GADMAdSizeUtilities::kBoolEncoding);
    return value.getValue<bool>().value_or(false);
}

// Each helper on wrapped ad sizes and on values that are no ad size (read as
// -1 x -1, flags 0), on a 320 x 568 phone.
TEST(GADMAdSizeUtilitiesTest, WrappedAdSizes) {
    ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::phone);
    ui::Screen::mainScreen().setBounds(graphics::Rect(0, 0, 320, 568));
    const GADAdSize custom{{400, 100}, kGADAdSizeFlagCustom};
    const GADAdSize tooWide{{600, 50}, kGADAdSizeFlagCustom};
    struct Case {
        const char* rule;
        EncodedValue value;
        bool decodes;
        graphics::Size points;
        bool valid;
        std::string description;
    };
    const Case cases[] = {
        {"standard size", wrapped(kGADAdSizeBanner), true, {320, 50}, true, "kGADAdSizeBanner"},
        {"smart banner takes the screen's width",
         wrapped(kGADAdSizeSmartBannerPortrait),
         true,
         {320, 50},
         true,
         "kGADAdSizeSmartBannerPortrait"},
        {"custom size within the screen",
         wrapped(custom),
         true,
         {400, 100},
         true,
         "Custom GADAdSize: {400, 100}"},
        {"custom size beyond the screen",
         wrapped(tooWide),
         true,
         {600, 50},
         false,
         "Custom GADAdSize: {600, 50}"},
        {"another encoding",
         EncodedValue(GADMAdSizeUtilities::kCGSizeEncoding, kGADAdSizeBanner),
         false,
         {0, 0},
         false,
         "kGADAdSizeInvalid"},
        {"an encoding that differs in one letter",
         EncodedValue("{GADAdSize={CGSize=ff}Q}", kGADAdSizeBanner),
         false,
         {0, 0},
         false,
         "kGADAdSizeInvalid"},
        {"the ad-size encoding over another type",
         EncodedValue(GADMAdSizeUtilities::kAdSizeEncoding, graphics::Size{320, 50}),
         false,
         {0, 0},
         false,
         "kGADAdSizeInvalid"},
    };
    const GADAdSize untouched{{7, 7}, 0x20};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        GADAdSize decoded = untouched;
        EXPECT_EQ(GADMAdSizeUtilities::decodeNSValueToGADAdSize(c.value, decoded), c.decodes);
        if (!c.decodes) {
            EXPECT_TRUE(GADAdSizeIsEqualToAdSize(decoded, untouched));
        }
        EncodedValue points = GADMAdSizeUtilities::CGSizeFromGADAdSize(c.value);
        EXPECT_EQ(points.objCType(), GADMAdSizeUtilities::kCGSizeEncoding);
        EXPECT_EQ(points.getValue<graphics::Size>(), c.points);
        EXPECT_EQ(boolIn(GADMAdSizeUtilities::isGADAdSizeValid(c.value)), c.valid);
        EXPECT_EQ(GADMAdSizeUtilities::stringFromGADAdSize(c.value), c.description);
        // Equal to a copy of itself only when it decodes: two values that are
        // no ad size are not equal sizes.
        EXPECT_EQ(boolIn(GADMAdSizeUtilities::GADAdSizeEqualToSize(c.value, c.value)), c.decodes);
    }

    struct Pair {
        const char* rule;
        EncodedValue a;
        EncodedValue b;
        bool equal;
    };
    const Pair pairs[] = {
        {"same size and flags", wrapped(kGADAdSizeBanner), wrapped(GADAdSize{{320, 50}, 0}), true},
        {"same width and height, other flags", wrapped(kGADAdSizeBanner),
         wrapped(GADAdSize{{320, 50}, kGADAdSizeFlagCustom}), false},
        {"other height", wrapped(kGADAdSizeBanner), wrapped(kGADAdSizeLargeBanner), false},
        {"the invalid size and a value that is no ad size", wrapped(kGADAdSizeInvalid),
         EncodedValue(GADMAdSizeUtilities::kCGSizeEncoding, kGADAdSizeInvalid), false},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.rule);
        EXPECT_EQ(boolIn(GADMAdSizeUtilities::GADAdSizeEqualToSize(p.a, p.b)), p.equal);
        EXPECT_EQ(boolIn(GADMAdSizeUtilities::GADAdSizeEqualToSize(p.b, p.a)), p.equal);
    }
}

}  // namespace
