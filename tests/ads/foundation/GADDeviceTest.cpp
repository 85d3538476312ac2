#include "ads/foundation/GADDevice.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/Reachability.h"
#include "platform/services/DeviceProfile.h"
#include "platform/services/TelephonyNetworkInfo.h"
#include "platform/ui/Application.h"

using foundation::Dictionary;
using foundation::Value;

namespace {

class GADDeviceTest : public testing::Test {
  protected:
    void SetUp() override { use(services::DeviceProfile()); }
    void TearDown() override {
        ui::Application::shared().reset();
        ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::portrait);
        use(services::DeviceProfile());
    }
    // A device as a new process sees it.
    static GADDevice& use(const services::DeviceProfile& profile) {
        services::DeviceProfile::use(profile);
        GADApplication::sharedApplication().reset();
        GADDevice::currentDevice().reset();
        return GADDevice::currentDevice();
    }
};

TEST_F(GADDeviceTest, ParametersOfTheDefaultPhone) {
    services::DeviceProfile profile;
    profile.machine = "Phone8,1";
    GADDevice& device = use(profile);
    const Dictionary expected = {
        {"ios_metadata", Dictionary{}},
        {"app_name", "1.0.iphone.org.barcodes.Barcodes"},
        {"platform", "Phone"},
        {"submodel", "Phone8,1"},
        {"hl", "en"},
        {"u_audio", "1"},
        {"u_so", "p"},
        {"u_sd", "2"},
        {"u_w", "320"},
        {"u_h", "568"},
        {"cap_noiap", "0"},
    };
    EXPECT_EQ(device.parameters(), expected);
}

TEST_F(GADDeviceTest, ParametersFollowTheProfile) {
    struct Case {
        const char* rule;
        std::function<void(services::DeviceProfile&)> change;
        Dictionary expected;  // keys that must hold these values
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases = {
        {"a phone application on a tablet",
         [](auto& p) {
             p.model = "iPad";
             p.idiom = ui::UserInterfaceIdiom::phone;
         },
         {{"ios_ipadc", "1"}, {"platform", "iPad"}},
         {}},
        {"a tablet application on a tablet",
         [](auto& p) {
             p.model = "iPad";
             p.idiom = ui::UserInterfaceIdiom::pad;
         },
         {},
         {"ios_ipadc"}},
        {"scale and sizes as short floats",
         [](auto& p) {
             p.screenScale = 1.5;
             p.screenBounds = {0, 0, 320.5, 480};
         },
         {{"u_sd", "1.5"}, {"u_w", "320.5"}, {"u_h", "480"}},
         {}},
        {"languages lower-cased, first one only",
         [](auto& p) {
             p.preferredLanguages = {"pt-BR", "en"};
         },
         {{"hl", "pt-br"}},
         {}},
        {"no language", [](auto& p) { p.preferredLanguages = {}; }, {}, {"hl"}},
        {"radio present",
         [](auto& p) { p.radioAccessTechnology = "CTRadioAccessTechnologyLTE"; },
         {{"ios_radio", "CTRadioAccessTechnologyLTE"},
          {"ios_radio_last", "CTRadioAccessTechnologyLTE"}},
         {}},
        {"radio before 7.0.0 is not read",
         [](auto& p) {
             p.systemVersion = "6.1";
             p.radioAccessTechnology = "CTRadioAccessTechnologyLTE";
         },
         {},
         {"ios_radio", "ios_radio_last"}},
        {"no payments", [](auto& p) { p.canMakePayments = false; }, {{"cap_noiap", "1"}}, {}},
    };
    for (const Case& c : cases) {
        services::DeviceProfile profile;
        c.change(profile);
        Dictionary parameters = use(profile).parameters();
        for (const auto& [key, value] : c.expected) {
            EXPECT_EQ(Value(parameters)[key], value) << c.rule << ": " << key;
        }
        for (const std::string& key : c.absent) {
            EXPECT_FALSE(parameters.contains(key)) << c.rule << ": " << key;
        }
    }
}

TEST_F(GADDeviceTest, AudioRoutes) {
    struct Case {
        std::optional<std::vector<std::string>> outputs;
        std::optional<std::string> olderRoute;
        std::uint64_t route;
    };
    const Case cases[] = {
        {std::vector<std::string>{"Speaker"}, std::nullopt, 1},
        {std::vector<std::string>{"Headphones"}, std::nullopt, 2},
        {std::vector<std::string>{}, std::nullopt, 3},
        {std::vector<std::string>{"Receiver"}, std::nullopt, 5},
        {std::vector<std::string>{"Headphones", "Speaker"}, std::nullopt, 5},
        // The session cannot say: the older query answers.
        {std::nullopt, std::nullopt, 1},
        {std::nullopt, "", 3},
        {std::nullopt, "Headset", 2},
        {std::nullopt, "Headphone", 2},
        {std::nullopt, "Speaker", 1},
        {std::nullopt, "LineOut", 5},
    };
    for (const Case& c : cases) {
        services::DeviceProfile profile;
        profile.audioOutputs = c.outputs;
        profile.audioRoute = c.olderRoute;
        EXPECT_EQ(use(profile).audioRoute(), c.route) << c.olderRoute.value_or("(none)");
    }
}

TEST_F(GADDeviceTest, VersionComparisons) {
    struct Case {
        const char* version;
        std::int64_t major, minor, bug;
        bool atLeast;
    };
    const Case cases[] = {
        {"8.1", 8, 1, 0, true},     // a missing bug-fix component is 0
        {"7.1.2", 8, 0, 0, false},  // the major decides first
        {"8.0.1", 8, 0, 1, true},  {"8.0", 8, 0, 1, false},
        {"10", 9, 9, 9, true},     {"4.3.5", 5, 0, 0, false},
    };
    for (const Case& c : cases) {
        services::DeviceProfile profile;
        profile.systemVersion = c.version;
        GADDevice& device = use(profile);
        EXPECT_EQ(device.isOSAtLeastMajor(c.major, c.minor, c.bug), c.atLeast) << c.version;
    }
    std::int64_t major = -1, minor = -1, bug = -1;
    services::DeviceProfile profile;
    profile.systemVersion = "8.1";
    use(profile).getOSMajor(&major, &minor, &bug);
    EXPECT_EQ(std::vector<std::int64_t>({major, minor, bug}), std::vector<std::int64_t>({8, 1, 0}));
    EXPECT_FALSE(GADDevice::currentDevice().isOSAtLeastMajor(8, 2, 0));
    EXPECT_TRUE(GADDevice::currentDevice().OSIsSupported());
}

TEST_F(GADDeviceTest, LandscapeKeepsThePortraitWidth) {
    struct Case {
        const char* version;
        graphics::Rect landscapeBounds;  // as that system's screen reports them
    };
    const Case cases[] = {
        {"8.0", {0, 0, 568, 320}},  // sizes follow the turned interface
        {"7.1", {0, 0, 320, 568}},  // sizes stay portrait
        {"9.3", {0, 0, 320, 568}},  // a screen that keeps portrait sizes
    };
    for (const Case& c : cases) {
        services::DeviceProfile profile;
        profile.systemVersion = c.version;
        profile.screenBounds = c.landscapeBounds;
        GADDevice& device = use(profile);
        ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::landscapeLeft);
        Value parameters(device.parameters());
        EXPECT_EQ(parameters["u_so"], Value("l"));
        EXPECT_EQ(parameters["u_w"], Value("320")) << c.version;
        EXPECT_EQ(parameters["u_h"], Value("568")) << c.version;
        ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::portrait);
    }
}

TEST_F(GADDeviceTest, BookCapabilitiesAreBits) {
    ui::Application& application = ui::Application::shared();
    GADDevice& device = GADDevice::currentDevice();
    EXPECT_FALSE(device.parameters().contains("cap_bs"));
    application.registerURLHandler("itms-books", [](const std::string&) { return true; });
    EXPECT_EQ(Value(device.parameters())["cap_bs"], Value(1));
    application.registerURLHandler("kindle", [](const std::string&) { return true; });
    EXPECT_EQ(Value(device.parameters())["cap_bs"], Value(3));
    application.removeURLHandler("itms-books");
    EXPECT_EQ(Value(device.parameters())["cap_bs"], Value(2));
    EXPECT_EQ(device.canOpenURLs({"kindle://home", "mailto:x"}),
              (Dictionary{{"kindle://home", true}, {"mailto:x", false}}));
}

TEST_F(GADDeviceTest, IdentifierIsTheHashOfTheAdvertisingIdentifierWhileTracking) {
    services::DeviceProfile profile;
    profile.advertisingTrackingEnabled = false;
    GADDevice& device = use(profile);
    EXPECT_EQ(device.deviceIdentifier(), "");

    profile.advertisingTrackingEnabled = true;
    services::DeviceProfile::use(profile);
    const std::string expected =
        *GADStringNumberAdditions::gad_MD5String(profile.advertisingIdentifier);
    EXPECT_EQ(device.deviceIdentifier(), expected);
    EXPECT_EQ(expected.size(), 32u);
    EXPECT_EQ(expected.find_first_not_of("0123456789abcdef"), std::string::npos);

    profile.systemVersion = "5.1";  // no advertising identifier before 6.0.0
    EXPECT_EQ(use(profile).deviceIdentifier(), "");
}

TEST_F(GADDeviceTest, MetadataBaseSDKAndApplicationNameComeFromTheInstall) {
    namespace fs = std::filesystem;
    fs::path resources = fs::path(foundation::ApplicationHome::documents()).parent_path() / "res";
    fs::create_directories(resources);
    std::ofstream(resources / "Info.plist")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string>com.example.app</string>"
           "<key>DTSDKName</key><string>iphoneos8.1</string>"
           "<key>DTPlatformName</key><string>iphoneos</string></dict></plist>";
    std::ofstream(fs::path(foundation::ApplicationHome::documents()).parent_path() /
                  "iTunesMetadata.plist")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
           "<key>itemId</key><integer>42</integer></dict></plist>";
    setenv("BARCODES_RESOURCES", resources.c_str(), 1);
    GADDevice& device = use(services::DeviceProfile());
    Dictionary parameters = device.parameters();
    unsetenv("BARCODES_RESOURCES");
    EXPECT_EQ(Value(parameters)["ios_base_sdk"], Value("8.1"));
    EXPECT_EQ(Value(parameters)["app_name"], Value("iphone.com.example.app"));
    EXPECT_EQ(Value(parameters)["ios_metadata"], Value(Dictionary{{"itemId", 42}}));
}

TEST_F(GADDeviceTest, UserAgentAndRadioKeepTheirLastValues) {
    GADDevice& device = GADDevice::currentDevice();
    EXPECT_EQ(device.userAgentString(), std::nullopt);
    device.setUserAgentString("Agent/1");
    device.setUserAgentString("");
    EXPECT_EQ(device.userAgentString(), "Agent/1");

    services::TelephonyNetworkInfo::shared().setCurrentRadioAccessTechnology("Edge");
    EXPECT_EQ(device.radioAccessTechnology(), "Edge");
    services::TelephonyNetworkInfo::shared().setCurrentRadioAccessTechnology(std::nullopt);
    EXPECT_EQ(device.radioAccessTechnology(), std::nullopt);
    EXPECT_EQ(device.lastKnownRadioAccessTechnology(), "Edge");
}

TEST_F(GADDeviceTest, FirstReadingFromAWorkerNeverBlocksTheMainThread) {
    // A worker reads the facts first, which needs the main thread, while the
    // main thread reads them too.
    std::atomic<bool> done = false;
    std::thread worker([&] {
        GADDevice::currentDevice().parameters();
        done = true;
    });
    EXPECT_EQ(GADDevice::currentDevice().systemVersion(), "9.3");
    EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return done.load(); }, 30));
    worker.join();
}

TEST_F(GADDeviceTest, NetworkWatcherFollowsReachability) {
    net::Reachability::setSimulatedNetworkFlags(0);
    GADNetwork& network = use(services::DeviceProfile()).network();
    EXPECT_TRUE(network.isChecking());
    // Nothing is read at enable time; the host's first lookup reports it
    // unreachable.
    EXPECT_TRUE(
        foundation::RunLoop::main().runUntil([&] { return network.networkType() == 1u; }, 30));
    net::Reachability::setSimulatedNetworkFlags(net::ReachabilityFlags::reachable);
    EXPECT_TRUE(foundation::RunLoop::main().runUntil(
        [&] { return network.networkTypeString() == "wi"; }, 30));
    net::Reachability::setSimulatedNetworkFlags(net::ReachabilityFlags::isWWAN);
    EXPECT_TRUE(foundation::RunLoop::main().runUntil(
        [&] { return network.networkTypeString() == "ed"; }, 30));
    network.disableNetworkChecking();
    EXPECT_EQ(network.networkType(), 0u);
    EXPECT_EQ(network.lastKnownNetworkTypeString(), "ed");
    EXPECT_EQ(network.changeCount(), 3u);
    net::Reachability::setSimulatedNetworkFlags(std::nullopt);
}

}  // namespace
