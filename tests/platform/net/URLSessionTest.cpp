#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/URLSession.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using foundation::URL;
using net::URLRequest;
using net::URLSession;
using testing_support::LocalServer;

namespace {

struct Outcome {
    int calls = 0;
    std::string body;
    std::optional<net::URLResponse> response;
    std::optional<net::URLError> error;
};

net::URLSessionDataTask::CompletionHandler recordInto(Outcome& outcome) {
    return [&outcome](const foundation::Data& data, const std::optional<net::URLResponse>& response,
                      const std::optional<net::URLError>& error) {
        ++outcome.calls;
        outcome.body.assign(data.begin(), data.end());
        outcome.response = response;
        outcome.error = error;
    };
}

class URLSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Get("/page", [this](const httplib::Request& request, httplib::Response& response) {
            ++hits;
            response.set_header("Cache-Control", "max-age=60");
            response.set_content("page " + request.get_header_value("X-App"), "text/plain");
        });
        s.Get("/private", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_header("Cache-Control", "no-store");
            response.set_content("secret", "text/plain");
        });
        s.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/page", 301);
        });
        s.Get("/slow", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            response.set_content("late", "text/plain");
        });
        server.start();
        net::URLCache::shared().removeAllCachedResponses();
    }

    std::shared_ptr<URLSession> mainSession(
        std::shared_ptr<net::URLSessionDelegate> delegate = nullptr) {
        net::URLSessionConfiguration configuration;
        configuration.httpAdditionalHeaders.set("X-App", "barcodes");
        return URLSession::make(configuration, std::move(delegate),
                                foundation::DispatchQueue::main());
    }

    static void wait(const Outcome& outcome) {
        RunLoop::main().runUntil([&] { return outcome.calls > 0; }, 10);
        RunLoop::main().runFor(0.05);
    }

    LocalServer server;
    std::atomic<int> hits{0};
};

TEST_F(URLSessionTest, DataTaskStartsOnResumeAndCompletesOnceWithSessionHeaders) {
    auto session = mainSession();
    Outcome outcome;
    auto task =
        session->dataTaskWithURL(*URL::fromString(server.url("/page")), recordInto(outcome));
    EXPECT_EQ(task->state(), net::URLSessionDataTask::State::suspended);
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(hits, 0);

    task->resume();
    wait(outcome);
    EXPECT_EQ(outcome.calls, 1);
    EXPECT_EQ(outcome.body, "page barcodes");
    EXPECT_EQ(outcome.response->statusCode(), 200);
    EXPECT_FALSE(outcome.error);
    EXPECT_EQ(task->state(), net::URLSessionDataTask::State::completed);
}

TEST_F(URLSessionTest, CancelReportsCancelledExactlyOnce) {
    auto session = mainSession();
    Outcome outcome;
    auto task =
        session->dataTaskWithURL(*URL::fromString(server.url("/slow")), recordInto(outcome));
    task->resume();
    task->cancel();
    task->cancel();
    wait(outcome);
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(outcome.calls, 1);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->code, net::URLErrorCode::cancelled);
}

TEST_F(URLSessionTest, DelegateCanStopAtARedirect) {
    struct Refuser : net::URLSessionDelegate {
        int asked = 0;
        std::optional<URLRequest> willPerformHTTPRedirection(URLSession&, net::URLSessionDataTask&,
                                                             const net::URLResponse& response,
                                                             const URLRequest&) override {
            ++asked;
            EXPECT_EQ(response.statusCode(), 301);
            return std::nullopt;
        }
    };
    auto refuser = std::make_shared<Refuser>();
    auto session = mainSession(refuser);
    Outcome outcome;
    session->dataTaskWithURL(*URL::fromString(server.url("/moved")), recordInto(outcome))->resume();
    wait(outcome);
    EXPECT_EQ(refuser->asked, 1);
    EXPECT_EQ(outcome.response->statusCode(), 301);
    EXPECT_EQ(hits, 0);
}

TEST_F(URLSessionTest, CachePoliciesAnswerFromTheSharedCache) {
    auto session = mainSession();
    auto load = [&](const std::string& path, net::URLRequestCachePolicy policy) {
        Outcome outcome;
        session
            ->dataTaskWithRequest(URLRequest(*URL::fromString(server.url(path)), policy),
                                  recordInto(outcome))
            ->resume();
        wait(outcome);
        return outcome;
    };
    using Policy = net::URLRequestCachePolicy;

    // Not cached yet: the don't-load policy fails without traffic.
    auto offline = load("/page", Policy::returnCacheDataDontLoad);
    ASSERT_TRUE(offline.error);
    EXPECT_EQ(offline.error->code, net::URLErrorCode::resourceUnavailable);
    EXPECT_EQ(hits, 0);

    EXPECT_EQ(load("/page", Policy::useProtocolCachePolicy).body, "page barcodes");
    EXPECT_EQ(hits, 1);
    // Fresh by max-age: answered from the cache.
    EXPECT_EQ(load("/page", Policy::useProtocolCachePolicy).body, "page barcodes");
    EXPECT_EQ(load("/page", Policy::returnCacheDataDontLoad).body, "page barcodes");
    EXPECT_EQ(hits, 1);
    // Reloading ignores it.
    load("/page", Policy::reloadIgnoringLocalCacheData);
    EXPECT_EQ(hits, 2);

    // no-store is never kept.
    load("/private", Policy::useProtocolCachePolicy);
    load("/private", Policy::returnCacheDataElseLoad);
    EXPECT_EQ(hits, 4);
}

TEST_F(URLSessionTest, InvalidatedSessionCancelsNewTasks) {
    auto session = mainSession();
    session->invalidateAndCancel();
    Outcome outcome;
    session->dataTaskWithURL(*URL::fromString(server.url("/page")), recordInto(outcome))->resume();
    wait(outcome);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->code, net::URLErrorCode::cancelled);
    EXPECT_EQ(hits, 0);
}

}  // namespace
