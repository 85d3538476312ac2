#include <gtest/gtest.h>

#include "ads/foundation/GADURLAdditions.h"
#include "ads/foundation/GADUtilities.h"

namespace {

using namespace GADNSURLUtilities;

foundation::URL url(const char* text) {
    std::optional<foundation::URL> parsed = foundation::URL::fromString(text);
    EXPECT_TRUE(parsed) << text;
    return parsed.value_or(foundation::URL::fileURL("/"));
}

TEST(GADURLAdditions, AppendingKeepsAdurlLast) {
    struct Case {
        const char* base;
        foundation::Dictionary parameters;
        const char* expected;
    };
    const Case cases[] = {
        {"http://a.example/p", {{"k", "v"}}, "http://a.example/p?k=v"},
        {"http://a.example/p?a=1&adurl=X", {{"k", "v"}}, "http://a.example/p?a=1&k=v&adurl=X"},
        {"http://a.example/p?a=1", {{"k", ""}}, "http://a.example/p?a=1&k"},
        {"http://a.example/p", {{"k", ""}}, "http://a.example/p?k"},
        {"http://a.example/p?", {{"k", "v"}}, "http://a.example/p??k=v"},  // empty query: "?"
        {"http://a.example/p", {{"a", "x y"}, {"b", 2}}, "http://a.example/p?a=x%20y&b=2"},
    };
    for (const Case& c : cases) {
        std::optional<foundation::URL> result =
            gad_appendQueryParameters(url(c.base), c.parameters);
        ASSERT_TRUE(result) << c.base;
        EXPECT_EQ(result->absoluteString(), c.expected);
    }
    EXPECT_EQ(gad_appendQueryValue(url("http://a.example/"), std::nullopt, "sig")->absoluteString(),
              "http://a.example/?sig");
}

TEST(GADURLAdditions, ReadingQueries) {
    EXPECT_EQ(gad_parameterValueForKey(url("http://h/?a=1=2&b=x%20y"), "a"), std::nullopt);
    EXPECT_EQ(gad_parameterValueForKey(url("http://h/?a=1=2&b=x%20y"), "b"),
              std::optional<std::string>("x%20y"));
    EXPECT_EQ(gad_parameterValueForKey(url("http://h/"), "b"), std::nullopt);
    EXPECT_EQ(gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(
                  url("http://h/?A=1;b=%41&bad=%FF&c"), true),
              (foundation::Dictionary{{"a", "1"}, {"b", "A"}}));
    EXPECT_EQ(
        gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(url("http://h/?A=1&A=2"), false),
        (foundation::Dictionary{{"A", "2"}}));
}

TEST(GADURLAdditions, TicketsFragmentsAndComparisons) {
    EXPECT_EQ(gad_impressionTicket(url("http://h/a/b")), std::nullopt);
    EXPECT_EQ(gad_impressionTicket(url("http://h/a/b/c")), std::optional<std::string>("b/c"));
    EXPECT_EQ(gad_absoluteStringWithoutFragmentComponent(url("http://h/p#frag")), "http://h/p");
    EXPECT_EQ(gad_absoluteStringWithoutFragmentComponent(url("http://h/p#")), "http://h/p");
    EXPECT_TRUE(gad_isHostEqualToString(url("http://Ads.Example/"), "ads.example", false));
    EXPECT_FALSE(gad_isHostEqualToString(url("http://Ads.Example/"), "ads.example", true));
    EXPECT_TRUE(gad_isSchemeEqualToString(url("HTTP://h/"), "http", false));
    EXPECT_TRUE(gad_isMediationURL(url("http://h/mediate?x=1")));
    EXPECT_FALSE(gad_isMediationURL(url("http://h/Mediate?x=1")));
    EXPECT_TRUE(gad_isSDKJavaScriptURL(url(GADSDKCorePageURL().c_str())));
    // Another page may be set, and the vendor's comes back with an empty text.
    const std::string vendors = GADSDKCorePageURL();
    GADSetSDKCorePageURL("http://127.0.0.1:8/core.html");
    EXPECT_TRUE(gad_isSDKJavaScriptURL(url("http://127.0.0.1:8/core.html")));
    EXPECT_FALSE(gad_isSDKJavaScriptURL(url(vendors.c_str())));
    GADSetSDKCorePageURL("");
    EXPECT_EQ(GADSDKCorePageURL(), vendors);
}

TEST(GADUtilities, RectanglesAndURLLists) {
    foundation::Error error;
    graphics::Rect rect =
        GADRectFromSDKCoreDictionary({{"x", 1}, {"y", 2.5}, {"width", 30}, {"height", 40}}, &error);
    EXPECT_EQ(rect, graphics::Rect(1, 2.5, 30, 40));
    rect =
        GADRectFromSDKCoreDictionary({{"x", 1}, {"y", 2}, {"width", "30"}, {"height", 40}}, &error);
    EXPECT_EQ(rect, graphics::Rect());
    EXPECT_EQ(error.domain, "cg_rect_conversion");
    EXPECT_EQ(error.code, 1);
    EXPECT_EQ(error.localizedDescription.rfind("Invalid SDK Core rectangle ", 0), 0u);

    EXPECT_EQ(GADRectDictionaryWithShortKeys(graphics::Rect(10, 10, -4, 6)),
              (foundation::Dictionary{{"x", 6.0}, {"y", 10.0}, {"w", 4.0}, {"h", 6.0}}));
    EXPECT_EQ(GADRectDictionary(graphics::Rect(10, 10, -4, 6)).at("width"),
              foundation::Value(-4.0));

    EXPECT_EQ(GADURLArrayFromStrings({"::not a url", 3}), std::nullopt);
    auto urls = GADURLArrayFromStrings({"http://a/", "::not a url", "http://b/"});
    ASSERT_TRUE(urls);
    EXPECT_EQ(urls->size(), 2u);
}

}  // namespace
