#include <gtest/gtest.h>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdBanner.h"
#include "ads/api/GADAdInterstitial.h"

namespace {

using foundation::Dictionary;
using foundation::Value;

std::vector<std::string> texts(const GADAd::URLSet& urls) {
    std::vector<std::string> result;
    for (const auto& url : urls) {
        result.push_back(url.absoluteString());
    }
    return result;
}

TEST(GADAdTest, ContentIsHTMLOnlyWithAUsableBaseURL) {
    struct Case {
        const char* name;
        Dictionary dictionary;
        std::optional<std::string> html;
        std::optional<std::string> adURL;
    };
    const Case cases[] = {
        {"html with base",
         {{"ad_html", "<p>ad</p>"},
          {"ad_base_url", "https://ads.example/"},
          {"ad_url", "https://ads.example/u"}},
         "<p>ad</p>",
         std::nullopt},
        {"html with a base that is no URL",
         {{"ad_html", "<p>ad</p>"},
          {"ad_base_url", "not a url"},
          {"ad_url", "https://a.example/u"}},
         std::nullopt,
         "https://a.example/u"},
        {"empty html",
         {{"ad_html", ""}, {"ad_base_url", "https://a.example/"}},
         std::nullopt,
         std::nullopt},
        {"html of the wrong type",
         {{"ad_html", 5}, {"ad_base_url", "https://a.example/"}, {"ad_url", "https://a.example/u"}},
         std::nullopt,
         "https://a.example/u"},
    };
    for (const Case& c : cases) {
        GADAd ad(c.dictionary);
        EXPECT_EQ(ad.adHTML(), c.html) << c.name;
        EXPECT_EQ(
            ad.adURL() ? std::optional<std::string>(ad.adURL()->absoluteString()) : std::nullopt,
            c.adURL)
            << c.name;
        EXPECT_EQ(ad.adBaseURL().has_value(), c.html.has_value()) << c.name;
    }
}

TEST(GADAdTest, SizeAndOrientationFromTheDictionary) {
    struct Case {
        Value size;
        Value orientation;
        GADAdSize expectedSize;
        std::int64_t orientations;
    };
    const Case cases[] = {
        {"320x50", "portrait", kGADAdSizeBanner, 2},
        {"300x200", "landscape", {{300, 200}, kGADAdSizeFlagCustom}, 3},
        {Value(), "any", {{0, 0}, kGADAdSizeFlagCustom}, 1},
        {320, "sideways", {{0, 0}, kGADAdSizeFlagCustom}, 1},  // not a string: absent
        {"320x50", Value(), kGADAdSizeBanner, 1},
    };
    for (const Case& c : cases) {
        Dictionary dictionary;
        if (!c.size.isNull()) {
            dictionary["ad_size"] = c.size;
        }
        if (!c.orientation.isNull()) {
            dictionary["orientation"] = c.orientation;
        }
        GADAd ad(dictionary);
        EXPECT_TRUE(GADAdSizeIsEqualToAdSize(ad.size(), c.expectedSize)) << c.size;
        EXPECT_EQ(ad.supportedOrientations(), c.orientations) << c.orientation;
    }
    EXPECT_EQ(GADAd().supportedOrientations(), 0);  // a plain ad sets none
}

TEST(GADAdTest, OptionalKeysAreReadOnlyWithTheirTypes) {
    GADAd ad(Dictionary{
        {"click_urls", Value::array({"https://t.example/c", "https://t.example/c", 7, "bad url"})},
        {"impression_urls", "https://t.example/i"},  // not an array
        {"manual_impression_urls", Value::array({"https://t.example/m"})},
        {"debug_dialog", 3},
        {"active_view", Value::dictionary({{"interval", 1}})},
        {"swipe_to_viewcontroller", "no dictionary"},
        {"ad_passback_url", "https://p.example/"},
    });
    EXPECT_EQ(texts(ad.clickURLs()), std::vector<std::string>{"https://t.example/c"});
    EXPECT_TRUE(ad.impressionURLs().empty());
    EXPECT_EQ(texts(ad.manualImpressionURLs()), std::vector<std::string>{"https://t.example/m"});
    EXPECT_EQ(ad.debugDialog(), std::nullopt);
    EXPECT_EQ(ad.activeViewConfigurations(),
              std::optional<Dictionary>(Dictionary{{"interval", 1}}));
    EXPECT_EQ(ad.swipeToViewControllerConfigurations(), std::nullopt);
    EXPECT_FALSE(ad.hasAdNetworkJavaScript());
    EXPECT_EQ(ad.adNetworkPassbackURL(), std::nullopt);  // only for network JavaScript

    GADAd javaScript(
        Dictionary{{"ad_is_javascript", true}, {"ad_passback_url", "https://p.example/"}});
    EXPECT_TRUE(javaScript.hasAdNetworkJavaScript());
    EXPECT_EQ(javaScript.adNetworkPassbackURL()->absoluteString(), "https://p.example/");
    GADAd javaScriptText(Dictionary{{"ad_is_javascript", "1"}});
    EXPECT_FALSE(javaScriptText.hasAdNetworkJavaScript());
}

TEST(GADAdTest, URLListsKeepTheFirstOfEachURLInOrder) {
    auto url = [](std::size_t n) {
        return *foundation::URL::fromString("https://t.example/" + std::to_string(n));
    };
    // 50,000 URLs: 25,000 in order, then the same again backwards.
    constexpr std::size_t kCount = 25000;
    std::vector<foundation::URL> urls;
    std::vector<std::string> expected;
    for (std::size_t n = 0; n < kCount; ++n) {
        urls.push_back(url(n));
        expected.push_back(url(n).absoluteString());
    }
    for (std::size_t n = kCount; n-- > 0;) {
        urls.push_back(url(n));
    }
    GADAd ad;
    ad.addImpressionURLsFromArray(urls);
    // A later array adds only what the list lacks, after what it holds.
    ad.addImpressionURLsFromArray({url(kCount), url(7), url(kCount)});
    expected.push_back(url(kCount).absoluteString());
    EXPECT_EQ(texts(ad.impressionURLs()), expected);
    // Each list keeps its own URLs.
    ad.addClickURLsFromArray({url(7), url(3), url(7)});
    EXPECT_EQ(texts(ad.clickURLs()),
              (std::vector<std::string>{"https://t.example/7", "https://t.example/3"}));
    EXPECT_TRUE(ad.manualImpressionURLs().empty());
}

TEST(GADAdTest, BannerAndInterstitialReadTheirNumbers) {
    EXPECT_EQ(GADAdBanner(Dictionary{{"refresh_rate", 30}}).refreshInterval(), 30);
    EXPECT_EQ(GADAdBanner(Dictionary{{"refresh_rate", "30"}}).refreshInterval(), 0);
    EXPECT_EQ(GADAdInterstitial(Dictionary{{"interstitial_timeout", 2.5}}).interstitialTimeout(),
              2.5);
    EXPECT_EQ(GADAdInterstitial(Dictionary{}).interstitialTimeout(), 0);
}

}  // namespace
