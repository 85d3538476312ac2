#include "platform/foundation/ClassRegistry.h"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

struct Parser {
    virtual ~Parser() = default;
    virtual std::string name() const = 0;
};
struct TelParser : Parser {
    std::string name() const override { return "tel"; }
};

TEST(ClassRegistryTest, LooksUpFactoriesByNameAndBase) {
    ClassRegistry registry;
    registry.registerClass<Parser>({"TelParser", "ResultParser", {"Parsing"}},
                                   [] { return std::make_shared<TelParser>(); });
    registry.registerName({"ResultParser", "NSObject", {"Copying"}});
    registry.registerName({"WKWebView", "", {}});

    ASSERT_TRUE(registry.make<Parser>("TelParser"));
    EXPECT_EQ(registry.make<Parser>("TelParser")->name(), "tel");
    EXPECT_EQ(registry.make<Parser>("Unknown"), nullptr);
    EXPECT_EQ(registry.make<Parser>("ResultParser"), nullptr);    // no factory
    EXPECT_EQ(registry.make<std::string>("TelParser"), nullptr);  // registered for another base
    EXPECT_TRUE(registry.exists("WKWebView"));
    EXPECT_TRUE(registry.isSubclass("TelParser", "ResultParser"));
    EXPECT_TRUE(registry.isSubclass("TelParser", "NSObject"));
    EXPECT_FALSE(registry.isSubclass("ResultParser", "TelParser"));
    EXPECT_TRUE(registry.conformsTo("TelParser", "Copying"));  // adopted by the superclass
    EXPECT_FALSE(registry.conformsTo("TelParser", "Other"));
    EXPECT_EQ(registry.classNames(),
              (std::vector<std::string>{"ResultParser", "TelParser", "WKWebView"}));
    registry.unregisterClass("WKWebView");
    EXPECT_FALSE(registry.exists("WKWebView"));
}

}  // namespace
