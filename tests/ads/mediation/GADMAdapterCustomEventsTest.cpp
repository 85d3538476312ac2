#include <gtest/gtest.h>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADCustomEventExtras.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMAdapterCustomEvents.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/View.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"

namespace {

// What the publisher's test events were asked, newest last.
struct Asked {
    foundation::Value parameter;
    std::optional<std::string> label;
    std::shared_ptr<GADCustomEventRequest> request;
};
std::vector<Asked>& asked() {
    static std::vector<Asked> calls;
    return calls;
}

class TestBannerEvent : public GADCustomEventBanner {
  public:
    explicit TestBannerEvent(bool fills) : fills_(fills) {}
    void requestBannerAd(GADAdSize, const foundation::Value& parameter,
                         const std::optional<std::string>& label,
                         const std::shared_ptr<GADCustomEventRequest>& request) override {
        asked().push_back({parameter, label, request});
        auto delegate = delegate_.lock();
        if (fills_) {
            delegate->customEventBannerDidReceiveAd(*this, std::make_shared<ui::View>());
        } else {
            delegate->customEventBannerDidFailAd(*this, {"publisher", 4, "nothing today"});
        }
    }
    std::shared_ptr<GADCustomEventBannerDelegate> delegate() const override {
        return delegate_.lock();
    }
    void setDelegate(const std::weak_ptr<GADCustomEventBannerDelegate>& delegate) override {
        delegate_ = delegate;
    }

  private:
    bool fills_;
    std::weak_ptr<GADCustomEventBannerDelegate> delegate_;
};

class TestInterstitialEvent : public GADCustomEventInterstitial {
  public:
    void requestInterstitialAdWithParameter(
        const foundation::Value& parameter, const std::optional<std::string>& label,
        const std::shared_ptr<GADCustomEventRequest>& request) override {
        asked().push_back({parameter, label, request});
        delegate_.lock()->customEventInterstitialDidReceiveAd(*this, std::make_shared<int>(1));
    }
    void presentFromRootViewController(const std::shared_ptr<ui::ViewController>&) override {
        auto delegate = delegate_.lock();
        delegate->customEventInterstitialWillPresent(*this);
        delegate->customEventInterstitialDidDismiss(*this);
    }
    std::shared_ptr<GADCustomEventInterstitialDelegate> delegate() const override {
        return delegate_.lock();
    }
    void setDelegate(const std::weak_ptr<GADCustomEventInterstitialDelegate>& delegate) override {
        delegate_ = delegate;
    }

  private:
    std::weak_ptr<GADCustomEventInterstitialDelegate> delegate_;
};

class LogLines : public GADLogChecker {
  public:
    void message(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

class Delegate : public mediation_test::RecordingMediationDelegate {
  public:
    std::shared_ptr<GADAdNetworkExtras> networkExtrasFor(const std::string& name) override {
        return name == GADCustomEventExtras::kClassName ? extras : nullptr;
    }
    std::shared_ptr<GADCustomEventExtras> extras = std::make_shared<GADCustomEventExtras>();
};

class GADMAdapterCustomEventsTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& registry = foundation::ClassRegistry::shared();
        registry.registerClass<GADCustomEventBanner>(
            {"TestFillingBannerEvent", "NSObject", {GADCustomEventBanner::kProtocolName}},
            [] { return std::make_shared<TestBannerEvent>(true); });
        registry.registerClass<GADCustomEventBanner>(
            {"TestFailingBannerEvent", "NSObject", {GADCustomEventBanner::kProtocolName}},
            [] { return std::make_shared<TestBannerEvent>(false); });
        registry.registerClass<GADCustomEventInterstitial>(
            {"TestInterstitialEvent", "NSObject", {GADCustomEventInterstitial::kProtocolName}},
            [] { return std::make_shared<TestInterstitialEvent>(); });
        asked().clear();
        manager->setDelegate(delegate);
        GADMacros::setLogChecker(log);
    }
    void TearDown() override { GADMacros::setLogChecker(nullptr); }

    void mediate(const std::string& data, const std::string& adType = "banner") {
        std::optional<GADRequestError> error;
        auto config = GADMConfig::make(
            "unit-1",
            *GADMacros::readJsonIntoDictionary(
                R"({"ad_type": ")" + adType +
                R"(", "ad_networks": [{"id": "c", "adapters": ["GADMAdapterCustomEvents"], "data": )" +
                data + "}]}"),
            error);
        manager->mediateForAdType(config->adType(), config);
    }

    mediation_test::PingServer pings;
    foundation::ManualClock clock;
    std::shared_ptr<Delegate> delegate = std::make_shared<Delegate>();
    std::shared_ptr<GADMAdManager> manager = std::make_shared<GADMAdManager>();
    std::shared_ptr<LogLines> log = std::make_shared<LogLines>();
};

TEST_F(GADMAdapterCustomEventsTest, EventThatFillsGetsItsParameterLabelAndExtras) {
    delegate->extras->setExtras(foundation::Dictionary{{"color", "blue"}}, std::string("L"));
    delegate->extras->setExtras(foundation::Dictionary{{"color", "red"}}, std::string("M"));
    delegate->testMode = true;
    mediate(R"({"class_name": "TestFillingBannerEvent", "parameter": 42, "label": "L"})");
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
    EXPECT_EQ(delegate->exitCodes, std::vector<std::int64_t>{0});
    ASSERT_EQ(asked().size(), 1u);
    // A number parameter reaches the event unchanged.
    EXPECT_EQ(asked()[0].parameter, foundation::Value(42));
    EXPECT_EQ(asked()[0].label, "L");
    EXPECT_EQ(asked()[0].request->additionalParameters(),
              (foundation::Dictionary{{"color", "blue"}}));
    EXPECT_TRUE(asked()[0].request->isTesting());
    EXPECT_EQ(asked()[0].request->userGender(), 2);

    mediate(R"({"class_name": "TestFillingBannerEvent", "label": "N"})");
    EXPECT_FALSE(asked()[1].request->additionalParameters());
}

TEST_F(GADMAdapterCustomEventsTest, FailuresAreNetworkErrors) {
    struct Case {
        const char* data;
        const char* logged;  // "" when nothing is logged
    };
    const Case cases[] = {
        {R"({"class_name": "TestFailingBannerEvent"})", ""},
        {R"({"label": "L"})", ""},
        {R"({"class_name": "NoSuchEvent"})", "Cannot find Custom Event class named NoSuchEvent."},
        {R"({"class_name": "TestInterstitialEvent"})",
         "Custom Event class TestInterstitialEvent does not conform to the GADCustomEventBanner "
         "protocol."},
    };
    for (const Case& c : cases) {
        log->lines.clear();
        delegate->exitCodes.clear();
        mediate(c.data);
        // Errors outside the SDK's domain count as errors, not as no fill.
        EXPECT_EQ(delegate->exitCodes, std::vector<std::int64_t>{2}) << c.data;
        EXPECT_EQ(delegate->events.back(), "fail 9") << c.data;
        EXPECT_EQ(log->lines,
                  *c.logged ? std::vector<std::string>{c.logged} : std::vector<std::string>{})
            << c.data;
    }
}

TEST_F(GADMAdapterCustomEventsTest, InterstitialEvent) {
    mediate(R"({"class_name": "TestInterstitialEvent", "parameter": "p"})", "interstitial");
    EXPECT_EQ(delegate->events, std::vector<std::string>{"interstitial"});
    manager->presentInterstitialFromRootViewController(nullptr);
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"interstitial", "will present",
                                                          "will dismiss", "did dismiss"}));
}

TEST_F(GADMAdapterCustomEventsTest, ExtrasNeedALabel) {
    GADCustomEventExtras extras;
    extras.setExtras(foundation::Dictionary{{"a", 1}}, std::nullopt);
    EXPECT_TRUE(extras.allExtras().empty());
    EXPECT_EQ(log->lines, std::vector<std::string>{"Must specify a label for extras."});
    extras.setExtras(foundation::Dictionary{{"a", 1}}, std::string("L"));
    extras.setExtras(std::nullopt, std::string("L"));
    EXPECT_FALSE(extras.extrasForLabel("L"));
}

}  // namespace
