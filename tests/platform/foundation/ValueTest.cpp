#include "platform/foundation/Value.h"

#include <gtest/gtest.h>

#include <climits>

using foundation::Value;

namespace {

TEST(ValueTest, NumericReadingsOfNumbersAndStrings) {
    struct Case {
        Value value;
        int intValue;
        double doubleValue;
        bool boolValue;
    };
    const Case cases[] = {
        {Value(42), 42, 42.0, true},
        {Value(2.75), 2, 2.75, true},
        {Value(true), 1, 1.0, true},
        {Value(), 0, 0.0, false},               // null reads as zero
        {Value("  -17abc"), -17, -17.0, true},  // leading number, white space skipped
        {Value("3.5e2"), 3, 350.0, true},       // int stops at the point
        {Value("+0012"), 12, 12.0, true},       // sign and leading zeros
        {Value("yes"), 0, 0.0, true},           // Y/y/T/t mean true
        {Value("0000"), 0, 0.0, false},         // zeros only are false
        {Value("99999999999"), INT_MAX, 99999999999.0, true},  // clamps to int
        {Value(foundation::Data{1, 2}), 0, 0.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.description());
        EXPECT_EQ(c.value.intValue(), c.intValue);
        EXPECT_DOUBLE_EQ(c.value.doubleValue(), c.doubleValue);
        EXPECT_EQ(c.value.boolValue(), c.boolValue);
    }
    EXPECT_EQ(Value("9223372036854775808").integerValue(), INT64_MAX);
    EXPECT_EQ(Value(2.5).stringValue(), "2.5");
    EXPECT_EQ(Value(7).stringValue(), "7");
    EXPECT_EQ(Value(false).stringValue(), "0");
}

TEST(ValueTest, DictionaryAccessIsForgivingAndOrdered) {
    Value dict;
    dict.set("zeta", 1);
    dict.set("alpha", "a");
    dict.set("mid", Value::array({1, 2}));
    EXPECT_TRUE(dict.isDictionary());
    EXPECT_EQ(dict.keys(), (std::vector<std::string>{"alpha", "mid", "zeta"}));
    EXPECT_EQ(dict["alpha"].stringValue(), "a");
    EXPECT_TRUE(dict["missing"].isNull());
    EXPECT_TRUE(dict["mid"][5].isNull());
    EXPECT_TRUE(dict["alpha"]["nested"].isNull());
    EXPECT_EQ(dict["mid"][1].intValue(), 2);
    dict.remove("zeta");
    dict.remove("never there");
    EXPECT_EQ(dict.count(), 2u);

    Value text("not a container");
    text.set("k", 1);
    text.append(2);
    EXPECT_EQ(text, Value("not a container"));
}

TEST(ValueTest, CopiesAreIndependent) {
    Value original = Value::dictionary({{"list", Value::array({1})}});
    Value copy = original;
    Value list = copy["list"];
    list.append(2);
    copy.set("list", list);
    copy.set("extra", true);
    EXPECT_EQ(original["list"].count(), 1u);
    EXPECT_FALSE(original.contains("extra"));
    EXPECT_EQ(copy["list"].count(), 2u);

    auto shared = std::make_shared<Value>(Value::dictionary());
    auto other = shared;
    other->set("seen", 1);
    EXPECT_EQ((*shared)["seen"].intValue(), 1);
}

TEST(ValueTest, DeepEqualityComparesNumbersByValue) {
    EXPECT_EQ(Value(1), Value(1.0));
    EXPECT_EQ(Value(true), Value(1));
    EXPECT_NE(Value(1), Value("1"));
    EXPECT_NE(Value(), Value(0));
    const Value a = Value::dictionary({{"k", Value::array({1, "x", Value()})}});
    const Value b = Value::dictionary({{"k", Value::array({1.0, "x", nullptr})}});
    EXPECT_EQ(a, b);
    EXPECT_NE(a, Value::dictionary({{"k", Value::array({1, "x"})}}));
}

TEST(ValueTest, DescriptionUsesPropertyListNotation) {
    const Value v = Value::dictionary({
        {"b", Value::array({1, "two words"})},
        {"a", foundation::Data{0xde, 0xad, 0xbe, 0xef, 0x01}},
        {"c", foundation::Date::fromTimeIntervalSinceReferenceDate(0)},
    });
    EXPECT_EQ(v.description(),
              "{\n"
              "    a = <deadbeef 01>;\n"
              "    b = (\n"
              "        1,\n"
              "        \"two words\"\n"
              "    );\n"
              "    c = \"2001-01-01 00:00:00 +0000\";\n"
              "}");
}

}  // namespace
