#include "ads/api/GADAdLoader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdLoaderDelegate.h"
#include "ads/api/GADAdPreprocessor.h"
#include "ads/api/GADAppEventAdLoader.h"
#include "ads/api/GADNativeAdTables.h"
#include "ads/api/GADNativeAppInstallAd.h"
#include "ads/api/GADNativeContentAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/api/RAZBannerView.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewController.h"
#include "tests/support/AdServer.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::Value;
using testing_support::AdServer;

class ContentOnlyDelegate : public GADNativeContentAdLoaderDelegate {
  public:
    void adLoaderDidFailToReceiveAdWithError(GADAdLoader&, const GADRequestError& error) override {
        failures.push_back(error.code() == 0 ? "0" : error.localizedDescription());
    }
    void adLoaderDidReceiveNativeContentAd(GADAdLoader&,
                                           const std::shared_ptr<GADNativeContentAd>& ad) override {
        contentAds.push_back(ad);
    }
    std::vector<std::string> failures;
    std::vector<std::shared_ptr<GADNativeContentAd>> contentAds;
};

class BothFormatsDelegate : public ContentOnlyDelegate, public GADNativeAppInstallAdLoaderDelegate {
  public:
    void adLoaderDidReceiveNativeAppInstallAd(
        GADAdLoader&, const std::shared_ptr<GADNativeAppInstallAd>& ad) override {
        appInstallAds.push_back(ad);
    }
    std::vector<std::shared_ptr<GADNativeAppInstallAd>> appInstallAds;
};

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class GADAdLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.useAsSDKCoreServer();
        server.useAsNativeAdsServer();
        server.setAdResponse(server.ad(AdServer::AdKind::html, "Native carrier"));
        const auto png =
            graphics::PNGCodec::encode(*graphics::Bitmap::make(2, 2, {0, 0, 255, 255}));
        images.serve("/image.png", 200, foundation::stringFromData(*png), "image/png");
        images.start();
        GADMacros::setLogChecker(log);
    }
    void TearDown() override {
        GADMacros::setLogChecker(nullptr);
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<GADAdLoader> makeLoader(const std::vector<std::string>& adTypes) {
        auto loader = GADAdLoader::make("native-unit", root, adTypes);
        loader->setDelegate(delegate);
        return loader;
    }
    // Starts a load and waits until its hidden banner has its ad.
    std::shared_ptr<RAZBannerView> loadBanner(const std::shared_ptr<GADAdLoader>& loader) {
        loader->loadRequest(GADRequest::request());
        EXPECT_EQ(loader->appEventAdLoaders().size(), 1u);
        const auto banner = loader->appEventAdLoaders().at(0)->loadingBannerView();
        RunLoop::main().runUntil(
            [&] { return banner->slot()->state() == GADSlotStateReady || settledLoad(); }, 20);
        RunLoop::main().runUntilIdle();
        return banner;
    }
    bool settledLoad() {
        return !delegate->failures.empty() || !delegate->contentAds.empty() ||
               !delegate->appInstallAds.empty();
    }
    void raiseAppEvent(const std::shared_ptr<RAZBannerView>& banner, const std::string& name,
                       const Value& configuration) {
        // The banner's page raises the event as ad pages do.
        const auto info =
            GADJSONAdditions::gad_JSONStringPretty(*configuration.asDictionary(), false);
        banner->slot()->webView()->stringByEvaluatingJavaScriptFromString(
            "location.href = 'gmsg://mobileads.dezuvo.com/appEvent?name=" + name +
            "&info=' + encodeURIComponent(JSON.stringify(" + info.value_or("") + "))");
        RunLoop::main().runUntil([&] { return settledLoad(); }, 20);
        RunLoop::main().runUntilIdle();
    }
    Value configuration(int templateID, const std::string& iconPath = "/image.png") {
        return Value::dictionary(
            {{"ads", Value::array({Value::dictionary(
                         {{"type", "native"},
                          {"template_id", templateID},
                          {"tracking_urls_and_actions",
                           Value::dictionary(
                               {{"dezuvo_click_tracking_url", server.url(AdServer::kClickPath)}})},
                          {"headline", "Play"},
                          {"body", "A game"},
                          {"call_to_action", "Install"},
                          {"app_icon", Value::dictionary({{"url", images.url(iconPath)}})},
                          {"image", Value::dictionary({{"url", images.url("/image.png")}})}})})}});
    }

    // A native response to the loader's own slot, holding the ad object of
    // the configuration; waits until the response was taken and its
    // preprocessor's page has loaded, or the load has settled.
    void loadOwnSlot(const std::shared_ptr<GADAdLoader>& loader, AdServer::Response response) {
        server.setAdResponse(std::move(response));
        loader->slot()->loadRequest(GADRequest::request());
        RunLoop::main().runUntil(
            [&] {
                const auto& running = loader->adPreprocessors();
                return settledLoad() ||
                       (!running.empty() && running[0]->slot()->state() == GADSlotStateReady);
            },
            20);
        RunLoop::main().runUntilIdle();
    }
    AdServer::Response nativeResponse(const Value& adObject) {
        auto response = server.ad(AdServer::AdKind::native);
        response.body =
            GADJSONAdditions::gad_JSONStringPretty(*adObject.asDictionary(), false).value_or("");
        return response;
    }
    static std::string errorText(long code) {
        return GADRequestError::errorWithCode(code).localizedDescription();
    }

    foundation::ManualClock clock;
    AdServer server;
    testing_support::LocalServer images;
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    std::shared_ptr<BothFormatsDelegate> delegate = std::make_shared<BothFormatsDelegate>();
    std::shared_ptr<RecordingChecker> log = std::make_shared<RecordingChecker>();
};

TEST_F(GADAdLoaderTest, AnAppInstallAdArrivesThroughTheHiddenBannersAppEvent) {
    const auto loader = makeLoader({kGADNativeAppInstallAdTypeString, "1"});
    const auto banner = loadBanner(loader);
    ASSERT_EQ(banner->slot()->state(), GADSlotStateReady);
    EXPECT_TRUE(banner->enableManualImpressions());
    const auto request = banner->slot()->request();
    EXPECT_EQ(request->responseType(), 1);
    ASSERT_TRUE(request->formatParameters());
    EXPECT_EQ(request->formatParameters()->size(), 2u);

    raiseAppEvent(banner, "native_ad_content", configuration(2));
    ASSERT_EQ(delegate->appInstallAds.size(), 1u) << testing::PrintToString(delegate->failures);
    const auto ad = delegate->appInstallAds[0];
    EXPECT_EQ(ad->headline(), "Play");
    EXPECT_TRUE(ad->icon());
    EXPECT_EQ(ad->adUnitID(), "native-unit");
    EXPECT_EQ(ad->slot(), banner->slot());
    EXPECT_TRUE(loader->appEventAdLoaders().empty());
}

TEST_F(GADAdLoaderTest, ABadAppEventOrConfigurationFailsTheLoadOnce) {
    struct Case {
        const char* name;
        std::vector<std::string> adTypes;
        std::string event;
        int templateID;
        std::string iconPath;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"other event", {"2"}, "color", 2, "/image.png", "Received malformed ad data."},
        {"unwanted format",
         {"2"},
         "native_ad_content",
         1,
         "/image.png",
         "Received invalid ad response."},
        {"required icon fails",
         {"2"},
         "native_ad_content",
         2,
         "/missing.png",
         "Couldn't load native ad assets."},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        delegate = std::make_shared<BothFormatsDelegate>();
        const auto loader = makeLoader(each.adTypes);
        const auto banner = loadBanner(loader);
        raiseAppEvent(banner, each.event, configuration(each.templateID, each.iconPath));
        EXPECT_EQ(delegate->failures, std::vector<std::string>{each.failure});
        EXPECT_TRUE(delegate->appInstallAds.empty());
        EXPECT_TRUE(loader->appEventAdLoaders().empty());
    }
}

TEST_F(GADAdLoaderTest, AConfigurationLaterThanFiveSecondsIsTooLate) {
    const auto loader = makeLoader({"2"});
    const auto banner = loadBanner(loader);
    ASSERT_EQ(banner->slot()->state(), GADSlotStateReady);
    clock.advance(4.9);
    EXPECT_TRUE(delegate->failures.empty());
    clock.advance(0.2);
    EXPECT_EQ(delegate->failures, std::vector<std::string>{"Failed to receive ad configuration."});
    raiseAppEvent(banner, "native_ad_content", configuration(2));
    EXPECT_EQ(delegate->failures.size(), 1u);
    EXPECT_TRUE(delegate->appInstallAds.empty());
}

TEST_F(GADAdLoaderTest, ARequestTheBannerWouldDropSilentlyFailsTheLoad) {
    auto& application = ui::Application::shared();
    application.launch();
    application.enterBackground();
    const auto loader = makeLoader({"2"});
    loader->loadRequest(GADRequest::request());
    application.reset();
    GADApplication::sharedApplication().setAppFinishedLaunching(false);
    EXPECT_EQ(delegate->failures, std::vector<std::string>{"Couldn't load ad."});
    EXPECT_TRUE(loader->appEventAdLoaders().empty());
}

TEST_F(GADAdLoaderTest, ANativeResponseToTheLoadersOwnSlotIsPreprocessedIntoAnAd) {
    const auto loader = makeLoader({"2", "1"});
    loadOwnSlot(loader, nativeResponse(configuration(1)["ads"][0]));
    EXPECT_EQ(loader->slot()->state(), GADSlotStateReady);
    RunLoop::main().runUntil([&] { return settledLoad(); }, 20);
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(delegate->contentAds.size(), 1u) << testing::PrintToString(delegate->failures);
    const auto ad = delegate->contentAds[0];
    EXPECT_EQ(ad->headline(), "Play");
    EXPECT_TRUE(ad->image());
    EXPECT_EQ(ad->adUnitID(), "native-unit");
    // The ad keeps the slot holding the native-ads page.
    ASSERT_TRUE(ad->slot() && ad->slot()->ad());
    EXPECT_NE(ad->slot(), loader->slot());
    EXPECT_EQ(ad->slot()->ad()->adURL()->absoluteString(),
              server.url(AdServer::kNativeAdsPagePath));
    EXPECT_TRUE(loader->adPreprocessors().empty());
    EXPECT_TRUE(loader->nativeAds().empty());
}

TEST_F(GADAdLoaderTest, APreprocessedLoadThatGoesWrongFailsOnce) {
    enum class Step { none, waitBeyondTimeout, enterBackgroundBeforeResponse };
    struct Case {
        const char* name;
        std::vector<std::string> adTypes;
        Value adObject;
        Step step;
        std::string failure;
    };
    Value silent = configuration(2)["ads"][0];
    silent.asMutableDictionary()->insert_or_assign("silent", true);
    const std::vector<Case> cases = {
        {"unwanted format", {"2"}, configuration(1)["ads"][0], Step::none, errorText(13)},
        {"required icon fails",
         {"2"},
         configuration(2, "/missing.png")["ads"][0],
         Step::none,
         errorText(2)},
        {"page does not answer", {"2"}, silent, Step::waitBeyondTimeout, errorText(13)},
        // The preprocessor's request is refused: it fails rather than waits.
        {"application in the background",
         {"2"},
         configuration(2)["ads"][0],
         Step::enterBackgroundBeforeResponse,
         errorText(13)},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        delegate = std::make_shared<BothFormatsDelegate>();
        const auto loader = makeLoader(each.adTypes);
        auto response = nativeResponse(each.adObject);
        auto& application = ui::Application::shared();
        if (each.step == Step::enterBackgroundBeforeResponse) {
            response.held = true;
            server.setAdResponse(response);
            const std::size_t asked = server.requestsTo(AdServer::kAdPath).size();
            loader->slot()->loadRequest(GADRequest::request());
            ASSERT_TRUE(server.waitForRequests(AdServer::kAdPath, asked + 1));
            application.launch();
            application.enterBackground();
            server.release();
            RunLoop::main().runUntil([&] { return settledLoad(); }, 20);
            application.reset();
            GADApplication::sharedApplication().setAppFinishedLaunching(false);
        } else {
            loadOwnSlot(loader, response);
        }
        if (each.step == Step::waitBeyondTimeout) {
            clock.advance(4.9);
            RunLoop::main().runUntilIdle();
            EXPECT_TRUE(delegate->failures.empty());
            clock.advance(0.2);
        }
        RunLoop::main().runUntil([&] { return settledLoad(); }, 20);
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(delegate->failures, std::vector<std::string>{each.failure});
        EXPECT_TRUE(delegate->appInstallAds.empty());
        EXPECT_TRUE(loader->adPreprocessors().empty());
        EXPECT_TRUE(loader->nativeAds().empty());
    }
}

TEST_F(GADAdLoaderTest, TheLoadersOwnSlotRefusesAnythingButNativeResponses) {
    const auto loader = makeLoader({"2"});
    loadOwnSlot(loader, server.ad(AdServer::AdKind::html));
    EXPECT_EQ(delegate->failures, std::vector<std::string>{errorText(11)});
    EXPECT_TRUE(loader->adPreprocessors().empty());
}

TEST_F(GADAdLoaderTest, UnknownAdTypesAndDelegatesLackingAFormatAreRefused) {
    EXPECT_FALSE(GADAdLoader::make("unit", root, {"2", "3"}));
    EXPECT_EQ(log->messages.back(), "Error: Invalid ad format requested: \"3\".");

    const auto loader = makeLoader({"2", "1"});
    loader->setDelegate(std::make_shared<ContentOnlyDelegate>());
    EXPECT_EQ(log->messages.back(),
              "Delegate does not conform to the required protocol, "
              "GADNativeAppInstallAdLoaderDelegate.");
    EXPECT_EQ(loader->delegate(), delegate);
}

}  // namespace
