#include "platform/foundation/OrderedDictionary.h"

#include <gtest/gtest.h>

#include <cmath>

using foundation::OrderedDictionary;
using foundation::Value;

namespace {

TEST(OrderedDictionaryTest, KeysKeepTheOrderOfTheirFirstSetting) {
    OrderedDictionary dictionary;
    dictionary.set("zeta", 1);
    dictionary.set("alpha", "two");
    dictionary.set("mid", Value::dictionary({{"b", 1}, {"a", Value::array({true, 2.5})}}));
    dictionary.set("zeta", 3);  // replaced in place
    EXPECT_EQ(dictionary.JSONString(), R"({"zeta":3,"alpha":"two","mid":{"a":[true,2.5],"b":1}})");
    EXPECT_EQ(dictionary.get("zeta"), Value(3));
    EXPECT_TRUE(dictionary.get("missing").isNull());

    dictionary.remove("alpha");
    dictionary.set("alpha", "again");  // a removed key goes to the end
    EXPECT_EQ(dictionary.entries().back().first, "alpha");
    EXPECT_EQ(dictionary.count(), 3u);
    EXPECT_EQ(dictionary.dictionary(),
              (foundation::Dictionary{
                  {"alpha", "again"},
                  {"mid", Value::dictionary({{"b", 1}, {"a", Value::array({true, 2.5})}})},
                  {"zeta", 3}}));
}

TEST(OrderedDictionaryTest, EmptyAndUnwritableDictionaries) {
    OrderedDictionary dictionary;
    EXPECT_EQ(dictionary.JSONString(), "{}");
    dictionary.set("bad", std::nan(""));
    EXPECT_EQ(dictionary.JSONString(), std::nullopt);
}

}  // namespace
