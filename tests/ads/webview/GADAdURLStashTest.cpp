#include <gtest/gtest.h>

#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADWebView.h"

namespace {

std::optional<foundation::URL> url(const char* text) {
    return foundation::URL::fromString(text);
}

TEST(GADAdURLStashTest, CanonicalURLs) {
    struct Case {
        const char* url;
        const char* canonical;
    };
    const std::vector<Case> cases = {
        // Without a port: ":80" after the host, fragment and one trailing slash dropped.
        {"http://ads.test/ad/", "http://ads.test:80/ad"},
        {"http://ads.test/ad#top", "http://ads.test:80/ad"},
        {"https://ads.test/", "https://ads.test:80"},
        {"http://ads.test/ad//", "http://ads.test:80/ad/"},
        // Every occurrence of the host text gets the port.
        {"http://ads.test/?r=ads.test", "http://ads.test:80/?r=ads.test:80"},
        // An explicit port, 80 included, keeps the URL as given.
        {"http://ads.test:80/ad/#top", "http://ads.test:80/ad/#top"},
        {"http://ads.test:8080/ad/", "http://ads.test:8080/ad/"},
        // No host: itself.
        {"about:blank", "about:blank"},
    };
    for (const auto& c : cases) {
        const auto canonical = GADAdURLStash::canonicalURLForURL(url(c.url));
        ASSERT_TRUE(canonical) << c.url;
        EXPECT_EQ(canonical->absoluteString(), c.canonical) << c.url;
    }
    EXPECT_FALSE(GADAdURLStash::canonicalURLForURL(std::nullopt));
}

TEST(GADAdURLStashTest, MapsEquivalentURLsToTheViewAndNeverHandsOutAGoneOne) {
    auto first = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    GADAdURLStash::add(url("http://stash.test/ad"), first);
    EXPECT_EQ(GADAdURLStash::viewForURL(url("http://stash.test:80/ad")), first);
    EXPECT_TRUE(GADAdURLStash::hasStashedURLs());

    // A second view takes the URL; the first one's removal leaves it alone.
    auto second = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    GADAdURLStash::add(url("http://stash.test/ad"), second);
    GADAdURLStash::remove(url("http://stash.test/ad"), first.get());
    EXPECT_EQ(GADAdURLStash::viewForURL(url("http://stash.test/ad")), second);
    GADAdURLStash::remove(url("http://stash.test/ad"), second.get());
    EXPECT_EQ(GADAdURLStash::viewForURL(url("http://stash.test/ad")), nullptr);

    // A view records its URL and takes it out when it goes.
    second->setURLForView(url("http://stash.test/other"), second);
    EXPECT_EQ(GADAdURLStash::viewForURL(url("http://stash.test/other")), second);
    second.reset();
    EXPECT_EQ(GADAdURLStash::viewForURL(url("http://stash.test/other")), nullptr);
}

}  // namespace
