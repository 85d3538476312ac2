#include <gtest/gtest.h>

#include <optional>
#include <regex>

#include "ads/webview/GADNotification.h"

namespace {

TEST(GADNotification, ParsesGmsgURLs) {
    struct Case {
        const char* url;
        std::optional<std::string> name;
        foundation::Dictionary parameters;
    };
    const Case cases[] = {
        {"gmsg://mobileads.example/click?u=http%3A%2F%2Fa.example%2Fx",
         "click",
         {{"u", "http://a.example/x"}}},
        {"GMSG://host/log?string=x", "log", {{"string", "x"}}},
        {"GmSg://host/touch", "touch", {}},
        {"gmsg:///open", "open", {}},
        {"gmsg://host/close/", "close", {}},
        {"gmsg://host/a%20b/c", "a b/c", {}},
        {"gmsg://host/", std::nullopt, {}},
        {"gmsg://host", std::nullopt, {}},
        {"gmsg://host?a=1", std::nullopt, {}},
        {"gmsg:click", std::nullopt, {}},
        {"gmsg://host/%FF", std::nullopt, {}},
        {"http://host/click?a=1", std::nullopt, {}},
        {"gmsg://h/m?a=1&b=2;c=3", "m", {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
        {"gmsg://h/m?a=1=2&b&c=3", "m", {{"c", "3"}}},
        {"gmsg://h/m?a=1&a=2;a=3", "m", {{"a", "3"}}},
        {"gmsg://h/m?U=1&u=2", "m", {{"U", "1"}, {"u", "2"}}},
        {"gmsg://h/m?p=a+b&q=%2B", "m", {{"p", "a+b"}, {"q", "+"}}},
        {"gmsg://h/m?bad=%FF&ok=1&worse=%C3%28", "m", {{"ok", "1"}}},
        {"gmsg://h/m?%FF=x&k=%E2%82%AC", "m", {{"k", "\u20ac"}}},
        {"gmsg://h/m?=v&k=", "m", {{"", "v"}, {"k", ""}}},
        {"gmsg://h/m?a=1#b=2", "m", {{"a", "1"}}},
        {"gmsg://h/m?", "m", {}},
        {"gmsg://h/m?&;&", "m", {}},
    };
    for (const Case& c : cases) {
        std::optional<foundation::URL> url = foundation::URL::fromString(c.url);
        ASSERT_TRUE(url) << c.url;
        std::optional<GADNotification> message = GADNotification::withNotificationURL(*url);
        ASSERT_EQ(message.has_value(), c.name.has_value()) << c.url;
        if (message) {
            EXPECT_EQ(message->name(), *c.name) << c.url;
            EXPECT_EQ(message->parameters(), c.parameters) << c.url;
        }
    }
}

TEST(GADNotification, RecognisesTheSchemeInAnyCase) {
    for (const char* text : {"gmsg://h/a", "GMSG://h/", "gMsG:x"}) {
        EXPECT_TRUE(GADNotification::isNotificationURL(*foundation::URL::fromString(text))) << text;
    }
    for (const char* text : {"http://h/gmsg", "gmsgs://h/a", "about:gmsg"}) {
        EXPECT_FALSE(GADNotification::isNotificationURL(*foundation::URL::fromString(text)))
            << text;
    }
}

TEST(GADNotification, MadeFromANameAndParameters) {
    EXPECT_FALSE(GADNotification::withName(""));
    std::optional<GADNotification> message = GADNotification::withName("appEvent", {{"name", "x"}});
    ASSERT_TRUE(message);
    EXPECT_EQ(message->name(), "appEvent");
    EXPECT_EQ(message->parameters(), (foundation::Dictionary{{"name", "x"}}));
    EXPECT_TRUE(std::regex_match(
        message->description(),
        std::regex(R"(<GADNotification: 0x[0-9a-f]+> name:appEvent parameters:[^]*name[^]*x[^]*)")))
        << message->description();
    EXPECT_TRUE(GADNotification::withName("close")->parameters().empty());
}

}  // namespace
