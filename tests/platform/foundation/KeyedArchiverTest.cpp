#include "platform/foundation/KeyedArchiver.h"

#include <gtest/gtest.h>

#include "platform/foundation/ApplicationHome.h"

using namespace foundation;

namespace {

TEST(KeyedArchiverTest, RoundTripsThroughFiles) {
    const Value root = Value::dictionary(
        {{"results", Value::array({Value::dictionary({{"trackId", 42}})})}, {"icon", Data{1, 2}}});
    const std::string path = ApplicationHome::caches() + "/lookup.archive";
    ASSERT_TRUE(KeyedArchiver::archiveRootObject(root, path));
    EXPECT_EQ(KeyedArchiver::unarchiveObjectWithFile(path), root);
    EXPECT_EQ(KeyedArchiver::unarchiveObjectWithFile(path + ".missing"), std::nullopt);
    EXPECT_EQ(KeyedArchiver::unarchive(dataFromString("<plist><dict/></plist>")), std::nullopt);
    EXPECT_FALSE(KeyedArchiver::archivedData(Value::array({nullptr})));
}

}  // namespace
