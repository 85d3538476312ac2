#include <gtest/gtest.h>

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADTiming.h"
#include "platform/foundation/Clock.h"

namespace {

TEST(GADTiming, ElapsedTimeFollowsTheBootClock) {
    foundation::ManualClock clock;
    GADTiming running("fetch");
    EXPECT_EQ(running.elapsedMilliseconds(), 0u);  // never started
    running.start();
    EXPECT_TRUE(running.isActive());
    clock.advance(0.25);
    EXPECT_EQ(running.elapsedMilliseconds(), 250u);  // running: up to now
    running.setExplicitEnd(true);
    EXPECT_EQ(running.elapsedMilliseconds(), 0u);  // explicit end: nothing until end
    running.end();
    clock.advance(1);
    EXPECT_EQ(running.elapsedMilliseconds(), 250u);
    EXPECT_EQ(running.elapsedMillisecondsString(), "250");
    EXPECT_FALSE(running.isActive());

    GADTiming idle("idle");
    idle.end();  // end before start leaves it idle
    EXPECT_EQ(idle.endTimestamp(), 0);
    EXPECT_EQ(idle.elapsedMilliseconds(), 0u);
}

TEST(GADTiming, TimeStampsOfAnEarlierBootNeverWrap) {
    foundation::ManualClock clock;
    GADTiming restored("restored");
    // Started "later" on the clock of a previous boot, never ended.
    restored.setStartTimestamp(GADTiming::counter() + 100);
    EXPECT_EQ(restored.elapsedMilliseconds(), 0u);
    restored.setEndTimestamp(restored.startTimestamp() - 5);
    restored.setExplicitEnd(true);
    EXPECT_EQ(restored.elapsedMilliseconds(), 0u);
}

TEST(GADTiming, DictionaryFormRoundTrips) {
    GADTiming timing("cat");
    timing.setStartTimestamp(12.5);
    timing.setEndTimestamp(13.75);
    EXPECT_EQ(timing.dictionaryRepresentation(),
              (foundation::Dictionary{{"category", "cat"}, {"start", 12.5}, {"end", 13.75}}));

    timing.setValue(foundation::Value("v"), "k");
    timing.setValue(foundation::Value(), "ignored");
    timing.setExplicitEnd(true);
    std::shared_ptr<GADTiming> copy = timing.copy();
    EXPECT_EQ(copy->category(), "cat");
    EXPECT_EQ(copy->startTimestamp(), 12.5);
    EXPECT_EQ(copy->endTimestamp(), 13.75);
    EXPECT_EQ(copy->keysAndValues(), (foundation::Dictionary{{"k", "v"}}));
    EXPECT_FALSE(copy->explicitEnd());

    GADTiming unnamed;
    EXPECT_EQ(unnamed.category().rfind("GADTiming (0x", 0), 0u) << unnamed.category();
}

TEST(GADAbsoluteTime, CountsWholeMilliseconds) {
    foundation::ManualClock clock;
    GADAbsoluteTime::reset();
    EXPECT_EQ(GADAbsoluteTime::absoluteTimeInMilliseconds(), 0u);  // the first reading
    clock.advance(1.0015);
    EXPECT_EQ(GADAbsoluteTime::absoluteTimeInMilliseconds(), 1001u);
}

}  // namespace

#include "ads/foundation/GADTimingManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

namespace {

TEST(GADTimingManager, PersistsByIdentifier) {
    foundation::UserDefaults::resetStandardUserDefaults();
    auto manager = GADTimingManager::make();
    EXPECT_EQ(manager->userDefaultsKey(), std::nullopt);
    manager->setIdentifier("unit-a");
    auto timing = manager->addTimingWithCategory("fetch");
    timing->setStartTimestamp(1.5);
    timing->setEndTimestamp(2.25);
    foundation::NotificationCenter::defaultCenter().post(ui::ApplicationWillTerminateNotification);
    EXPECT_EQ(foundation::UserDefaults::standard().dictionaryForKey("dezuvo_timing_unit-a"),
              std::optional<foundation::Dictionary>(foundation::Dictionary{
                  {"fetch",
                   foundation::Dictionary{{"category", "fetch"}, {"start", 1.5}, {"end", 2.25}}}}));

    // Another unit keeps its own store: the first unit's timings are saved
    // under its own key and not carried over.
    manager->setIdentifier("unit-b");
    EXPECT_EQ(manager->userDefaultsKey(), std::optional<std::string>("dezuvo_timing_unit-b"));
    EXPECT_EQ(manager->timingForCategory("fetch"), nullptr);

    auto reader = GADTimingManager::make();
    reader->setIdentifier("unit-a");
    ASSERT_NE(reader->timingForCategory("fetch"), nullptr);
    EXPECT_EQ(reader->timingForCategory("fetch")->endTimestamp(), 2.25);
}

}  // namespace
