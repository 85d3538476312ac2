#include "ads/api/GADNativeAd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADNativeAdLoadDelegate.h"
#include "ads/api/GADNativeAppInstallAd.h"
#include "ads/api/GADNativeContentAd.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"
#include "tests/support/AdServer.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::Value;
using testing_support::AdServer;

class RecordingLoader : public GADNativeAdLoadDelegate {
  public:
    void nativeAdDidFinishLoadingAssets(GADNativeAd&) override { outcomes.push_back("finished"); }
    void nativeAdDidFailToLoadRequiredAssets(GADNativeAd&) override {
        outcomes.push_back("failed");
    }
    std::vector<std::string> outcomes;
};

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class GADNativeAdTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto png =
            graphics::PNGCodec::encode(*graphics::Bitmap::make(2, 2, {255, 0, 0, 255}));
        images.serve("/image.png", 200, foundation::stringFromData(*png), "image/png");
        images.serve("/broken.png", 200, "not an image", "image/png");
        images.serve("/missing.png", 404, "", "image/png");
        images.start();
        GADMacros::setLogChecker(log);
    }
    void TearDown() override {
        GADMacros::setLogChecker(nullptr);
        foundation::RunLoop::main().runUntilIdle();
    }

    Value image(const std::string& path) { return Value::dictionary({{"url", images.url(path)}}); }
    Value tracking() {
        return Value::dictionary({{"dezuvo_click_tracking_url", adServer.url(AdServer::kClickPath)},
                                  {"impression_tracking_urls",
                                   Value::array({adServer.url(AdServer::kImpressionPath), 7})}});
    }
    Dictionary appInstall() {
        return {
            {"type", "native"},
            {"template_id", 2},
            {"tracking_urls_and_actions", tracking()},
            {"headline", "Play"},
            {"call_to_action", "Install"},
            {"app_icon", image("/image.png")},
            {"image", image("/image.png")},
            {"attribution", Value::dictionary({{"text", "Ad"}, {"image", image("/image.png")}})},
            {"rating", 4.5}};
    }
    Dictionary content() {
        return {{"type", "native"},
                {"template_id", "1"},
                {"tracking_urls_and_actions", tracking()},
                {"headline", "Read"},
                {"body", "All about it"},
                {"image", image("/image.png")}};
    }
    // Loads the ad's assets and waits for its outcomes to settle.
    std::vector<std::string> load(const std::shared_ptr<GADNativeAd>& ad) {
        ad->setLoadingDelegate(loader);
        ad->loadAssets();
        EXPECT_TRUE(loader->outcomes.empty()) << "told inside loadAssets";
        foundation::RunLoop::main().runUntil(
            [&] {
                return ad->completedAssets().size() >= ad->requestedAssets().size() &&
                       !loader->outcomes.empty();
            },
            20);
        foundation::RunLoop::main().runUntilIdle();
        return loader->outcomes;
    }

    testing_support::LocalServer images;
    AdServer adServer;
    std::shared_ptr<RecordingLoader> loader = std::make_shared<RecordingLoader>();
    std::shared_ptr<RecordingChecker> log = std::make_shared<RecordingChecker>();
};

TEST_F(GADNativeAdTest, AppInstallAdLoadsItsImagesAndPingsTheImpressionOnceDisplayed) {
    const auto ad =
        std::dynamic_pointer_cast<GADNativeAppInstallAd>(GADNativeAppInstallAd::make(appInstall()));
    ASSERT_TRUE(ad);
    EXPECT_EQ(load(ad), std::vector<std::string>{"finished"});
    EXPECT_TRUE(ad->image());
    EXPECT_EQ(ad->starRating(), 4.5);
    EXPECT_TRUE(ad->hasAttributionInformation());

    ad->headline();
    ad->callToAction();
    ad->icon();
    ad->recordImpression();
    EXPECT_EQ(log->messages.back(),
              "All required assets must be displayed before recording an impression.");
    ASSERT_TRUE(ad->attributionIcon());
    EXPECT_EQ(ad->attributionIcon()->size().width, 2);
    ad->recordImpression();
    ad->recordImpression();
    ASSERT_TRUE(adServer.waitForRequests(AdServer::kImpressionPath));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(adServer.requestsTo(AdServer::kImpressionPath).size(), 1u);
}

TEST_F(GADNativeAdTest, ContentAdLoadsItsImageAndNeedsTheAttributionIconOnlyWhenThere) {
    auto object = content();
    object["secondary_image"] = image("/image.png");
    const auto ad = std::dynamic_pointer_cast<GADNativeContentAd>(GADNativeContentAd::make(object));
    ASSERT_TRUE(ad);
    EXPECT_EQ(load(ad), std::vector<std::string>{"finished"});
    EXPECT_TRUE(ad->image());
    EXPECT_TRUE(ad->logo());
    EXPECT_FALSE(ad->hasAttributionInformation());
    EXPECT_EQ(ad->assetsRequiredToBeDisplayed(), (std::set<std::string>{"headline", "body"}));

    object["attribution"] = Value::dictionary({{"text", "Ad"}, {"image", image("/image.png")}});
    EXPECT_TRUE(GADNativeContentAd::make(object)->assetsRequiredToBeDisplayed()->contains(
        "attributionIcon"));
}

TEST_F(GADNativeAdTest, ARequiredImageThatFailsIsReportedOnceAndNeverFollowedBySuccess) {
    for (const char* path : {"/broken.png", "/missing.png"}) {
        SCOPED_TRACE(path);
        auto object = appInstall();
        object["app_icon"] = image(path);
        loader->outcomes.clear();
        const auto ad = GADNativeAppInstallAd::make(object);
        EXPECT_EQ(load(ad), std::vector<std::string>{"failed"});
        foundation::RunLoop::main().runUntil([&] { return ad->completedAssets().size() == 3; }, 20);
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(loader->outcomes, std::vector<std::string>{"failed"});
        EXPECT_TRUE(ad->failedToLoadRequiredAssets());
    }
}

TEST_F(GADNativeAdTest, LoadingEndsWhenAnOptionalImageFailsLastOrNoImageIsWanted) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, Value>> members;
    };
    const std::vector<Case> cases = {
        {"optional logo fails after the image", {{"secondary_image", image("/missing.png")}}},
        {"only image fails", {{"image", image("/broken.png")}}},
        {"no image at all", {{"image", Value()}}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        auto object = content();
        for (const auto& [key, value] : each.members) {
            if (value.isNull()) {
                object.erase(key);
            } else {
                object[key] = value;
            }
        }
        loader->outcomes.clear();
        const auto ad = GADNativeContentAd::make(object);
        EXPECT_EQ(load(ad), std::vector<std::string>{"finished"});
    }
}

TEST_F(GADNativeAdTest, AdsAreMadeOnlyFromCompleteObjectsOfTheRightTypes) {
    struct Case {
        const char* name;
        bool appInstall;
        std::string key;
        Value value;
    };
    const std::vector<Case> cases = {
        {"no icon", true, "app_icon", Value()},
        {"icon URL not a string", true, "app_icon", Value::dictionary({{"url", 3}})},
        {"headline a number", true, "headline", 5},
        {"attribution text only", true, "attribution", Value::dictionary({{"text", "Ad"}})},
        {"no body", false, "body", Value()},
        {"tracking not an object", false, "tracking_urls_and_actions", "x"},
        {"empty click URL", false, "tracking_urls_and_actions",
         Value::dictionary({{"dezuvo_click_tracking_url", ""}})},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        auto object = each.appInstall ? appInstall() : content();
        if (each.value.isNull()) {
            object.erase(each.key);
        } else {
            object[each.key] = each.value;
        }
        EXPECT_FALSE(each.appInstall ? GADNativeAppInstallAd::make(object)
                                     : GADNativeContentAd::make(object));
    }
    auto noRating = appInstall();
    noRating.erase("rating");
    noRating.erase("attribution");
    const auto ad =
        std::dynamic_pointer_cast<GADNativeAppInstallAd>(GADNativeAppInstallAd::make(noRating));
    ASSERT_TRUE(ad);
    EXPECT_EQ(ad->starRating(), 0);
    EXPECT_FALSE(ad->hasAttributionInformation());
    // The asset actions start empty and take what they are given.
    EXPECT_TRUE(ad->adAssetActions().empty());
    ad->adAssetActions().push_back(Value::dictionary({{"asset", "headline"}}));
    ad->setAdAssetActions(foundation::Array{ad->adAssetActions().front(), Value("icon")});
    EXPECT_EQ(ad->adAssetActions().size(), 2u);
    EXPECT_EQ(ad->adAssetActions().back(), Value("icon"));
}

TEST_F(GADNativeAdTest, AClickReachesTheNativeAdsPageOnceTheRequiredAssetsWereDisplayed) {
    const auto ad =
        std::dynamic_pointer_cast<GADNativeAppInstallAd>(GADNativeAppInstallAd::make(appInstall()));
    ad->setSlot(GADSlot::make());
    const auto webView = ad->slot()->webView();
    webView->stringByEvaluatingJavaScriptFromString(
        "var clicks = []; var dezuvo = {vira: {nativeAds: {handleClick: function(payload) {"
        " clicks.push(payload.click.template + ' ' + payload.click.asset + ' ' +"
        " payload.ad.headline); }}}};");
    ad->performClickOnAsset("headline");
    EXPECT_EQ(log->messages.back(),
              "All required assets must be displayed before performing clicks.");
    ad->headline();
    ad->callToAction();
    ad->icon();
    ad->attributionIcon();
    ad->performClickOnAsset("headline");
    EXPECT_EQ(webView->stringByEvaluatingJavaScriptFromString("clicks.join('|')"),
              "2 headline Play");
}

TEST_F(GADNativeAdTest, TheFirstAdObjectNamesItsFormat) {
    const auto configuration = [](Value templateID, Value type = "native") {
        return Dictionary{
            {"ads",
             Value::array({Value::dictionary({{"type", type}, {"template_id", templateID}})})}};
    };
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary(configuration(2)),
              &GADNativeAppInstallAd::adClass());
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary(configuration("2")),
              &GADNativeAppInstallAd::adClass());
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary(configuration(1)),
              &GADNativeContentAd::adClass());
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary(configuration(3)), nullptr);
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary(configuration(2, 7)), nullptr);
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary({{"ads", "x"}}), nullptr);
    EXPECT_EQ(GADNativeAd::classFromAdConfigurationDictionary({{"ads", Value::array({1})}}),
              nullptr);
}

}  // namespace
