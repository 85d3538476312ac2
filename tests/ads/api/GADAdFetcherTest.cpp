#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdFetcher.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADURLConnection.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::RunLoop;
using foundation::URL;

class RecordingDelegate : public GADAdFetcherDelegate {
  public:
    void adFetcherDidFetchAd(GADAdFetcher&, const std::shared_ptr<GADAd>&) override {
        outcomes.push_back("ad");
    }
    void adFetcherDidFailToFetchAdWithError(
        GADAdFetcher&, const std::shared_ptr<GADRequestError>& error) override {
        outcomes.push_back("error " + std::to_string(error->code()));
        lastError = error;
    }
    std::vector<std::string> outcomes;
    std::shared_ptr<GADRequestError> lastError;
};

class LogRecorder : public GADLogChecker {
  public:
    void message(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

std::vector<std::string> texts(const GADAd::URLSet& urls) {
    std::vector<std::string> result;
    for (const auto& url : urls) {
        result.push_back(url.absoluteString());
    }
    return result;
}

class GADAdFetcherTest : public testing::Test {
  protected:
    // An ad that carries its HTML, so the fetcher loads nothing.
    static std::shared_ptr<GADAd> adWithHTML() {
        auto ad = std::make_shared<GADAd>();
        ad->setAdHTML("<p>ad</p>");
        return ad;
    }
    static std::shared_ptr<GADAd> adAt(const std::string& url) {
        auto ad = std::make_shared<GADAd>();
        ad->setAdURL(URL::fromString(url));
        return ad;
    }
    bool fetch(const std::shared_ptr<GADAd>& ad, const std::optional<Dictionary>& headers = {}) {
        return fetcher->fetchRemainingContentForAd(ad, headers, delegate, request);
    }
    void waitForOutcome() {
        RunLoop::main().runUntil([this] { return !delegate->outcomes.empty(); }, 10);
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<GADAdFetcher> fetcher = std::make_shared<GADAdFetcher>();
    std::shared_ptr<GADRequest> request = GADRequest::request();
    testing_support::LocalServer server;
};

TEST_F(GADAdFetcherTest, AnAdWithHTMLIsReportedAfterTheFetchReturns) {
    auto ad = adWithHTML();
    ad->setAdURL(URL::fromString(server.url("/never")));  // not loaded: the HTML is there
    EXPECT_TRUE(fetch(ad, Dictionary{{"X-Vira-Refresh-Rate", "45"}}));
    EXPECT_TRUE(delegate->outcomes.empty());
    EXPECT_FALSE(fetcher->adConnection()->isInProgress());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->outcomes, std::vector<std::string>{"ad"});
    EXPECT_EQ(ad->responseType(), kGADAdResponseTypeHTML);
    EXPECT_EQ(ad->reloadInterval(), 45);
    EXPECT_FALSE(fetcher->timer()->isActive());
}

TEST_F(GADAdFetcherTest, ResponseTypeFollowsTheHeadersAndNeedsJSONForMediationAndNative) {
    struct Case {
        const char* name;
        Dictionary headers;
        std::uint64_t type;
        std::vector<std::string> outcomes;
    };
    const Case cases[] = {
        {"plain", {}, kGADAdResponseTypeHTML, {"ad"}},
        {"mediation with JSON",
         {{"X-Vira-Mediation", "1"}, {"Content-Type", "application/json; charset=utf-8"}},
         kGADAdResponseTypeMediation,
         {"ad"}},
        {"mediation with HTML",
         {{"X-Vira-Mediation", "true"}, {"Content-Type", "text/html"}},
         kGADAdResponseTypeUnclassified,
         {"error 3"}},
        {"native with JSON",
         {{"X-Vira-Native", "1"}, {"content-type", "application/json"}},
         kGADAdResponseTypeNative,
         {"ad"}},
        {"native without a content type", {{"X-Vira-Native", "1"}}, 0, {"error 3"}},
        {"custom rendering with HTML",
         {{"X-Vira-Custom-Rendering-Allowed", "1"}, {"Content-Type", "text/html"}},
         kGADAdResponseTypeCustomRendering,
         {"ad"}},
        {"mediation before native",
         {{"X-Vira-Native", "1"}, {"X-Vira-Mediation", "1"}, {"Content-Type", "application/json"}},
         kGADAdResponseTypeMediation,
         {"ad"}},
        {"false flags", {{"X-Vira-Mediation", "0"}, {"X-Vira-Native", "no"}}, 1, {"ad"}},
    };
    for (const Case& c : cases) {
        delegate = std::make_shared<RecordingDelegate>();
        fetcher = std::make_shared<GADAdFetcher>();
        auto ad = adWithHTML();
        fetch(ad, c.headers);
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(ad->responseType(), c.type) << c.name;
        EXPECT_EQ(delegate->outcomes, c.outcomes) << c.name;  // once: the failure cancels
    }
}

TEST_F(GADAdFetcherTest, HeaderTableFillsTheAdAndTheUserDefaults) {
    auto ad = adWithHTML();
    ad->addImpressionURLsFromArray({*URL::fromString("https://t.example/earlier")});
    fetch(ad, Dictionary{
                  {"X-Vira-Click-Tracking-Urls", "https://t.example/c1  https://t.example/c2"},
                  {"X-Vira-Tracking-Urls", "https://t.example/i\thttps://t.example/i bad|url"},
                  {"X-Vira-Manual-Tracking-Urls", ""},
                  {"X-Vira-ActiveView", R"({"interval":[1,2]})"},
                  {"X-Vira-Orientation", "landscape"},
                  {"X-Vira-Interstitial-Timeout", "12.5"},
                  {"X-Vira-Refresh-Rate", "0"},
                  {"X-Vira-Debug-Dialog", "debug text"},
                  {"X-Vira-Ad-Size", "320x100"},
                  {"X-Vira-Disable-Activation-And-Scroll", "1"},
                  {"X-Vira-Use-HTTPS", "1"},
                  {"X-Vira-Swipe-To-View-Controller", R"({"swipe":true})"},
              });
    EXPECT_EQ(texts(ad->clickURLs()),
              (std::vector<std::string>{"https://t.example/c1", "https://t.example/c2"}));
    EXPECT_EQ(texts(ad->impressionURLs()),
              (std::vector<std::string>{"https://t.example/earlier", "https://t.example/i"}));
    EXPECT_TRUE(ad->manualImpressionURLs().empty());
    ASSERT_TRUE(ad->activeViewConfigurations());
    EXPECT_TRUE(ad->activeViewConfigurations()->contains("interval"));
    EXPECT_EQ(ad->supportedOrientations(), 3);
    EXPECT_EQ(foundation::UserDefaults::standard().doubleForKey("applicationTimeout"), 12.5);
    EXPECT_EQ(ad->reloadInterval(), 0);
    EXPECT_EQ(ad->debugDialog(), std::optional<std::string>("debug text"));
    EXPECT_EQ(ad->customAdSizeString(), std::optional<std::string>("320x100"));
    EXPECT_FALSE(ad->isScrollEnabled());
    EXPECT_TRUE(foundation::UserDefaults::standard().boolForKey("dezuvo_gad_use_https"));
    ASSERT_TRUE(ad->swipeToViewControllerConfigurations());
    EXPECT_TRUE(ad->swipeToViewControllerConfigurations()->get("swipe").boolValue());
}

TEST_F(GADAdFetcherTest, HeaderValuesThatChangeNothing) {
    auto ad = adWithHTML();
    ad->setReloadInterval(30);
    ad->setSupportedOrientations(2);
    fetch(ad, Dictionary{
                  {"X-Vira-Refresh-Rate", "-1"},
                  {"X-Vira-Orientation", "Portrait"},
                  {"X-Vira-Interstitial-Timeout", ""},
                  {"X-Vira-ActiveView", "not json"},
              });
    EXPECT_EQ(ad->reloadInterval(), 30);
    EXPECT_EQ(ad->supportedOrientations(), 2);
    EXPECT_TRUE(foundation::UserDefaults::standard().objectForKey("applicationTimeout").isNull());
    EXPECT_EQ(ad->activeViewConfigurations(), std::nullopt);
    EXPECT_TRUE(ad->isScrollEnabled());
    // Without the header the use of HTTPS is written down as off, once.
    EXPECT_FALSE(foundation::UserDefaults::standard().boolForKey("dezuvo_gad_use_https"));
    EXPECT_FALSE(
        foundation::UserDefaults::standard().objectForKey("dezuvo_gad_use_https").isNull());
    foundation::UserDefaults::standard().setBool("dezuvo_gad_use_https", true);
    auto other = std::make_shared<GADAdFetcher>();
    other->fetchRemainingContentForAd(adWithHTML(), Dictionary{}, delegate, request);
    EXPECT_TRUE(foundation::UserDefaults::standard().boolForKey("dezuvo_gad_use_https"));
}

TEST_F(GADAdFetcherTest, DownloadsTheAdAndAppliesTheHeadersOfEveryResponse) {
    server.server().Get("/first", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/ad");
        response.set_header("X-Vira-Click-Tracking-Urls", "https://t.example/redirect-click");
    });
    server.server().Get("/ad", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Vira-Tracking-Urls", "https://t.example/impression");
        response.set_header("X-Vira-Refresh-Rate", "60");
        response.set_content("<html><body>ad</body></html>", "text/html");
    });
    server.start();
    auto ad = adAt(server.url("/first"));
    EXPECT_TRUE(fetch(ad));
    waitForOutcome();
    EXPECT_EQ(delegate->outcomes, std::vector<std::string>{"ad"});
    EXPECT_EQ(ad->adHTML(), std::optional<std::string>("<html><body>ad</body></html>"));
    EXPECT_EQ(ad->adBaseURL()->absoluteString(), server.url("/ad"));
    EXPECT_EQ(texts(ad->clickURLs()), std::vector<std::string>{"https://t.example/redirect-click"});
    EXPECT_EQ(texts(ad->impressionURLs()),
              std::vector<std::string>{"https://t.example/impression"});
    EXPECT_EQ(ad->reloadInterval(), 60);
    EXPECT_TRUE(fetcher->adConnectionHasCompleted());
}

TEST_F(GADAdFetcherTest, FailedDownloadsAreReportedOnceWithTheirCodes) {
    auto log = std::make_shared<LogRecorder>();
    GADMacros::setLogChecker(log);
    server.serve("/400", 400, "bad parameters");
    server.serve("/404", 404, "<html>not found</html>");
    server.serve("/503", 503, "<html>busy</html>");
    server.serve("/empty", 200, "");
    server.serve("/blank-json", 200, "", "application/json");
    server.start();
    testing_support::LocalServer closed;  // its port refuses connections once it stopped
    closed.start();
    closed.stop();
    struct Case {
        std::string url;
        std::string outcome;
        std::string status;
    };
    const Case cases[] = {
        {server.url("/400"), "error 0", ""},
        {server.url("/404"), "error 3", "HTTP status 404: not found"},
        {server.url("/503"), "error 3", "HTTP status 503: service unavailable"},
        {server.url("/empty"), "error 1", ""},
        {closed.url("/ad"), "error 2", ""},
    };
    for (const Case& c : cases) {
        delegate = std::make_shared<RecordingDelegate>();
        fetcher = std::make_shared<GADAdFetcher>();
        auto ad = adAt(c.url);
        fetch(ad);
        waitForOutcome();
        EXPECT_EQ(delegate->outcomes, std::vector<std::string>{c.outcome}) << c.url;
        EXPECT_FALSE(ad->adHTML() && !ad->adHTML()->empty()) << c.url;  // never an error page
        ASSERT_NE(delegate->lastError, nullptr) << c.url;
        const auto& info = delegate->lastError->userInfo();
        auto status = info.find(kGADHttpStatusKey);
        EXPECT_EQ(status == info.end() ? "" : status->second.stringValue(), c.status) << c.url;
    }
    EXPECT_EQ(std::count(log->lines.begin(), log->lines.end(),
                         "Server rejected ad parameters. Typically this is because the ad unit "
                         "ID is incorrect."),
              1);
}

TEST_F(GADAdFetcherTest, AFetcherFetchesOnceAndCancelledFetchesStaySilent) {
    server.serve("/ad", 200, "<p>ad</p>");
    server.start();
    EXPECT_TRUE(fetch(adAt(server.url("/ad"))));
    GADRequestError error = GADRequestError::errorWithCode(kGADErrorInternalError);
    EXPECT_FALSE(
        fetcher->fetchRemainingContentForAd(adWithHTML(), std::nullopt, delegate, request, &error));
    EXPECT_EQ(error.code(), kGADErrorNetworkError);
    EXPECT_EQ(error.localizedDescription(),
              "Could not start fetch. This object has already been used to fetch.");
    fetcher->cancel();
    auto second = std::make_shared<GADAdFetcher>();
    second->fetchRemainingContentForAd(adWithHTML(), std::nullopt, delegate, request);
    second.reset();  // dropped before its turn: nothing is told
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(delegate->outcomes.empty());
}

TEST_F(GADAdFetcherTest, ACachedMediationAnswerIsJudgedByItsOwnStatus) {
    GADURLConnection::clearCache();
    std::atomic<int> status{500};
    server.server().Get("/mediation", [&](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_header("X-Vira-Mediation", "1");
        response.set_header("Cache-Control", "max-age=60");
        response.set_content(status == 200 ? R"({"ad":1})" : R"({"error":"server"})",
                             "application/json");
    });
    server.start();
    // Each fetch of the slot's mediation answer, with its outcome and the body the ad got.
    const struct {
        int status;
        std::string outcome;
        std::optional<std::string> html;
    } fetches[] = {
        {500, "error 3", std::nullopt},
        {200, "ad", R"({"ad":1})"},  // the failure was not kept
        {500, "ad", R"({"ad":1})"},  // the kept success answers
    };
    int n = 0;
    for (const auto& f : fetches) {
        status = f.status;
        delegate = std::make_shared<RecordingDelegate>();
        fetcher = std::make_shared<GADAdFetcher>();
        // One slot, so one cache entry; each its own address, as requests have.
        auto ad = adAt(server.url("/mediation?slotname=s&n=" + std::to_string(++n)));
        fetch(ad);
        waitForOutcome();
        EXPECT_EQ(delegate->outcomes, std::vector<std::string>{f.outcome}) << f.status;
        EXPECT_EQ(ad->adHTML(), f.html) << f.status;
    }
    GADURLConnection::clearCache();
}

TEST_F(GADAdFetcherTest, AnUnusableTypeFromTheDownloadStopsIt) {
    server.server().Get("/ad", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Vira-Mediation", "1");
        response.set_content("<html>not json</html>", "text/html");
    });
    server.start();
    fetch(adAt(server.url("/ad")));
    RunLoop::main().runUntil([this] { return !delegate->outcomes.empty(); }, 10);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->outcomes, std::vector<std::string>{"error 3"});
    EXPECT_FALSE(fetcher->adConnection()->isInProgress());
}

}  // namespace
