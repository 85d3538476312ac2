#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ads/webview/RAZActivityRequest.h"
#include "ads/webview/RAZCoreController.h"
#include "ads/webview/RAZCoreMetadata.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;

namespace {

// A core page whose reporting function keeps what it was given.
constexpr const char* kCorePage = R"(<html><head><script>
var reports = [];
var dezuvo = {contentads: {raz: {reportActivity: function (meta, request) {
  reports.push(JSON.stringify([meta.sdk_version, request]));
}}}};
</script></head><body></body></html>)";

class StaticJSON : public GADJSONSerializable {
  public:
    explicit StaticJSON(std::optional<std::string> text) : text_(std::move(text)) {}
    std::optional<std::string> JSONStringValue() const override { return text_; }

  private:
    std::optional<std::string> text_;
};

TEST(RAZActivityRequest, WritesOnlyTheValuesItHas) {
    struct Case {
        std::optional<std::string> adUnitID;
        std::optional<std::string> publisherProvidedID;
        std::optional<foundation::Dictionary> customParameters;
        const char* json;
    };
    const Case cases[] = {
        {"unit", std::nullopt, std::nullopt, R"({"ad_unit_id":"unit"})"},
        {std::nullopt, "user-7", std::nullopt, R"({"publisher_provided":{"id":"user-7"}})"},
        {"unit", "user-7", foundation::Dictionary{{"k", "v"}},
         R"({"ad_unit_id":"unit","publisher_provided":{"id":"user-7"},"custom_parameters":{"k":"v"}})"},
        {std::nullopt, std::nullopt, std::nullopt, "{}"},
    };
    for (const Case& c : cases) {
        auto request = RAZActivityRequest::requestWithAdUnitID(c.adUnitID, c.publisherProvidedID,
                                                               c.customParameters);
        EXPECT_EQ(request->JSONStringValue(), c.json);
        const RAZActivityRequest copy = *request;
        EXPECT_EQ(copy.JSONStringValue(), c.json);
    }
}

TEST(RAZCoreMetadata, CarriesTheDeviceAndTheVersion) {
    const auto text = RAZCoreMetadata().JSONStringValue();
    ASSERT_TRUE(text);
    // The device comes first, the version after it.
    EXPECT_EQ(text->find(R"({"gad_device":{)"), 0u) << *text;
    EXPECT_NE(text->find(R"("sdk_version":{"major":6,"minor":12,"patch":2}})"), std::string::npos)
        << *text;
    ASSERT_TRUE(foundation::JSON::parse(*text));
}

TEST(RAZCoreController, ReportsWaitForTheCorePageAndRunOnce) {
    testing_support::LocalServer server;
    server.serve("/controller.html", 200, kCorePage);
    server.start();
    RAZCoreController controller(server.url("/controller.html"), RAZCoreController::kFallbackHTML);
    const StaticJSON metadata(R"({"sdk_version":{"major":6}})");
    controller.reportActivityWithMetadata(metadata, StaticJSON(R"({"ad_unit_id":"a"})"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return controller.container()->isLoaded(); }, 10));
    controller.reportActivityWithMetadata(metadata, StaticJSON(std::nullopt));
    EXPECT_EQ(controller.stringByEvaluatingJavaScriptFromString("reports.join('|')"),
              R"([{"major":6},{"ad_unit_id":"a"}]|[{"major":6},null])");
}

TEST(RAZCoreController, ReportsRunHarmlesslyInTheFallback) {
    RAZCoreController controller("http://127.0.0.1:1/controller.html",
                                 RAZCoreController::kFallbackHTML);
    controller.reportActivityWithMetadata(RAZCoreMetadata(),
                                          *RAZActivityRequest::requestWithAdUnitID("a", {}, {}));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return controller.container()->isLoaded(); }, 10));
    EXPECT_EQ(controller.container()->pendingExpressionCount(), 0u);
    EXPECT_EQ(controller.stringByEvaluatingJavaScriptFromString("typeof dezuvo"), "undefined");
}

}  // namespace
