#include "platform/foundation/Cache.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using foundation::Cache;

namespace {

TEST(CacheTest, CountLimitDropsTheOldestEntries) {
    Cache<std::string, int> cache;
    cache.setCountLimit(2);
    cache.setObject("a", 1);
    cache.setObject("b", 2);
    cache.setObject("a", 10);  // renewed: "b" is now the oldest
    cache.setObject("c", 3);
    EXPECT_EQ(cache.count(), 2u);
    EXPECT_FALSE(cache.objectForKey("b"));
    EXPECT_EQ(cache.objectForKey("a"), 10);
    EXPECT_EQ(cache.objectForKey("c"), 3);

    cache.setCountLimit(1);
    EXPECT_EQ(cache.count(), 1u);
    EXPECT_EQ(cache.objectForKey("c"), 3);
}

TEST(CacheTest, NoLimitKeepsEverythingAndTakeRemoves) {
    Cache<int, std::string> cache;
    for (int i = 0; i < 50; ++i) {
        cache.setObject(i, std::to_string(i));
    }
    EXPECT_EQ(cache.count(), 50u);
    EXPECT_EQ(cache.takeObjectForKey(7), "7");
    EXPECT_FALSE(cache.takeObjectForKey(7));
    cache.removeObjectForKey(8);
    EXPECT_FALSE(cache.objectForKey(8));
    cache.removeAllObjects();
    EXPECT_EQ(cache.count(), 0u);
}

TEST(CacheTest, ConcurrentWritersNeverExceedTheLimit) {
    Cache<int, int> cache;
    cache.setCountLimit(8);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cache, t] {
            for (int i = 0; i < 500; ++i) {
                cache.setObject(t * 1000 + i, i);
                cache.objectForKey(t * 1000 + i - 1);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(cache.count(), 8u);
}

}  // namespace
