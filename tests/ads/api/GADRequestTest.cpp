#include <gtest/gtest.h>

#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADZiZezExtras.h"
#include "ads/api/RAZExtras.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"
#include "platform/services/DeviceProfile.h"

namespace {

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

TEST(GADRequest, VersionStrings) {
    EXPECT_EQ(GADRequest::sdkVersion(), "vira-sdk-i-v6.12.2");
    EXPECT_EQ(&GADRequest::sdkVersion(), &GADRequest::sdkVersion());
    EXPECT_EQ(GADRequest::extendedSDKVersionNumber(), "vira-sdk-i-v6.12.2-rc.1+6074");
    EXPECT_EQ(GADRequest::requestTypeFromString("zizez"), 2);
    EXPECT_EQ(GADRequest::requestTypeFromString("xfp"), 3);
    EXPECT_EQ(GADRequest::requestTypeFromString("adsense"), 1);
    EXPECT_EQ(GADRequest::requestTypeFromString("ZIZEZ"), 0);
}

TEST(GADRequest, FreshRequestCarriesTheDeviceKeysAndTheVersion) {
    // The network watcher has heard of its host on a network that is up.
    net::Reachability::setSimulatedNetworkFlags(net::ReachabilityFlags::reachable);
    ASSERT_TRUE(foundation::RunLoop::main().runUntil(
        [] { return GADDevice::currentDevice().network().networkTypeString() == "wi"; }, 30));
    foundation::Dictionary expected = GADDevice::currentDevice().parameters();
    expected["js"] = "vira-sdk-i-v6.12.2";
    expected["net"] = "wi";
    expected["net_last"] = "wi";
    // The component's own adapter classes are always present.
    expected["adapters"] = foundation::Array{"GADMAdapterCustomEvents", "GADMAdapterDezuvoZiZezAds",
                                             "GADMAdapterHTML"};
    EXPECT_EQ(GADRequest::request()->parameters(), expected);
    net::Reachability::setSimulatedNetworkFlags(std::nullopt);
}

TEST(GADRequest, TargetingKeys) {
    auto request = GADRequest::request();
    request->setTesting(true);
    request->setGender(2);
    request->setBirthdayWithMonth(3, 7, 1985);
    request->addKeyword("");
    request->addKeyword("cars");
    request->setContentURL(std::string(" \n http://a.example/x \t"));
    request->tagForChildDirectedTreatment(false);
    request->setMediationExtras(foundation::Dictionary{{"m", 1}});
    foundation::Dictionary p = request->parameters();
    EXPECT_EQ(p["testing"], foundation::Value("1"));
    EXPECT_EQ(p["cust_gender"], foundation::Value("2"));
    EXPECT_EQ(p["cust_age"], foundation::Value("19850307"));
    EXPECT_EQ(p["kw"], foundation::Value(foundation::Array{"cars"}));
    EXPECT_EQ(p["url"], foundation::Value("http://a.example/x"));
    EXPECT_EQ(p["tag_for_child_directed_treatment"], foundation::Value("0"));
    EXPECT_EQ(p["mediation_extras"], foundation::Value(foundation::Dictionary{{"m", 1}}));

    auto other = GADRequest::request();
    other->setGender(3);
    other->setContentURL(std::string("   "));
    foundation::Dictionary q = other->parameters();
    EXPECT_FALSE(q.contains("cust_gender"));
    EXPECT_FALSE(q.contains("url"));
    EXPECT_FALSE(q.contains("tag_for_child_directed_treatment"));
    EXPECT_EQ(other->description().find("gender"), std::string::npos);
}

TEST(GADRequest, UseOnceExtrasAreSentOnce) {
    auto request = GADRequest::request();
    foundation::Dictionary extras{{"_useOnce", true}, {"a", "b"}};
    request->setAdditionalParameters(extras);
    EXPECT_EQ(request->parameters()["extras"], foundation::Value(extras));
    EXPECT_FALSE(request->parameters().contains("extras"));

    // With RAZ extras registered, they are sent every time and nothing goes.
    auto both = GADRequest::request();
    both->setAdditionalParameters(extras);
    auto raz = std::make_shared<RAZExtras>();
    raz->setAdditionalParameters(foundation::Dictionary{{"r", "1"}});
    raz->setPublisherProvidedID(std::string("  id-7 \n"));
    both->registerAdNetworkExtras(raz);
    for (int i = 0; i < 2; ++i) {
        foundation::Dictionary p = both->parameters();
        EXPECT_EQ(p["extras"], foundation::Value(foundation::Dictionary{{"r", "1"}}));
        EXPECT_EQ(p["ppid"], foundation::Value("id-7"));
    }
    EXPECT_NE(both->adNetworkExtrasFor("GADZiZezExtras"), nullptr);

    raz->setPublisherProvidedID(std::string(" \n"));
    EXPECT_FALSE(both->parameters().contains("ppid"));
}

TEST(GADRequest, NativeFormats) {
    auto request = GADRequest::request();
    request->setFormatParameters(foundation::Array{foundation::Dictionary{{"format", 2}},
                                                   foundation::Dictionary{},
                                                   foundation::Dictionary{{"format", 1}}});
    EXPECT_FALSE(request->parameters().contains("native_templates"));
    request->setResponseType(1);
    foundation::Dictionary p = request->parameters();
    EXPECT_EQ(p["native_templates"], foundation::Value("2,1"));
    EXPECT_TRUE(p["native_version"].isInteger());
    EXPECT_EQ(p["native_version"], foundation::Value(1));
}

TEST(GADRequest, CopiesShareExtrasObjectsButNotTheMap) {
    auto source = GADRequest::request();
    source->setAdditionalParameters(foundation::Dictionary{{"a", "1"}});
    auto copy = source->copy();
    EXPECT_EQ(copy->adNetworkExtrasFor("GADZiZezExtras"),
              source->adNetworkExtrasFor("GADZiZezExtras"));
    copy->registerAdNetworkExtras(std::make_shared<RAZExtras>());
    EXPECT_EQ(source->adNetworkExtrasFor("RAZExtras"), nullptr);
}

TEST(GADRequest, MissingExtrasAreRefusedWithALogLine) {
    auto request = GADRequest::request();  // the process's first request logs a hint
    auto checker = std::make_shared<RecordingChecker>();
    GADMacros::setLogChecker(checker);
    request->registerAdNetworkExtras(nullptr);
    GADMacros::setLogChecker(nullptr);
    EXPECT_EQ(checker->messages,
              std::vector<std::string>{"Must specify extras for registerAdNetworkExtras:."});
    EXPECT_TRUE(request->networkExtrasMap().empty());
}

TEST(GADRequest, TestDevicesMatchTheHashedAdvertisingIdentifier) {
    services::DeviceProfile profile;
    const std::string hashed = GADDevice::currentDevice().deviceIdentifier();
    ASSERT_FALSE(hashed.empty());
    auto request = GADRequest::request();
    request->setTestDevices(foundation::Array{3, "", hashed});
    EXPECT_TRUE(request->isATestDevice());
    EXPECT_EQ(request->parameters()["adtest"], foundation::Value("on"));

    // With tracking off the identifier is empty, and an empty entry never matches.
    profile.advertisingTrackingEnabled = false;
    services::DeviceProfile::use(profile);
    EXPECT_FALSE(request->isATestDevice());
    EXPECT_FALSE(request->parameters().contains("adtest"));
    services::DeviceProfile::reset();
}

TEST(GADRequest, LocationsAsUule) {
    auto request = GADRequest::request();
    request->setLocationWithLatitude(0.0, 10, 5);  // on the equator: not precise
    EXPECT_EQ(request->location(), nullptr);
    request->setLocationWithLatitude(12.5, -45.25, 12.5);
    foundation::Value uule = request->parameters()["uule"];
    EXPECT_EQ(uule["lat"], foundation::Value(125000000));
    EXPECT_EQ(uule["long"], foundation::Value(-452500000));
    EXPECT_TRUE(uule["radius"].isReal());
    EXPECT_EQ(uule["radius"], foundation::Value(12500.0));
    EXPECT_EQ(request->location()->locationDescription(), "12.500000,-45.250000");

    auto again = GADLocation::makeWithLatitude(12.5, -45.25, 12.5);
    again->setTimestamp(1);
    EXPECT_TRUE(again->isEqual(*request->location()));
    EXPECT_EQ(again->hash(), request->location()->hash());

    request->setLocationWithDescription("Zurich");
    EXPECT_FALSE(request->parameters().contains("uule"));
}

TEST(GADRequestError, CodesAndMessages) {
    struct Case {
        long code;
        const char* description;
    };
    const Case cases[] = {
        {1, "Request Error: No ad to show."},
        {2, "Request Error: A network error occurred."},
        {5,
         "Request Error: The Dezuvo Ad request was unable to be fulfilled before a timeout "
         "occurred."},
        {11, "Request Error: Internal error."},
        {13, "Request Error: Received invalid response."},
        {99,
         "Request Error: Invalid ad request parameter(s). Check the Xcode console for "
         "details."},
        {-1,
         "Request Error: Invalid ad request parameter(s). Check the Xcode console for "
         "details."},
    };
    for (const Case& c : cases) {
        GADRequestError error = GADRequestError::errorWithCode(c.code);
        EXPECT_EQ(error.domain(), "com.dezuvo.ads");
        EXPECT_EQ(error.code(), c.code);
        EXPECT_EQ(error.localizedDescription(), c.description);
        EXPECT_EQ(error.localizedFailureReason(), c.description);
    }
    EXPECT_EQ(GADRequestError::errorWithCode(4).localizedDescription(),
              "Request Error: This device's OS is 9.3.0.It is below the minimum of 5.0.");
    GADRequestError custom = GADRequestError::errorWithCode(3, std::string("Plain words."));
    EXPECT_EQ(custom.localizedDescription(), "Plain words.");
    EXPECT_EQ(custom.localizedFailureReason(), "Plain words.");
    GADRequestError wrapped = GADRequestError::errorWithCode(
        2, foundation::Error{"NSURLErrorDomain", -1001, "Timed out."});
    EXPECT_EQ(wrapped.localizedDescription(), "Timed out.");
    EXPECT_EQ(wrapped.underlyingError()->code, -1001);
    EXPECT_EQ(wrapped.error(), (foundation::Error{"com.dezuvo.ads", 2, "Timed out."}));
}

TEST(GADRequestError, UserInformation) {
    auto request = GADRequest::request();
    request->setGender(1);
    GADRequestError invalid = GADRequestError::errorWithCode(0, request);
    EXPECT_EQ(invalid.userInfo().at("cust_gender"), foundation::Value("1"));
    GADRequestError noFill = GADRequestError::errorWithCode(1, request);
    EXPECT_FALSE(noFill.userInfo().contains("cust_gender"));

    EXPECT_EQ(GADRequestError::errorWithCode(3, nullptr, 404).userInfo().at("HttpStatus"),
              foundation::Value("HTTP status 404: not found"));
    EXPECT_FALSE(GADRequestError::errorWithCode(3, nullptr, 0).userInfo().contains("HttpStatus"));
}

}  // namespace
