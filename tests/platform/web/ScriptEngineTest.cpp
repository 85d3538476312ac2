#include "platform/web/ScriptEngine.h"

#include <gtest/gtest.h>

using web::ScriptEngine;

namespace {

TEST(ScriptEngineTest, ContextsOfAGroupRunScriptsAndCallNatives) {
    JSContextGroupRef group = ScriptEngine::makeGroup();
    ASSERT_NE(group, nullptr);
    {
        ScriptEngine engine(group);
        engine.defineFunction("twice", [](const std::vector<foundation::Value>& arguments) {
            return foundation::Value(arguments.at(0).doubleValue() * 2);
        });
        EXPECT_EQ(engine.evaluate("twice(21)").text, "42");
        const auto thrown = engine.evaluate("twice()");
        EXPECT_TRUE(thrown.threw);
    }
    ScriptEngine::releaseGroup(group);
}

TEST(ScriptEngineTest, WithoutTheEngineEveryScriptCountsAsThrown) {
    ScriptEngine engine(nullptr);
    engine.defineFunction("f", [](const auto&) { return foundation::Value(); });
    const auto result = engine.evaluate("1 + 1");
    EXPECT_TRUE(result.threw);
    EXPECT_EQ(result.text, "");
    ScriptEngine::releaseGroup(nullptr);
}

}  // namespace
