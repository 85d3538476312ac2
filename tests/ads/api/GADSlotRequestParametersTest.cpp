#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADPublisherToolbarCredentials.h"
#include "ads/presentation/GADInAppPurchaseDelegate.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/UserDefaults.h"
#include "tests/ads/api/FakeSDKCoreController.h"

using foundation::Dictionary;
using foundation::Value;

namespace {

// A view owner: its sizes, frame and bounds, and where it was asked.
class Owner : public GADSlotDelegate, public GADSlotAdEventDelegate {
  public:
    std::optional<graphics::Rect> delegateFrame() const override { return frame; }
    std::optional<graphics::Rect> delegateBounds() const override { return bounds; }
    std::optional<std::vector<GADAdSize>> validAdSizes() const override {
        askedOffMain = askedOffMain || !foundation::Thread::isMainThread();
        return sizes;
    }
    std::shared_ptr<GADInAppPurchaseDelegate> inAppPurchaseDelegate() const override {
        return purchases;
    }
    void slotFinishedLoadingAdContent(GADSlot&) override {}
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError&) override {
        ++failures;
    }

    std::optional<graphics::Rect> frame = graphics::Rect(10, 60, 320, 50);
    std::optional<graphics::Rect> bounds = graphics::Rect(0, 0, 320, 50);
    std::optional<std::vector<GADAdSize>> sizes;
    std::shared_ptr<GADInAppPurchaseDelegate> purchases;
    mutable std::atomic<bool> askedOffMain = false;
    int failures = 0;
};

class GADSlotRequestParametersTest : public testing::Test {
  public:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(controller);
        slot->setSlotDelegate(owner);
        slot->setAdEventDelegate(owner);
        slot->setAdUnitID(std::string("unit-1"));
    }
    void TearDown() override {
        GADSDKCoreController::setSharedInstance(nullptr);
        foundation::RunLoop::main().runUntilIdle();
    }
    void banner(GADAdSize size) { slot->setAdType(GADAdType::bannerAdTypeForSize(size), false); }

    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
    std::shared_ptr<GADSlot> slot = GADSlot::make(graphics::Rect(0, 0, 300, 250));
};

TEST_F(GADSlotRequestParametersTest, SlotKeysByAdType) {
    struct Case {
        const char* rule;
        std::function<void(GADSlotRequestParametersTest&)> arrange;
        Dictionary present;
        std::vector<std::string> absent;
    };
    const Dictionary frame = {{"x", 10.0}, {"y", 60.0}, {"w", 320.0}, {"h", 50.0}};
    const Dictionary bounds = {{"x", 0.0}, {"y", 0.0}, {"w", 320.0}, {"h", 50.0}};
    const std::vector<Case> cases = {
        {"an interstitial asks for its format only",
         [](auto&) {},
         {{"format", "interstitial_mb"}, {"slotname", "unit-1"}},
         {"sz", "ad_frame", "ad_bounds", "smart_w", "smart_h", "iap_set"}},
        {"a banner sends its sizes, frame and bounds",
         [](auto& t) {
             t.banner(kGADAdSizeBanner);
             t.owner->sizes = std::vector<GADAdSize>{kGADAdSizeBanner, kGADAdSizeMediumRectangle};
         },
         {{"sz", "320x50|300x250"}, {"ad_frame", frame}, {"ad_bounds", bounds}},
         {"format", "smart_w", "smart_h"}},
        {"without owner geometry the web view's is sent",
         [](auto& t) {
             t.banner(kGADAdSizeBanner);
             t.owner->frame.reset();
             t.owner->bounds.reset();
             t.owner->sizes = std::vector<GADAdSize>{};
         },
         {{"ad_frame", Dictionary{{"x", 0.0}, {"y", 0.0}, {"w", 300.0}, {"h", 250.0}}}},
         {"sz"}},
        {"a smart banner asks for full width and automatic height",
         [](auto& t) { t.banner(kGADAdSizeSmartBannerPortrait); },
         {{"smart_w", "full"}, {"smart_h", "auto"}},
         {}},
        {"manual impressions",
         [](auto& t) { t.slot->setManualImpressionsEnabled(true); },
         {{"d_imp_hdr", "1"}},
         {}},
        {"an owner that takes in-app purchases",
         [](auto& t) { t.owner->purchases = std::make_shared<GADInAppPurchaseDelegate>(); },
         {{"iap_set", "1"}},
         {}},
        {"a request ID", [](auto& t) { t.slot->setRequestID("7"); }, {{"request_id", "7"}}, {}},
        {"no unit, no slot name",
         [](auto& t) { t.slot->setAdUnitID(std::string()); },
         {},
         {"slotname"}},
    };
    for (const Case& c : cases) {
        slot = GADSlot::make(graphics::Rect(0, 0, 300, 250));
        owner = std::make_shared<Owner>();
        SetUp();
        c.arrange(*this);
        Value parameters(slot->requestParameters());
        for (const auto& [key, value] : c.present) {
            EXPECT_EQ(parameters[key], value) << c.rule << ": " << key;
        }
        for (const std::string& key : c.absent) {
            EXPECT_FALSE(parameters.contains(key)) << c.rule << ": " << key;
        }
    }
}

TEST_F(GADSlotRequestParametersTest, SizeTextIsWholeNonNegativePoints) {
    EXPECT_EQ(GADSlot::multipleAdSizeParameterFromSizes({}), "");
    EXPECT_EQ(
        GADSlot::multipleAdSizeParameterFromSizes({GADAdSize{{320.9, 50.2}, kGADAdSizeFlagCustom},
                                                   GADAdSize{{-4, 10}, kGADAdSizeFlagCustom}}),
        "320x50|0x10");
}

TEST_F(GADSlotRequestParametersTest, HttpsIsForcedUnlessTurnedOff) {
    foundation::UserDefaults& defaults = foundation::UserDefaults::standard();
    EXPECT_EQ(Value(slot->requestParameters())["force_https"], Value("1"));
    defaults.setBool("dezuvo_gad_use_https", true);
    EXPECT_EQ(Value(slot->requestParameters())["force_https"], Value("1"));
    defaults.setBool("dezuvo_gad_use_https", false);
    EXPECT_FALSE(slot->requestParameters().contains("force_https"));
}

TEST_F(GADSlotRequestParametersTest, StoredToolbarCredentialsAreAnnounced) {
    EXPECT_FALSE(slot->requestParameters().contains("dpt"));
    GADPublisherToolbarCredentials credentials;
    credentials.storeCredentials({{"token", "t"}});
    EXPECT_EQ(Value(slot->requestParameters())["dpt"], Value("1"));
    credentials.clearCredentials();
    EXPECT_FALSE(slot->requestParameters().contains("dpt"));
}

TEST_F(GADSlotRequestParametersTest, RequestStatisticsCarryOverFromRequestToRequest) {
    EXPECT_FALSE(slot->requestParameters().contains("quality_signals"));
    slot->loadRequest(GADRequest::request());
    Value first(slot->requestParameters());
    EXPECT_EQ(first["quality_signals"]["app"]["preqs"], Value(0));
    EXPECT_EQ(first["quality_signals"]["app"]["seq_num"], Value(1));
    EXPECT_EQ(first["js"], Value("vira-sdk-i-v6.12.2"));  // the request's own keys are there
    EXPECT_FALSE(first["quality_signals"].contains("ads"));
    slot->loadAdURLWithParameters(
        {{"request_scenario", "offline_empty"}});  // no URL: the fetch fails
    foundation::RunLoop::main().runUntilIdle();

    slot->loadRequest(GADRequest::request());
    Value app = Value(slot->requestParameters())["quality_signals"]["app"];
    EXPECT_EQ(app["preqs"], Value(1));
    EXPECT_EQ(app["seq_num"], Value(2));
    EXPECT_EQ(app["oar"], Value(1));
    EXPECT_EQ(app["losn"], Value(1));
    EXPECT_EQ(slot->slotStats().identifier(), "unit-1");
}

TEST_F(GADSlotRequestParametersTest, PendingAdStatisticsAreSentAndGivenBackOnce) {
    GADApplication& application = GADApplication::sharedApplication();
    auto ad = std::make_shared<GADAd>();
    ad->statistics()->setObject("tload", 5, true);
    ad->statistics()->didFinishModifying();  // its notice has arrived

    slot->loadRequest(GADRequest::request());
    Value parameters(slot->requestParameters());
    EXPECT_EQ(parameters["quality_signals"]["ads"], Value::array({Dictionary{{"tload", 5}}}));
    EXPECT_EQ(slot->pendingAdStatistics(), GADStatisticSet{ad->statistics()});
    EXPECT_TRUE(application.pendingAdStatistics().empty());

    slot->invalidJavaScriptRequest();  // the request fails: the statistics go back
    EXPECT_EQ(owner->failures, 1);
    EXPECT_TRUE(slot->pendingAdStatistics().empty());
    slot.reset();  // and are not given back a second time
    GADStatisticSet returned = application.pendingAdStatistics();
    EXPECT_EQ(returned, GADStatisticSet{ad->statistics()});
    EXPECT_TRUE(application.pendingAdStatistics().empty());
}

TEST_F(GADSlotRequestParametersTest, ParametersAreGatheredOnTheMainThread) {
    banner(kGADAdSizeBanner);
    owner->sizes = std::vector<GADAdSize>{kGADAdSizeBanner};
    std::atomic<bool> done = false;
    Dictionary parameters;
    std::thread worker([&] {
        parameters = slot->requestParameters();
        done = true;
    });
    EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return done.load(); }, 30));
    worker.join();
    EXPECT_FALSE(owner->askedOffMain);
    EXPECT_EQ(Value(parameters)["sz"], Value("320x50"));
}

}  // namespace
