#include "model/Base64.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Base64, LineFeedAfterEvery76CharactersAndAtTheEnd) {
    EXPECT_EQ(Base64::base64({}), "\n");
    EXPECT_EQ(Base64::base64(foundation::dataFromString("abc")), "YWJj\n");

    const std::string line(76, 'A');  // 57 zero bytes
    EXPECT_EQ(Base64::base64(foundation::Data(57, 0)), line + "\n\n");
    EXPECT_EQ(Base64::base64(foundation::Data(58, 0)), line + "\nAA==\n");
    EXPECT_EQ(Base64::base64(foundation::Data(114, 0)), line + "\n" + line + "\n\n");
}

}  // namespace
