#include "platform/foundation/UserDefaults.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/PropertyList.h"

using namespace foundation;

namespace {

TEST(UserDefaultsTest, PersistsAcrossInstancesAndLaunches) {
    const Value state =
        Value::array({Value::dictionary({{"class", "BarcodeListController"}, {"row", 4}})});
    ASSERT_TRUE(UserDefaults::standard().setObject("State", state));
    UserDefaults fresh;
    EXPECT_EQ(fresh.objectForKey("State"), state);

    fresh.setObject("dezuvo_gad_use_https", "1");
    UserDefaults::resetStandardUserDefaults();  // as a new launch: read back from the file
    EXPECT_EQ(UserDefaults::standard().objectForKey("State"), state);
    EXPECT_TRUE(UserDefaults::standard().boolForKey("dezuvo_gad_use_https"));

    const auto onDisk = PropertyList::readFile(UserDefaults::filePath());
    ASSERT_TRUE(onDisk);
    EXPECT_EQ((*onDisk)["State"], state);
    EXPECT_NE(UserDefaults::filePath().find("/Library/Preferences/"), std::string::npos);
}

TEST(UserDefaultsTest, SettingAnEqualValueWritesNothing) {
    ASSERT_TRUE(UserDefaults::standard().setObject("State", Value::array({Value(1)})));
    const auto written = std::filesystem::last_write_time(UserDefaults::filePath());
    std::filesystem::last_write_time(UserDefaults::filePath(), written - std::chrono::hours(1));
    const auto marked = std::filesystem::last_write_time(UserDefaults::filePath());

    ASSERT_TRUE(UserDefaults::standard().setObject("State", Value::array({Value(1)})));
    EXPECT_EQ(std::filesystem::last_write_time(UserDefaults::filePath()), marked);

    ASSERT_TRUE(UserDefaults::standard().setObject("State", Value::array({Value(2)})));
    EXPECT_NE(std::filesystem::last_write_time(UserDefaults::filePath()), marked);
    UserDefaults::resetStandardUserDefaults();
    EXPECT_EQ(UserDefaults::standard().objectForKey("State"), Value::array({Value(2)}));
}

TEST(UserDefaultsTest, TypedReadings) {
    UserDefaults& defaults = UserDefaults::standard();
    defaults.setObject("capacity", "12");
    defaults.setInteger("count", 3);
    defaults.setDouble("timeout", 2.5);
    defaults.setObject("list", Value::array({"en"}));
    EXPECT_EQ(defaults.integerForKey("capacity"), 12);  // text read as an integer
    EXPECT_EQ(defaults.stringForKey("count"), "3");
    EXPECT_EQ(defaults.doubleForKey("timeout"), 2.5);
    EXPECT_EQ(defaults.arrayForKey("list"), (Array{"en"}));
    EXPECT_EQ(defaults.dictionaryForKey("list"), std::nullopt);
    EXPECT_EQ(defaults.stringForKey("list"), std::nullopt);
    EXPECT_EQ(defaults.stringForKey("missing"), std::nullopt);
    EXPECT_FALSE(defaults.boolForKey("missing"));
}

TEST(UserDefaultsTest, RemovalRegistrationAndRefusals) {
    UserDefaults& defaults = UserDefaults::standard();
    defaults.registerDefaults({{"registered", Value(7)}});
    EXPECT_EQ(defaults.integerForKey("registered"), 7);
    defaults.setInteger("registered", 8);
    EXPECT_EQ(defaults.integerForKey("registered"), 8);
    defaults.removeObjectForKey("registered");
    EXPECT_EQ(defaults.integerForKey("registered"), 7);

    defaults.setObject("k", "v");
    defaults.setObject("k", Value());  // setting null removes
    EXPECT_TRUE(defaults.objectForKey("k").isNull());

    LogCapture log;
    EXPECT_FALSE(defaults.setObject("bad", Value::array({nullptr})));
    EXPECT_TRUE(log.contains("[UserDefaults]"));
    EXPECT_TRUE(defaults.objectForKey("bad").isNull());
}

TEST(UserDefaultsTest, UnreadableFileIsKeptAsideAndDefaultsAreUsed) {
    std::string deep = "<plist>";
    for (int i = 0; i < 100000; ++i)
        deep += "<array>";
    const std::string damaged[] = {
        "garbage",
        deep,
        std::string("bplist00\xA1\x00\x00\x00\x07", 13) + std::string(32, '\0'),
        "<plist><array><string>a list, not a dictionary</string></array></plist>",
    };
    const std::string path = UserDefaults::filePath();
    FileManager& files = FileManager::defaultManager();
    for (const auto& contents : damaged) {
        SCOPED_TRACE(contents.substr(0, 20));
        files.removeItem(path + ".unreadable");
        ASSERT_TRUE(files.writeAtomically(path, dataFromString(contents)));
        UserDefaults::resetStandardUserDefaults();  // as a new launch
        LogCapture log;
        UserDefaults::standard().registerDefaults({{"State", Value("default")}});
        EXPECT_EQ(UserDefaults::standard().stringForKey("State"), "default");
        EXPECT_TRUE(log.contains("kept it as " + path + ".unreadable"));
        EXPECT_FALSE(files.fileExists(path));
        EXPECT_EQ(files.contentsAtPath(path + ".unreadable"), dataFromString(contents));

        ASSERT_TRUE(UserDefaults::standard().setObject("State", "x"));
        UserDefaults::resetStandardUserDefaults();
        EXPECT_EQ(UserDefaults::standard().stringForKey("State"), "x");
    }
    // A second damaged file does not replace the first one kept aside.
    ASSERT_TRUE(files.writeAtomically(path, dataFromString("garbage again")));
    UserDefaults::resetStandardUserDefaults();
    EXPECT_TRUE(UserDefaults::standard().objectForKey("x").isNull());
    EXPECT_EQ(files.contentsAtPath(path + ".unreadable-2"), dataFromString("garbage again"));
    EXPECT_TRUE(files.fileExists(path + ".unreadable"));
}

}  // namespace
