#include "ads/foundation/GADStatisticDictionary.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "platform/foundation/RunLoop.h"

using foundation::Dictionary;
using foundation::Value;

namespace {

// Counts notices on a queue of its own and remembers what each one saw.
class Listener : public GADStatisticDictionaryDelegate {
  public:
    std::shared_ptr<foundation::TaskQueue> notificationQueue() override {
        if (hold.valid()) {
            std::shared_future<void> wait = std::move(hold);
            held = true;
            wait.wait();
        }
        return queue;
    }
    void didUpdateStatisticDictionary(
        const std::shared_ptr<GADStatisticDictionary>& dictionary) override {
        lastSeen = dictionary->objectForKey("n").integerValue();
        ++notices;
    }

    std::shared_ptr<foundation::DispatchQueue> queue =
        foundation::DispatchQueue::makeSerial("listener");
    // While set, the next notice keeps the dictionary's queue busy until it is fulfilled.
    std::shared_future<void> hold;
    std::atomic<bool> held = false;
    std::atomic<int> notices = 0;
    std::atomic<std::int64_t> lastSeen = 0;
};

bool waitFor(const std::function<bool()>& condition) {
    return foundation::RunLoop::main().runUntil(condition, 30);
}

TEST(GADStatisticDictionary, ChangesQueuedBeforeANoticeShareIt) {
    auto listener = std::make_shared<Listener>();
    auto statistics = GADStatisticDictionary::make(listener);
    std::promise<void> gate;
    listener->hold = gate.get_future().share();
    statistics->incrementNumberForKey("n", true);
    ASSERT_TRUE(waitFor([&] { return listener->held.load(); }));
    // The first notice holds the queue: the burst queues up behind it.
    for (int i = 0; i < 10; ++i) {
        statistics->incrementNumberForKey("n", true);
    }
    gate.set_value();
    EXPECT_EQ(statistics->objectForKey("n"), Value(11));
    ASSERT_TRUE(waitFor([&] { return listener->notices == 2; }));
    statistics->didFinishModifying();  // flushes the listener's queue
    EXPECT_EQ(listener->notices, 2);
    EXPECT_EQ(listener->lastSeen, 11);
}

TEST(GADStatisticDictionary, ConcurrentWritersLoseNothing) {
    auto listener = std::make_shared<Listener>();
    auto statistics = GADStatisticDictionary::make(listener);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&] {
            for (int i = 0; i < 250; ++i) {
                statistics->incrementNumberForKey("n", true);
                statistics->addObjectToArrayWithKey(i, "list", false);
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(statistics->objectForKey("n"), Value(1000));
    EXPECT_EQ(statistics->objectForKey("list").count(), 1000u);
    // The last notice comes after the last change and sees it.
    ASSERT_TRUE(waitFor([&] { return listener->lastSeen == 1000; }));
    statistics->didFinishModifying();
    EXPECT_GE(listener->notices, 1);
    EXPECT_LE(listener->notices, 1000);
}

TEST(GADStatisticDictionary, WritesWithoutNoticeAndFinishedDictionariesStayQuiet) {
    auto listener = std::make_shared<Listener>();
    auto statistics = GADStatisticDictionary::make(listener);
    statistics->setObjectForKeyedSubscript("a", 1);
    statistics->incrementNumberForKey("n", false);
    EXPECT_EQ(statistics->dictionary(), (Dictionary{{"a", 1}, {"n", 1}}));
    statistics->setObject("b", "x", true);
    statistics->didFinishModifying();
    // The notice sent before finishing has arrived; nothing after it changes.
    EXPECT_EQ(listener->notices, 1);
    EXPECT_EQ(statistics->delegate(), nullptr);
    statistics->setObject("a", 2, true);
    statistics->incrementNumberForKey("n", true);
    EXPECT_EQ(statistics->objectForKey("a"), Value(1));
    EXPECT_EQ(statistics->objectForKey("n"), Value(1));
    EXPECT_EQ(listener->notices, 1);
}

TEST(GADStatisticDictionary, CountersAndListsOnlyGrowFromTheirOwnKind) {
    auto statistics = GADStatisticDictionary::make();
    statistics->setObject("real", 2.5, false);
    statistics->setObject("flag", true, false);
    statistics->setObject("text", "7", false);
    statistics->setObject("list", Value::array({1}), false);
    for (const char* key : {"real", "flag", "text", "missing", "list"}) {
        statistics->incrementNumberForKey(key, false);
    }
    statistics->decrementNumberForKey("down", false);
    statistics->addObjectToArrayWithKey("x", "text", false);
    statistics->addObjectToArrayWithKey(2, "list", false);
    statistics->addObjectToArrayWithKey("first", "fresh", false);
    const Dictionary expected = {
        {"real", 2.5},  // a plain number is no counter
        {"flag", true},
        {"text", "7"},
        {"missing", 1},
        {"down", -1},
        {"list", Value::array({1, 2})},
        {"fresh", Value::array({"first"})},
    };
    EXPECT_EQ(statistics->dictionary(), expected);
    EXPECT_TRUE(statistics->objectForKey("real").isReal());
}

TEST(GADStatisticDictionary, DescriptionNamesTheQueueAndTheValues) {
    auto statistics = GADStatisticDictionary::make(nullptr, "com.example.stats");
    statistics->setObject("k", 1, false);
    const std::string text = statistics->description();
    EXPECT_EQ(text.rfind("<GADStatisticDictionary: 0x", 0), 0u) << text;
    EXPECT_NE(text.find(">\nqueue: com.example.stats\nstatistics: {"), std::string::npos) << text;
    EXPECT_NE(text.find("\"k\""), std::string::npos) << text;
    EXPECT_EQ(GADStatisticDictionary::make()->queueLabel(), "com.dezuvo.zizez.statistics");
}

}  // namespace
