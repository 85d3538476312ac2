#include "ads/api/GADAdPreprocessor.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADInternalErrorAdditions.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "tests/support/AdServer.h"

namespace {

using foundation::RunLoop;
using testing_support::AdServer;

constexpr const char* kPreProcessMessage =
    "location.href = 'gmsg://mobileads.dezuvo.com/nativeAdPreProcess?success=' + "
    "encodeURIComponent('{\"ads\": []}')";

struct Outcome {
    std::optional<foundation::Dictionary> configuration;
    std::shared_ptr<GADSlot> slot;
    std::optional<foundation::Error> error;
};

class GADAdPreprocessorTest : public ::testing::Test {
  protected:
    void SetUp() override { server.useAsNativeAdsServer(); }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    std::shared_ptr<GADAdPreprocessor> preprocess(const std::string& json) {
        auto preprocessor = GADAdPreprocessor::make("native-unit");
        preprocessor->preprocessNativeAdJSON(
            json, [this](const std::optional<foundation::Dictionary>& configuration,
                         const std::shared_ptr<GADSlot>& slot,
                         const std::optional<foundation::Error>& error) {
                outcomes.push_back({configuration, slot, error});
            });
        return preprocessor;
    }
    // Runs until the preprocessor's page has loaded and was handed the JSON,
    // or an outcome arrived.
    void waitForPage(const GADAdPreprocessor& preprocessor) {
        RunLoop::main().runUntil(
            [&] { return preprocessor.slot()->state() == GADSlotStateReady || !outcomes.empty(); },
            20);
        RunLoop::main().runUntilIdle();
    }
    void waitForOutcome() {
        RunLoop::main().runUntil([&] { return !outcomes.empty(); }, 20);
        RunLoop::main().runUntilIdle();
    }

    foundation::ManualClock clock;
    testing_support::AdServer server;
    std::vector<Outcome> outcomes;
};

TEST_F(GADAdPreprocessorTest, ThePagesAnswerReachesTheCallerOnceWithTheSlot) {
    const auto preprocessor = preprocess(R"({"headline": "Play", "template_id": 2})");
    waitForOutcome();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].error);
    EXPECT_EQ(outcomes[0].slot, preprocessor->slot());
    ASSERT_TRUE(outcomes[0].configuration);
    const foundation::Value configuration(*outcomes[0].configuration);
    EXPECT_EQ(configuration["ads"][0]["headline"].stringValue(), "Play");
    // The page was handed the JSON as an object, not as text.
    const auto webView = preprocessor->slot()->webView();
    EXPECT_EQ(webView->stringByEvaluatingJavaScriptFromString("typeof received"), "object");
    EXPECT_EQ(webView->stringByEvaluatingJavaScriptFromString("received.template_id"), "2");
    EXPECT_EQ(preprocessor->slot()->ad()->adURL()->absoluteString(),
              server.url(AdServer::kNativeAdsPagePath));

    // A second answer, and the time-out, reach nobody.
    webView->stringByEvaluatingJavaScriptFromString(kPreProcessMessage);
    RunLoop::main().runUntilIdle();
    clock.advance(GADAdPreprocessor::kAnswerTimeout + 1);
    EXPECT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(foundation::Value(*outcomes[0].configuration)["ads"][0]["headline"].stringValue(),
              "Play");
}

TEST_F(GADAdPreprocessorTest, APageThatDoesNotAnswerTimesOutAndItsLateAnswerIsDropped) {
    const auto preprocessor = preprocess(R"({"silent": true})");
    waitForPage(*preprocessor);
    ASSERT_EQ(preprocessor->slot()->state(), GADSlotStateReady);
    clock.advance(GADAdPreprocessor::kAnswerTimeout - 0.1);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(outcomes.empty());
    clock.advance(0.2);
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].error,
              GADInternalErrorAdditions::gad_errorWithCode(2, std::string("Timed out.")));
    EXPECT_FALSE(outcomes[0].configuration);
    EXPECT_FALSE(outcomes[0].slot);

    preprocessor->slot()->webView()->stringByEvaluatingJavaScriptFromString(kPreProcessMessage);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(outcomes.size(), 1u);
}

TEST_F(GADAdPreprocessorTest, EachFailureReachesTheCallerOnceAsAnError) {
    struct Case {
        const char* name;
        std::string json;
        std::string pagePath;
        bool inBackground;
        std::string domain;
        long code;
        bool pageRequested;
    };
    const std::string requestDomain = kGADErrorDomain;
    const std::vector<Case> cases = {
        {"input is no JSON", "{headline", AdServer::kNativeAdsPagePath, false, "", 0, false},
        {"support page empty", "{}", "/empty.html", false, requestDomain, kGADErrorNoFill, true},
        {"answer is no JSON", R"({"answer": "{ads"})", AdServer::kNativeAdsPagePath, false,
         requestDomain, kGADErrorReceivedInvalidResponse, true},
        {"answer is no object", R"({"answer": "[1]"})", AdServer::kNativeAdsPagePath, false,
         requestDomain, kGADErrorReceivedInvalidResponse, true},
        // A request the slot would drop without a word fails instead.
        {"application in the background", "{}", AdServer::kNativeAdsPagePath, true, requestDomain,
         kGADErrorNetworkError, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        outcomes.clear();
        server.useAsNativeAdsServer(each.pagePath);
        auto& application = ui::Application::shared();
        if (each.inBackground) {
            application.launch();
            application.enterBackground();
        }
        const auto preprocessor = preprocess(each.json);
        if (each.inBackground) {
            application.reset();
            GADApplication::sharedApplication().setAppFinishedLaunching(false);
        }
        waitForOutcome();
        clock.advance(GADAdPreprocessor::kAnswerTimeout + 1);
        RunLoop::main().runUntilIdle();
        ASSERT_EQ(outcomes.size(), 1u);
        ASSERT_TRUE(outcomes[0].error);
        if (!each.domain.empty()) {
            EXPECT_EQ(outcomes[0].error->domain, each.domain);
            EXPECT_EQ(outcomes[0].error->code, each.code);
        }
        EXPECT_FALSE(outcomes[0].configuration);
        EXPECT_FALSE(outcomes[0].slot);
        EXPECT_EQ(preprocessor->slot()->request() != nullptr, each.pageRequested);
    }
}

}  // namespace
