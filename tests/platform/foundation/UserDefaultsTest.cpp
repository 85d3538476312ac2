#include "platform/foundation/UserDefaults.h"

#include <gtest/gtest.h>

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

TEST(UserDefaultsTest, CorruptFileGivesEmptyDefaultsAndIsReplaced) {
    FileManager::defaultManager().writeAtomically(UserDefaults::filePath(),
                                                  dataFromString("garbage"));
    UserDefaults::resetStandardUserDefaults();
    EXPECT_TRUE(UserDefaults::standard().objectForKey("State").isNull());
    ASSERT_TRUE(UserDefaults::standard().setObject("State", "x"));
    EXPECT_TRUE(UserDefaults::standard().synchronize());
    EXPECT_EQ(UserDefaults::standard().stringForKey("State"), "x");
}

}  // namespace
