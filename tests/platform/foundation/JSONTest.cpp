#include "platform/foundation/JSON.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/foundation/NestingLimit.h"

using foundation::JSON;
using foundation::Value;

namespace {

TEST(JSONTest, ParsesKindsAndRoundTrips) {
    const auto parsed =
        JSON::parse(R"({"b":[1,2.5,true,null,"x\u00e9"],"a":{"n":-7},"big":18446744073709551615})");
    ASSERT_TRUE(parsed);
    EXPECT_TRUE((*parsed)["b"][0].isInteger());
    EXPECT_TRUE((*parsed)["b"][1].isReal());
    EXPECT_TRUE((*parsed)["b"][2].isBoolean());
    EXPECT_TRUE((*parsed)["b"][3].isNull());
    EXPECT_EQ((*parsed)["b"][4].stringValue(), "x\xc3\xa9");
    EXPECT_EQ((*parsed)["a"]["n"].integerValue(), -7);
    EXPECT_TRUE((*parsed)["big"].isReal());  // beyond int64: kept as a real

    const auto compact = JSON::write(*parsed);
    ASSERT_TRUE(compact);
    EXPECT_EQ(*compact,
              R"({"a":{"n":-7},"b":[1,2.5,true,null,"xé"],"big":1.8446744073709552e+19})");
    EXPECT_EQ(JSON::parse(*compact), parsed);
}

TEST(JSONTest, WritesStableCompactAndPrettyText) {
    const Value v =
        Value::dictionary({{"url", "http://a/b"}, {"n", 3.0}, {"f", 0.1}, {"ok", false}});
    EXPECT_EQ(JSON::write(v), R"({"f":0.1,"n":3,"ok":false,"url":"http://a/b"})");
    EXPECT_EQ(JSON::write(Value::array({1, Value::array()}), JSON::Style::Pretty),
              "[\n  1,\n  []\n]");
}

TEST(JSONTest, FragmentsNeedTheOption) {
    foundation::Error error;
    EXPECT_FALSE(JSON::parse("3", JSON::Strict, &error));
    EXPECT_EQ(error.domain, JSON::kErrorDomain);
    EXPECT_EQ(JSON::parse("3", JSON::AllowFragments), Value(3));
    EXPECT_EQ(JSON::parse("\"s\"", JSON::AllowFragments), Value("s"));
    EXPECT_TRUE(JSON::parse("null", JSON::AllowFragments)->isNull());
    EXPECT_FALSE(JSON::write(Value("s")));
    EXPECT_EQ(JSON::writeFragment(Value("s")), "\"s\"");
}

TEST(JSONTest, MalformedInputIsRefused) {
    const char* const bad[] = {"",        "{",     "{\"a\":}", "[1,]",
                               "{'a':1}", "[1] x", "\"\xff\"", "[\"\xc3\"]"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        foundation::Error error;
        EXPECT_FALSE(JSON::parse(text, JSON::AllowFragments, &error));
        EXPECT_EQ(error.code, 3840);
    }
}

// `depth` arrays ([[[1]]]) or objects ({"k":{"k":1}}) around a number.
std::string nested(char open, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += open == '[' ? "[" : "{\"k\":";
    text += "1";
    text.append(depth, open == '[' ? ']' : '}');
    return text;
}

TEST(JSONTest, NestingIsBounded) {
    constexpr int limit = foundation::kMaximumNestingDepth;
    // At the limit a document reads; one level more, or twenty thousand
    // (unclosed too), is malformed like any other.
    for (const char open : {'[', '{'}) {
        SCOPED_TRACE(open);
        EXPECT_TRUE(JSON::parse(nested(open, limit)));
        const std::string deep[] = {nested(open, limit + 1), nested(open, 20000),
                                    std::string(20000, open)};
        for (const auto& text : deep) {
            foundation::Error error;
            EXPECT_FALSE(JSON::parse(text, JSON::AllowFragments, &error));
            EXPECT_EQ(error.code, 3840);
            EXPECT_EQ(error.domain, JSON::kErrorDomain);
        }
    }
    // Brackets inside strings do not count.
    EXPECT_TRUE(JSON::parse("[\"" + std::string(20000, '[') + "\"]"));
}

TEST(JSONTest, ValidityCheck) {
    EXPECT_TRUE(
        JSON::isValidJSONObject(Value::dictionary({{"a", Value::array({nullptr, 1, "s"})}})));
    EXPECT_FALSE(JSON::isValidJSONObject(Value(1)));  // top level must be a container
    EXPECT_FALSE(
        JSON::isValidJSONObject(Value::array({foundation::Data{1}})));  // data has no JSON form
    EXPECT_FALSE(JSON::isValidJSONObject(Value::array({foundation::Date()})));
    EXPECT_FALSE(JSON::isValidJSONObject(Value::array({std::nan("")})));
    EXPECT_FALSE(JSON::write(Value::array({INFINITY})));
    EXPECT_FALSE(JSON::write(Value::array({"\xff"})));  // invalid UTF-8 cannot be written
}

}  // namespace
