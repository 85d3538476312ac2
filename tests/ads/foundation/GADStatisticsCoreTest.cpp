#include "ads/foundation/GADStatisticsCore.h"

#include <gtest/gtest.h>

#include "ads/foundation/GADSlotStatistics.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

using foundation::Dictionary;
using foundation::Value;

namespace {

Value stored(const std::string& key) {
    return foundation::UserDefaults::standard().objectForKey(key);
}

TEST(GADStatisticsCore, TypedSettersStoreOnlyTheirKind) {
    auto core = GADStatisticsCore::make();
    core->setNumber("5", "n");  // a text is no number
    core->setString(5, "s");
    core->setNumber(5, "n");
    core->setString("five", "s");
    core->setDate(foundation::Date::fromTimeIntervalSince1970(0), "d");
    core->setArray(Value::array({1}), "a");
    core->setDictionary(Value::dictionary({{"k", 1}}), "o");
    core->setArray(Value(), "a");  // nothing is removed
    EXPECT_EQ(core->statistics().size(), 5u);
    EXPECT_EQ(core->objectForKey("n"), Value(5));
    EXPECT_EQ(core->objectForKey("s"), Value("five"));

    EXPECT_EQ(core->addValue(3, "n"), 8);
    EXPECT_EQ(core->addValue(-2, "fresh"), -2);
    core->appendValue("x", "a");
    core->appendValue("y", "list");
    core->appendValue("z", "s");  // a text is left alone
    EXPECT_EQ(core->objectForKey("a"), Value::array({1, "x"}));
    EXPECT_EQ(core->objectForKey("list"), Value::array({"y"}));
    EXPECT_EQ(core->objectForKey("s"), Value("five"));
}

TEST(GADStatisticsCore, StatisticsSurviveARestart) {
    {
        auto core = GADStatisticsCore::make();
        core->setTransientStats({"scratch"});
        core->setIdentifier("unit-1");
        EXPECT_EQ(core->userDefaultsKey(), "dezuvo_stats_unit-1");
        core->addValue(4, "count");
        core->setString("temporary", "scratch");
        foundation::NotificationCenter::defaultCenter().post(
            ui::ApplicationWillTerminateNotification);
        EXPECT_EQ(stored("dezuvo_stats_unit-1"), Value(Dictionary{{"count", 4}}));
        core->addValue(1, "count");
    }  // going away saves too
    EXPECT_EQ(stored("dezuvo_stats_unit-1"), Value(Dictionary{{"count", 5}}));
    auto restarted = GADStatisticsCore::make();
    restarted->setString("current", "other");
    restarted->setIdentifier("unit-1");
    EXPECT_EQ(restarted->statistics(), (Dictionary{{"count", 5}, {"other", "current"}}));
}

TEST(GADStatisticsCore, ANewIdentifierNeverMixesTwoUnits) {
    foundation::UserDefaults::standard().setObject("dezuvo_stats_b",
                                                   Value(Dictionary{{"count", 10}}));
    auto core = GADStatisticsCore::make();
    core->setIdentifier("a");
    core->addValue(1, "count");
    core->setIdentifier("a");  // the same unit: nothing reloads
    EXPECT_EQ(core->objectForKey("count"), Value(1));
    core->setIdentifier("b");
    EXPECT_EQ(core->userDefaultsKey(), "dezuvo_stats_b");
    EXPECT_EQ(stored("dezuvo_stats_a"), Value(Dictionary{{"count", 1}}));
    EXPECT_EQ(core->statistics(), (Dictionary{{"count", 10}}));
    core->addValue(1, "count");
    core->synchronize();
    EXPECT_EQ(stored("dezuvo_stats_a"), Value(Dictionary{{"count", 1}}));
    EXPECT_EQ(stored("dezuvo_stats_b"), Value(Dictionary{{"count", 11}}));
}

TEST(GADSlotStatistics, AdapterRunsAreListedInOrder) {
    foundation::ManualClock clock;
    GADSlotStatistics statistics;
    EXPECT_EQ(statistics.adapterDurationsParameter(), std::nullopt);
    statistics.startTimingAdapter();
    clock.advance(0.125);
    statistics.endTimingAdapterWithExitCode(1);
    statistics.startTimingAdapter();
    clock.advance(0.25);
    statistics.endTimingAdapterWithExitCode(-2);
    EXPECT_EQ(statistics.adapterDurationsParameter(), "125,250");
    EXPECT_EQ(statistics.adapterExitCodesParameter(), "1,-2");

    statistics.incrementParameterCount("tries");
    statistics.incrementParameterCount("tries");
    statistics.setFlagWithParameterName("flag");
    EXPECT_EQ(statistics.valueForParameter("tries"), 2u);
    EXPECT_EQ(statistics.valueForParameter("flag"), 1u);
    statistics.resetParameterCount("tries");
    statistics.resetFlagWithParameterName("flag");
    EXPECT_EQ(statistics.valueForParameter("tries"), 0u);
    EXPECT_FALSE(statistics.core()->statistics().contains("flag"));

    statistics.resetTimingAdapters();
    EXPECT_EQ(statistics.adapterExitCodesParameter(), std::nullopt);
    EXPECT_EQ(statistics.adapterDurationsParameter(), std::nullopt);
}

TEST(GADSlotStatistics, AdapterListsPersistPerAdUnit) {
    foundation::ManualClock clock;
    {
        GADSlotStatistics statistics;
        statistics.setIdentifier("unit");
        statistics.startTimingAdapter();
        clock.advance(0.5);
        statistics.endTimingAdapterWithExitCode(0);
    }
    GADSlotStatistics restarted;
    restarted.setIdentifier("unit");
    EXPECT_EQ(restarted.adapterDurationsParameter(), "500");
    EXPECT_EQ(restarted.adapterExitCodesParameter(), "0");
    EXPECT_NE(restarted.timingNamed("adapter"), nullptr);
}

}  // namespace
