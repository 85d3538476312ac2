#include "platform/foundation/UUID.h"

#include <gtest/gtest.h>

#include <set>

using foundation::UUID;

namespace {

TEST(UUIDTest, FreshIdentifiersAreRandomVersionFourAndDiffer) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        UUID uuid;
        EXPECT_EQ(uuid.bytes()[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes()[8] & 0xC0, 0x80);
        seen.insert(uuid.UUIDString());
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(UUIDTest, TextAndBytesRoundTrip) {
    const UUID::Bytes bytes = {0xE6, 0x21, 0xE1, 0xF8, 0xC3, 0x6C, 0x49, 0x5A,
                               0x93, 0xFC, 0x0C, 0x24, 0x7A, 0x3E, 0x6E, 0x5F};
    EXPECT_EQ(UUID(bytes).UUIDString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    std::optional<UUID> parsed = UUID::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->bytes(), bytes);
    UUID fresh;
    EXPECT_EQ(UUID::fromString(fresh.UUIDString()), fresh);
}

TEST(UUIDTest, TextThatIsNoIdentifierIsRefused) {
    for (const char* text :
         {"", "E621E1F8-C36C-495A-93FC-0C247A3E6E5", "E621E1F8C36C495A93FC0C247A3E6E5F",
          "G621E1F8-C36C-495A-93FC-0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0"}) {
        EXPECT_FALSE(UUID::fromString(text)) << text;
    }
}

}  // namespace
