#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <set>

#include "ads/api/GADRequest.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/presentation/ACTStub.h"
#include "ads/presentation/GADInAppPurchase.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

namespace {

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// The application's conversion reporter, answering as it was told.
class FakeReporter : public ACTStub {
  public:
    static inline bool answer = true;
    static inline std::vector<std::string> reports;
    void initWithProductID(const std::optional<std::string>& productID,
                           const std::optional<std::string>& value, bool repeatable) override {
        productID_ = productID.value_or("(none)") + (value ? " " + *value : "") +
                     (repeatable ? " repeatable" : "");
    }
    bool report() override {
        reports.push_back(productID_);
        return answer;
    }

  private:
    std::string productID_;
};

class GADInAppPurchaseTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get("/r/.*", [this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(mutex);
            pinged.insert(request.target);
        });
        server.start();
        GADMacros::setLogChecker(checker);
        FakeReporter::reports.clear();
        foundation::ClassRegistry::shared().unregisterClass(kGADConversionReporterClassName);
    }
    void TearDown() override {
        GADMacros::setLogChecker(nullptr);
        foundation::ClassRegistry::shared().unregisterClass(kGADConversionReporterClassName);
        foundation::RunLoop::main().runUntilIdle();
    }
    std::set<std::string> waitForPings(std::size_t count) {
        foundation::RunLoop::main().runUntil(
            [&] {
                std::lock_guard lock(mutex);
                return pinged.size() >= count;
            },
            10);
        std::lock_guard lock(mutex);
        return pinged;
    }
    static void registerReporter(bool withMethods) {
        auto& registry = foundation::ClassRegistry::shared();
        if (withMethods) {
            registry.registerClass<ACTStub>({kGADConversionReporterClassName, "NSObject", {}},
                                            [] { return std::make_shared<FakeReporter>(); });
        } else {
            registry.registerName({kGADConversionReporterClassName, "NSObject", {}});
        }
    }

    std::mutex mutex;
    std::set<std::string> pinged;
    // Last, so it stops before what its handler writes to goes.
    testing_support::LocalServer server;
    std::shared_ptr<RecordingChecker> checker = std::make_shared<RecordingChecker>();
};

constexpr const char* kNotLinked =
    "Warning: Valid conversion tracking library was not linked. In-app purchase conversions "
    "will not be reported.";

}  // namespace

TEST_F(GADInAppPurchaseTest, QuantityOutsideOneToTenIsStoredAsZero) {
    GADInAppPurchase purchase;
    EXPECT_EQ(purchase.quantity(), 1);
    const std::vector<std::pair<std::int64_t, std::int64_t>> cases{
        {0, 0}, {1, 1}, {10, 10}, {11, 0}, {-3, 0}};
    for (const auto& [given, stored] : cases) {
        purchase.setQuantity(given);
        EXPECT_EQ(purchase.quantity(), stored) << given;
    }
}

TEST_F(GADInAppPurchaseTest, StatusTextsAndDescription) {
    const std::vector<std::pair<std::int64_t, std::string>> cases{
        {0, "error"}, {1, "success"}, {2, "cancel"}, {3, "invalid product"}, {7, "error"}};
    for (const auto& [status, text] : cases) {
        EXPECT_EQ(GADInAppPurchase::stringForStatus(status), text);
    }
    GADInAppPurchase purchase;
    purchase.setProductID("coins");
    purchase.setQuantity(3);
    const std::string text = purchase.description();
    EXPECT_TRUE(text.starts_with("<GADInAppPurchase: 0x")) << text;
    EXPECT_TRUE(text.ends_with(">(\n  productID: coins,\n  quantity: 3)")) << text;
}

TEST_F(GADInAppPurchaseTest, TemplatesTakeTheOutcomeAndTheApplicationsFacts) {
    GADInAppPurchase purchase;
    purchase.setProductID("co@ins");
    purchase.setQuantity(4);
    purchase.setPurchaseStatus(kGADInAppPurchaseStatusCancel);
    auto& application = GADApplication::sharedApplication();
    const auto& bundle = foundation::Bundle::main();
    const std::vector<std::pair<std::string, std::string>> cases{
        // known macros are put in, the status as its number
        {"s=@status@&p=@sku@&q=@quantity@", "s=2&p=co@ins&q=4"},
        // an unknown macro goes, an escaped at-sign stays single
        {"a@@b@unknown@c", "a@bc"},
        // the application's and the component's facts
        {"@sessionid@|@appid@|@osversion@|@sdkversion@",
         application.currentSession().sessionIDAsString() + "|" + bundle.bundleIdentifier() + "|" +
             GADDevice::currentDevice().systemVersion() + "|" + GADRequest::sdkVersion()},
        {"t=@timestamp@",
         "t=" + std::to_string(application.timeSinceFirstAdRequestInMilliseconds())},
    };
    for (const auto& [format, expanded] : cases) {
        EXPECT_EQ(purchase.expandedURLStringForURLStringFormat(format), expanded) << format;
    }
}

TEST_F(GADInAppPurchaseTest, EveryOutcomePingsAndOnlyAPurchaseReportsAConversion) {
    for (std::int64_t status : {0, 2, 3}) {
        GADInAppPurchase purchase;
        purchase.setProductID("coins");
        purchase.setReportingURLStringFormats(
            {server.url("/r/" + std::to_string(status) + "?s=@status@&p=@sku@&x=@none@")});
        purchase.reportPurchaseStatus(status);
        EXPECT_EQ(purchase.purchaseStatus(), status);
    }
    EXPECT_EQ(waitForPings(3), (std::set<std::string>{"/r/0?s=0&p=coins&x=", "/r/2?s=2&p=coins&x=",
                                                      "/r/3?s=3&p=coins&x="}));
    EXPECT_TRUE(checker->messages.empty());

    GADInAppPurchase bought;
    bought.setProductID("gems");
    bought.setReportingURLStringFormats({server.url("/r/1?s=@status@"), server.url("/r/1b")});
    bought.reportPurchaseStatus(kGADInAppPurchaseStatusSuccessful);
    bought.reportPurchaseStatus(kGADInAppPurchaseStatusSuccessful);
    EXPECT_EQ(waitForPings(5).count("/r/1?s=1"), 1u);
    EXPECT_EQ(checker->messages, (std::vector<std::string>{kNotLinked, kNotLinked}));
}

TEST_F(GADInAppPurchaseTest, ConversionGoesThroughTheReporterTheApplicationHas) {
    GADInAppPurchase purchase;
    purchase.setProductID("coins");
    std::optional<foundation::Error> error;

    EXPECT_FALSE(purchase.reportConversionWithError(&error));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->code, 2);
    EXPECT_EQ(error->localizedDescription, kNotLinked);

    // A class of that name that does not answer the reporter's calls.
    registerReporter(false);
    error.reset();
    EXPECT_FALSE(purchase.reportConversionWithError(&error));
    EXPECT_EQ(error->localizedDescription, kNotLinked);
    EXPECT_EQ(checker->messages.size(), 2u);

    registerReporter(true);
    FakeReporter::answer = false;
    error.reset();
    EXPECT_FALSE(purchase.reportConversionWithError(&error));
    EXPECT_EQ(error->localizedDescription, "Unable to report in-app purchase conversion.");
    FakeReporter::answer = true;
    error.reset();
    EXPECT_TRUE(purchase.reportConversionWithError(&error));
    EXPECT_FALSE(error.has_value());
    EXPECT_TRUE(purchase.reportConversionWithError(nullptr));
    EXPECT_EQ(
        FakeReporter::reports,
        (std::vector<std::string>{"coins repeatable", "coins repeatable", "coins repeatable"}));
    EXPECT_EQ(checker->messages.size(), 2u);
}
