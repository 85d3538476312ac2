#include <gtest/gtest.h>

#include "ads/api/GADRequest.h"
#include "ads/api/GADSearchBannerView.h"
#include "ads/api/GADSearchRequest.h"
#include "ads/api/GADSearchRequestPrivate.h"

namespace {

using graphics::Color;

TEST(GADSearchRequest, NothingSetSendsTheDefaults) {
    auto parameters = GADSearchRequest::make()->request()->additionalParameters();
    ASSERT_TRUE(parameters);
    EXPECT_EQ(*parameters, (foundation::Dictionary{{"headersize", "0"},
                                                   {"btype", "none"},
                                                   {"bthick", "0"},
                                                   {"callbuttoncolor", "light"}}));
}

TEST(GADSearchRequest, EverySettingTravelsUnderItsKey) {
    auto search = GADSearchRequest::make();
    search->setQuery("flowers");
    search->setBackgroundColor(Color::whiteColor());
    search->setHeaderColor(Color::white(0.5));
    search->setDescriptionTextColor(Color::rgb(1, 0, 0.2));
    search->setAnchorTextColor(Color::rgb(0, 0.5, 1, 0.3));  // alpha is ignored
    search->setFontFamily("Arial");
    search->setHeaderTextSize(18);
    search->setBorderColor(Color::pattern());  // no hex form: left out
    search->setBorderType(3);
    search->setBorderThickness(2);
    search->setCustomChannels("a+b");
    search->setCallButtonColor(2);
    auto parameters = search->request()->additionalParameters();
    ASSERT_TRUE(parameters);
    EXPECT_EQ(*parameters, (foundation::Dictionary{{"q", "flowers"},
                                                   {"bgcolor", "#ffffff"},
                                                   {"hcolor", "#7f7f7f"},
                                                   {"dcolor", "#ff0033"},
                                                   {"acolor", "#007fff"},
                                                   {"font", "Arial"},
                                                   {"headersize", "18"},
                                                   {"btype", "solid"},
                                                   {"bthick", "2"},
                                                   {"channel", "a+b"},
                                                   {"callbuttoncolor", "dark"}}));
    // Codes without a text send nothing.
    search->setBorderType(4);
    search->setCallButtonColor(3);
    parameters = search->request()->additionalParameters();
    EXPECT_FALSE(parameters->contains("btype"));
    EXPECT_FALSE(parameters->contains("callbuttoncolor"));
}

TEST(GADSearchRequest, BackgroundsAreSolidOrGradient) {
    auto search = GADSearchRequest::make();
    search->setBackgroundSolid(Color::redColor());
    EXPECT_EQ(search->backgroundColor(), Color::redColor());
    // One colour missing: the solid background stays.
    search->setBackgroundGradientFrom(Color::blueColor(), std::nullopt);
    EXPECT_EQ(search->backgroundColor(), Color::redColor());
    EXPECT_FALSE(search->gradientFrom());
    search->setBackgroundGradientFrom(Color::blueColor(), Color::greenColor());
    EXPECT_FALSE(search->backgroundColor());
    auto parameters = search->request()->additionalParameters();
    EXPECT_EQ(parameters->at("gradientfrom").stringValue(), "#0000ff");
    EXPECT_EQ(parameters->at("gradientto").stringValue(), "#00ff00");
    search->setBackgroundSolid(Color::blackColor());
    EXPECT_FALSE(search->gradientFrom());
    EXPECT_FALSE(search->gradientTo());
}

TEST(GADSearchBannerView, IsABannerOfItsOwnClass) {
    auto banner = GADSearchBannerView::makeWithFrame({0, 0, 320, 50}, kGADAdSizeBanner);
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->className(), "GADSearchBannerView");
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(banner->adSize(), kGADAdSizeBanner));
    EXPECT_FALSE(GADSearchBannerView::makeWithFrame({}, kGADAdSizeInvalid));
}

}  // namespace
