#include <gtest/gtest.h>

#include "ads/api/GADAdSize.h"
#include "ads/api/GADAdType.h"
#include "platform/ui/Device.h"
#include "platform/ui/Screen.h"

namespace {

// Puts the device in the given idiom and screen for one test.
class ScreenFixture : public testing::Test {
  protected:
    void use(ui::UserInterfaceIdiom idiom, double width, double height) {
        ui::Device::currentDevice().setUserInterfaceIdiom(idiom);
        ui::Screen::mainScreen().setBounds(graphics::Rect(0, 0, width, height));
    }
    void TearDown() override { use(ui::UserInterfaceIdiom::phone, 320, 568); }
};

using GADAdSizeTest = ScreenFixture;

bool same(graphics::Size a, graphics::Size b) {
    return a == b;
}

TEST_F(GADAdSizeTest, FromCGSizeRecognisesTheStandardSizes) {
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(GADAdSizeFromCGSize({320, 50}), kGADAdSizeBanner));
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(GADAdSizeFromCGSize({120, 600}), kGADAdSizeSkyscraper));
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(GADAdSizeFromCGSize({-1, -1}), kGADAdSizeInvalid));
    GADAdSize custom = GADAdSizeFromCGSize({321, 50});
    EXPECT_EQ(custom.flags, kGADAdSizeFlagCustom);
    EXPECT_TRUE(same(custom.size, {321, 50}));
}

TEST_F(GADAdSizeTest, PointsOnAPhoneAndATablet) {
    struct Case {
        ui::UserInterfaceIdiom idiom;
        GADAdSize adSize;
        graphics::Size expected;
    };
    const GADAdSize fullWidthOnly{{0, 0}, kGADAdSizeFlagFullWidth};
    const GADAdSize fullWidthCustom{{0, 70}, kGADAdSizeFlagFullWidth | kGADAdSizeFlagCustom};
    const Case cases[] = {
        {ui::UserInterfaceIdiom::phone, kGADAdSizeSmartBannerPortrait, {320, 50}},
        {ui::UserInterfaceIdiom::phone, kGADAdSizeSmartBannerLandscape, {568, 32}},
        {ui::UserInterfaceIdiom::phone, kGADAdSizeLeaderboard, {728, 90}},
        {ui::UserInterfaceIdiom::phone, fullWidthOnly, {0, 0}},  // neither auto height nor custom
        {ui::UserInterfaceIdiom::phone, fullWidthCustom, {320, 70}},
        {ui::UserInterfaceIdiom::phone, kGADAdSizeInvalid, {0, 0}},
        {ui::UserInterfaceIdiom::phone, GADAdSize{{10, 20}, kGADAdSizeFlagCustom}, {10, 20}},
        {ui::UserInterfaceIdiom::pad, kGADAdSizeSmartBannerSkinnyPortrait, {768, 66}},
        {ui::UserInterfaceIdiom::pad, kGADAdSizeSmartBannerPortrait, {768, 90}},
        {ui::UserInterfaceIdiom::unspecified, kGADAdSizeSmartBannerPortrait, {0, 0}},
    };
    for (const Case& c : cases) {
        if (c.idiom == ui::UserInterfaceIdiom::pad) {
            use(c.idiom, 768, 1024);
        } else {
            use(c.idiom, 320, 568);
        }
        graphics::Size points = GADAdSizeGetCGSize(c.adSize);
        EXPECT_TRUE(same(points, c.expected))
            << GADAdSizeDescription(c.adSize) << " gave " << graphics::toString(points);
    }
}

TEST_F(GADAdSizeTest, Validity) {
    EXPECT_TRUE(GADAdSizeIsValid(kGADAdSizeBanner));
    EXPECT_TRUE(GADAdSizeIsValid(kGADAdSizeSmartBannerSkinnyLandscape));
    EXPECT_TRUE(GADAdSizeIsValid(GADAdSizeFromCGSize({0, 0})));      // custom 0 x 0
    EXPECT_TRUE(GADAdSizeIsValid(GADAdSizeFromCGSize({568, 568})));  // the longer side
    EXPECT_FALSE(GADAdSizeIsValid(GADAdSizeFromCGSize({569, 10})));
    EXPECT_FALSE(GADAdSizeIsValid(GADAdSizeFromCGSize({10, 569})));
    EXPECT_FALSE(GADAdSizeIsValid(kGADAdSizeInvalid));
    EXPECT_FALSE(GADAdSizeIsValid(GADAdSize{{0, 0}, 0x10}));  // flags of no predefined size
}

TEST_F(GADAdSizeTest, Descriptions) {
    EXPECT_EQ(GADAdSizeDescription(kGADAdSizeLeaderboard), "kGADAdSizeLeaderboard");
    EXPECT_EQ(GADAdSizeDescription(kGADAdSizeInvalid), "kGADAdSizeInvalid");
    EXPECT_EQ(GADAdSizeDescription(GADAdSizeFromCGSize({300, 200})),
              "Custom GADAdSize: {300, 200}");
    EXPECT_EQ(GADAdSizeDescription(GADAdSize{{0, 70}, 0x3}),
              "Full width GADAdSize with height: 70.000000");
    EXPECT_EQ(GADAdSizeDescription(GADAdSize{{1, 2}, 0x10}), "GADAdSize: {1, 2}, 10");
}

TEST_F(GADAdSizeTest, SizeStrings) {
    EXPECT_TRUE(same(GADCGSizeFromAdSizeString("320x50"), {320, 50}));
    EXPECT_TRUE(same(GADCGSizeFromAdSizeString(std::nullopt), {0, 0}));
    EXPECT_TRUE(same(GADCGSizeFromAdSizeString("banner"), {0, 0}));
}

TEST(GADAdType, EqualityAndHash) {
    auto a = GADAdType::interstitialAdType();
    auto b = GADAdType::interstitialAdType();
    EXPECT_TRUE(a->isEqual(*b));
    EXPECT_EQ(a->hash(), 1u);
    EXPECT_TRUE(a->isValid());
    // A banner holding the interstitial's size is no interstitial.
    EXPECT_FALSE(a->isEqual(*GADAdType::bannerAdTypeForSize(kGADAdSizeInvalid)));
    auto banner = GADAdType::bannerAdTypeForSize(kGADAdSizeBanner);
    EXPECT_TRUE(banner->isEqual(*GADAdType::bannerAdTypeForSize(kGADAdSizeBanner)));
    EXPECT_EQ(banner->hash(), GADAdType::bannerAdTypeForSize(kGADAdSizeBanner)->hash());
    EXPECT_FALSE(banner->isEqual(*GADAdType::bannerAdTypeForSize(GADAdSize{{320, 50}, 1})));
    EXPECT_EQ(banner->description(), "GADAdType banner with size: kGADAdSizeBanner");
    EXPECT_EQ(a->description(), "GADAdType interstitial type");
}

}  // namespace
