#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Categories/Mapping.h"

namespace {

// An element answering a question with an argument, as store objects do.
struct Tagged {
    std::string tag;
    bool hasAnyTag(const std::set<std::string>& tags) const { return tags.count(tag) > 0; }
};

}  // namespace

TEST(MappingTest, MapsInOrderAndCallsNothingForAnEmptyList) {
    int calls = 0;
    auto length = [&calls](const std::string& s) {
        ++calls;
        return s.size();
    };
    EXPECT_EQ(Mapping::arrayByPerformingSelector(std::vector<std::string>{"a", "abc", ""}, length),
              (std::vector<std::size_t>{1, 3, 0}));
    calls = 0;
    EXPECT_TRUE(Mapping::arrayByPerformingSelector(std::vector<std::string>{}, length).empty());
    EXPECT_EQ(calls, 0);
}

TEST(MappingTest, FiltersThroughATargetOrTheElementsOwnMethod) {
    auto odd = [](int n) { return n % 2; };  // non-zero counts as yes
    EXPECT_EQ(Mapping::filteredArrayUsingSelector(std::vector<int>{1, 2, 3, 4, 5}, odd),
              (std::vector<int>{1, 3, 5}));

    std::vector<std::shared_ptr<Tagged>> items{std::make_shared<Tagged>(Tagged{"url"}),
                                               std::make_shared<Tagged>(Tagged{"tel"}),
                                               std::make_shared<Tagged>(Tagged{"isbn"})};
    auto kept = Mapping::filteredArrayUsingSelectorWithObject(items, &Tagged::hasAnyTag,
                                                              std::set<std::string>{"isbn", "url"});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], items[0]);
    EXPECT_EQ(kept[1], items[2]);
    EXPECT_TRUE(Mapping::filteredArrayUsingSelectorWithObject(items, &Tagged::hasAnyTag,
                                                              std::set<std::string>{})
                    .empty());
}
