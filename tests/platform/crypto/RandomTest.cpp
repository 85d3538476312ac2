#include "platform/crypto/Random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, GivesTheCountAskedAndDiffersBetweenCalls) {
    const auto first = crypto::Random::bytes(32);
    const auto second = crypto::Random::bytes(32);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->size(), 32u);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(crypto::Random::bytes(0), foundation::Data{});
}

}  // namespace
