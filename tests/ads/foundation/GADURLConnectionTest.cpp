#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADMNSURLConnectionFactory.h"
#include "ads/foundation/GADStringAdditions.h"
#include "ads/foundation/GADURLConnection.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::URL;

// Writes down what a connection tells it, one line per callback.
class RecordingDelegate : public GADURLConnectionDelegate {
  public:
    std::vector<std::string> events;
    std::optional<std::string> body;
    std::optional<URL> baseURL;
    std::optional<foundation::Error> error;
    long status = 0;
    // The status of the response the connection holds when it finishes.
    long finishedStatus = 0;
    bool allowCache = false;
    bool refuseRedirects = false;

    std::optional<foundation::Error> connectionShouldRedirectToURL(GADURLConnection&,
                                                                   const URL& url) override {
        events.push_back("redirect? " + url.path());
        if (refuseRedirects) {
            return foundation::Error{"test", 7, "refused"};
        }
        return std::nullopt;
    }
    void connectionLoadDidReceiveRedirectResponse(GADURLConnection&,
                                                  const net::URLResponse& response) override {
        events.push_back("redirected " + std::to_string(response.statusCode()));
    }
    bool connectionLoadShouldUseCachedResponse(GADURLConnection&,
                                               const net::URLResponse& response) override {
        events.push_back("cacheable? " + std::to_string(response.statusCode()));
        return allowCache;
    }
    void connectionLoadDidReceiveCachedResponse(GADURLConnection&,
                                                const net::URLResponse&) override {
        events.push_back("cached");
    }
    void connectionLoadDidFinish(GADURLConnection& connection,
                                 const std::optional<std::string>& text,
                                 const std::optional<URL>& url) override {
        events.push_back("finish");
        finishedStatus = connection.response() ? connection.response()->statusCode() : 0;
        body = text;
        baseURL = url;
    }
    void connectionLoadDidFail(GADURLConnection&, const std::optional<foundation::Error>& e,
                               long httpStatusCode) override {
        events.push_back("fail");
        error = e;
        status = httpStatusCode;
    }

    bool ended() const {
        return !events.empty() && (events.back() == "finish" || events.back() == "fail");
    }
    bool waitForEnd() {
        return RunLoop::main().runUntil([this] { return ended(); }, 10);
    }
};

// A factory that makes no connection.
class BrokenFactory : public GADMConnectionFactory {
  public:
    std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest&, const std::shared_ptr<net::URLConnectionDelegate>&) override {
        return nullptr;
    }
    std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest&, const std::shared_ptr<net::URLConnectionDelegate>&, bool) override {
        return nullptr;
    }
};

class GADURLConnectionTest : public testing::Test {
  protected:
    void SetUp() override {
        GADURLConnection::clearCache();
        auto& s = server.server();
        s.Get("/ad", [this](const httplib::Request&, httplib::Response& response) {
            response.set_header("Cache-Control", "max-age=60");
            response.set_content("ad-" + std::to_string(++adLoads), "text/html");
        });
        s.Get("/stale", [this](const httplib::Request&, httplib::Response& response) {
            response.set_header("Date", "Tue, 14 Nov 2023 22:11:20 GMT");
            response.set_header("Cache-Control", "max-age=60");
            response.set_content("stale-" + std::to_string(++adLoads), "text/html");
        });
        s.Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/ad", 302);
        });
        s.Get("/error", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("oops", "text/plain");
        });
        // Fails until `failing` is cleared, then succeeds; both answers
        // may be kept for a minute.
        s.Get("/flaky", [this](const httplib::Request&, httplib::Response& response) {
            response.set_header("Cache-Control", "max-age=60");
            response.status = failing ? 500 : 200;
            response.set_content((failing ? "down-" : "up-") + std::to_string(++adLoads),
                                 "text/plain");
        });
        s.Get("/latin1", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("caf\xe9", "text/plain");
        });
        server.start();
    }
    void TearDown() override { GADURLConnection::clearCache(); }

    URL url(const std::string& path) { return *URL::fromString(server.url(path)); }

    // Loads the URL on a new connection to the end.
    std::shared_ptr<RecordingDelegate> load(const std::string& path, bool allowCache) {
        auto recorder = std::make_shared<RecordingDelegate>();
        recorder->allowCache = allowCache;
        EXPECT_TRUE(std::make_shared<GADURLConnection>()->startWithURL(url(path), recorder));
        EXPECT_TRUE(recorder->waitForEnd()) << path;
        return recorder;
    }

    // What most tests load with.
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<GADURLConnection> connection = std::make_shared<GADURLConnection>();
    std::atomic<int> adLoads{0};
    std::atomic<bool> failing{true};
    testing_support::LocalServer server;
};

TEST_F(GADURLConnectionTest, FollowsAnAcceptedRedirectAndDeliversTheBodyWithItsURL) {
    ASSERT_TRUE(connection->startWithURL(url("/redirect"), delegate));
    EXPECT_TRUE(connection->isInProgress());
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"redirect? /ad", "redirected 302",
                                                          "cacheable? 200", "finish"}));
    EXPECT_EQ(delegate->body, "ad-1");
    EXPECT_EQ(delegate->baseURL, url("/ad"));
    EXPECT_FALSE(connection->isInProgress());
    EXPECT_FALSE(connection->sourceURL());
}

TEST_F(GADURLConnectionTest, ARefusedRedirectIsOneFailureAndNothingMore) {
    delegate->refuseRedirects = true;
    ASSERT_TRUE(connection->startWithURL(url("/redirect"), delegate));
    ASSERT_TRUE(delegate->waitForEnd());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"redirect? /ad", "fail"}));
    EXPECT_EQ(delegate->error, (foundation::Error{"test", 7, "refused"}));
    EXPECT_EQ(delegate->status, -1);
    EXPECT_FALSE(connection->isInProgress());
    EXPECT_EQ(adLoads, 0);
}

TEST_F(GADURLConnectionTest, CacheableResponsesAreSharedPerSlotUntilTheyExpire) {
    foundation::ManualClock clock;
    auto first = load("/ad?slotname=top&seq=1", true);
    EXPECT_EQ(first->events, (std::vector<std::string>{"cacheable? 200", "finish"}));
    EXPECT_EQ(first->body, "ad-1");

    // Another request of the same slot to the same endpoint: the stored body.
    auto second = load("/ad?slotname=top&seq=2", true);
    EXPECT_EQ(second->events, (std::vector<std::string>{"cacheable? 200", "cached", "finish"}));
    EXPECT_EQ(second->body, "ad-1");
    EXPECT_EQ(second->baseURL, url("/ad?slotname=top&seq=1"));

    // Another slot, or a load that does not allow the cache, goes to the server.
    EXPECT_EQ(load("/ad?slotname=side", true)->body, "ad-3");
    EXPECT_EQ(load("/ad?slotname=top&seq=3", false)->body, "ad-4");

    clock.advance(61);
    auto expired = load("/ad?slotname=top&seq=4", true);
    EXPECT_EQ(expired->events, (std::vector<std::string>{"cacheable? 200", "finish"}));
    EXPECT_EQ(expired->body, "ad-5");
}

TEST_F(GADURLConnectionTest, AResponseAlreadyExpiredIsNotStored) {
    foundation::ManualClock clock;
    EXPECT_EQ(load("/stale?slotname=s&n=1", true)->body, "stale-1");
    auto again = load("/stale?slotname=s&n=2", true);
    EXPECT_EQ(again->events, (std::vector<std::string>{"cacheable? 200", "finish"}));
    EXPECT_EQ(again->body, "stale-2");
}

TEST_F(GADURLConnectionTest, AReusedConnectionAnswersFromTheCacheWithoutTraffic) {
    delegate->allowCache = true;
    ASSERT_TRUE(connection->startWithURL(url("/ad?slotname=s"), delegate));
    ASSERT_TRUE(delegate->waitForEnd());
    delegate->events.clear();
    ASSERT_TRUE(connection->startWithURL(url("/ad?slotname=s"), delegate));
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"cached", "finish"}));
    EXPECT_EQ(delegate->body, "ad-1");
    EXPECT_FALSE(connection->isInProgress());
    EXPECT_EQ(adLoads, 1);
}

TEST_F(GADURLConnectionTest, ServerErrorsAndOtherBodiesAreFinishedLoads) {
    auto error = load("/error", false);
    EXPECT_EQ(error->events, (std::vector<std::string>{"cacheable? 500", "finish"}));
    EXPECT_EQ(error->body, "oops");
    auto latin1 = load("/latin1", false);
    EXPECT_EQ(latin1->events.back(), "finish");
    EXPECT_EQ(latin1->body, std::nullopt);
}

TEST_F(GADURLConnectionTest, OnlySuccessfulAnswersAreCachedAndAHitCarriesItsOwnStatus) {
    // Each load has its own address (so no other cache answers it) but one
    // slot name, so they share one entry here.
    auto down = load("/flaky?slotname=s&n=1", true);
    EXPECT_EQ(down->body, "down-1");
    EXPECT_EQ(down->finishedStatus, 500);

    // The failure was not kept: the server is asked again, and its success is kept.
    failing = false;
    auto up = load("/flaky?slotname=s&n=2", true);
    EXPECT_EQ(up->events, (std::vector<std::string>{"cacheable? 200", "finish"}));
    EXPECT_EQ(up->body, "up-2");

    // The server fails again; the stored success answers, with its own status.
    failing = true;
    auto hit = load("/flaky?slotname=s&n=3", true);
    EXPECT_EQ(hit->events, (std::vector<std::string>{"cacheable? 500", "cached", "finish"}));
    EXPECT_EQ(hit->body, "up-2");
    EXPECT_EQ(hit->finishedStatus, 200);
}

TEST_F(GADURLConnectionTest, ATransportFailureCarriesNoStatus) {
    const std::string address = server.url("/ad");
    server.stop();
    ASSERT_TRUE(connection->startWithURL(*URL::fromString(address), delegate));
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail"});
    ASSERT_TRUE(delegate->error);
    EXPECT_EQ(delegate->error->domain, "NSURLErrorDomain");
    EXPECT_EQ(delegate->status, -1);
}

TEST_F(GADURLConnectionTest, RefusesASecondStartWhileLoading) {
    ASSERT_TRUE(connection->startWithURL(url("/ad"), delegate));
    foundation::Error error;
    EXPECT_FALSE(connection->startWithURL(url("/error"), delegate, &error));
    EXPECT_EQ(error, (foundation::Error{kGADErrorDomain, kGADErrorNetworkError,
                                        "Ignoring -- Currently loading " + server.url("/ad")}));
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->body, "ad-1");
}

TEST_F(GADURLConnectionTest, AConnectionThatCannotBeMadeFailsOnceAndIsNotLeftLoading) {
    GADMNSURLConnectionFactory::setSharedFactory(std::make_shared<BrokenFactory>());
    EXPECT_TRUE(connection->startWithURL(url("/ad"), delegate));
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail"});
    EXPECT_FALSE(delegate->error);
    EXPECT_EQ(delegate->status, -1);
    EXPECT_FALSE(connection->isInProgress());
    foundation::Error error;
    EXPECT_TRUE(connection->startWithURL(url("/ad"), delegate, &error));
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"fail", "fail"}));
    GADMNSURLConnectionFactory::setSharedFactory(nullptr);
}

TEST_F(GADURLConnectionTest, RequestsCarryTheUserAgentAndAPostItsBody) {
    GADDevice::currentDevice().setUserAgentString("TestAgent/1.0");
    const net::URLRequest get = connection->requestForURL(url("/ad"), std::nullopt, "text/plain");
    EXPECT_EQ(get.httpMethod(), "GET");
    EXPECT_EQ(get.valueForHTTPHeaderField("User-Agent"), "TestAgent/1.0");
    EXPECT_FALSE(get.valueForHTTPHeaderField("Content-Length"));
    EXPECT_FALSE(get.valueForHTTPHeaderField("Content-Type"));
    EXPECT_TRUE(get.httpBody().empty());

    const foundation::Data body{'{', '"', 0xc3, 0xa9, '"', '}'};
    const net::URLRequest post = connection->requestForURL(url("/ad"), body, "application/json");
    EXPECT_EQ(post.httpMethod(), "POST");
    EXPECT_EQ(post.httpBody(), body);
    EXPECT_EQ(post.valueForHTTPHeaderField("Content-Length"), "6");
    EXPECT_EQ(post.valueForHTTPHeaderField("Content-Type"), "application/json");
}

TEST(GADURLConnectionCacheKey, OneKeyPerHostPathAndSlot) {
    auto key = [](const char* text) {
        return GADURLConnection::cacheKeyForURL(*URL::fromString(text));
    };
    EXPECT_EQ(key("http://a.example/ad?slotname=s&x=1"),
              key("https://a.example/ad?x=2&slotname=s"));
    EXPECT_NE(key("http://a.example/ad?slotname=s"), key("http://a.example/ad?slotname=t"));
    EXPECT_NE(key("http://a.example/ad?slotname=s"), key("http://a.example/other?slotname=s"));
    EXPECT_EQ(key("http://a.example/ad?slotname=s"),
              GADStringNumberAdditions::gad_MD5String("a.example/ads"));
    EXPECT_EQ(key("http://a.example/ad?x=1"),
              GADStringNumberAdditions::gad_MD5String("http://a.example/ad?x=1"));
}

}  // namespace
