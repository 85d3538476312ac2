#include <gtest/gtest.h>

#include <condition_variable>
#include <fstream>
#include <mutex>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/net/URLConnection.h"
#include "platform/net/UserAgent.h"
#include "tests/platform/net/RecordingDelegate.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using foundation::URL;
using net::URLConnection;
using net::URLRequest;
using testing_support::LocalServer;
using testing_support::RecordingDelegate;

namespace {

URLRequest requestFor(const std::string& text) {
    return URLRequest(*URL::fromString(text),
                      net::URLRequestCachePolicy::reloadIgnoringLocalCacheData);
}

class URLConnectionTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Get("/hello", [](const httplib::Request& request, httplib::Response& response) {
            response.set_header("X-Agent", request.get_header_value("User-Agent"));
            response.set_content("hello world", "text/html; charset=UTF-8");
        });
        s.Post("/echo", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.method + ":" + request.body, "text/plain");
        });
        s.Get("/echo", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.method + ":" + request.body, "text/plain");
        });
        s.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("nope", "text/plain");
        });
        s.Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/hello", 302);
        });
        s.Post("/see-other", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/echo", 303);
        });
        s.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/loop", 302);
        });
        s.Get("/big", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(300000, 'x'), "application/octet-stream");
        });
        s.Get("/stall", [this](const httplib::Request&, httplib::Response& response) {
            std::unique_lock lock(stallMutex);
            stallArrived = true;
            stallReleased.wait(lock, [this] { return stallRelease; });
            response.set_content("late", "text/plain");
        });
        server.start();
    }
    void TearDown() override { releaseStall(); }

    bool stallHasArrived() {
        std::lock_guard lock(stallMutex);
        return stallArrived;
    }
    void releaseStall() {
        {
            std::lock_guard lock(stallMutex);
            stallRelease = true;
        }
        stallReleased.notify_all();
    }

    std::mutex stallMutex;
    std::condition_variable stallReleased;
    bool stallArrived = false;
    bool stallRelease = false;
    LocalServer server;
};

TEST_F(URLConnectionTest, DeliversSendResponseDataFinishInOrderOnTheMainThread) {
    auto delegate = std::make_shared<RecordingDelegate>();
    bool allOnMain = true;
    delegate->onData = [&](URLConnection&) {
        allOnMain = allOnMain && foundation::Thread::isMainThread();
    };
    auto connection = URLConnection::make(requestFor(server.url("/hello")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());

    EXPECT_EQ(delegate->events, (std::vector<std::string>{"send", "response", "data", "finish"}));
    EXPECT_TRUE(allOnMain);
    EXPECT_EQ(delegate->body, "hello world");
    const auto& response = delegate->responses.at(0);
    EXPECT_EQ(response.statusCode(), 200);
    EXPECT_EQ(response.mimeType(), "text/html");
    EXPECT_EQ(response.textEncodingName(), "utf-8");
    // Header names are looked up without case.
    EXPECT_EQ(response.valueForHTTPHeaderField("content-TYPE"), "text/html; charset=UTF-8");
    EXPECT_EQ(response.valueForHTTPHeaderField("X-Agent"), net::defaultUserAgent());
}

TEST_F(URLConnectionTest, HTTPErrorStatusIsAResponseNotAFailure) {
    auto delegate = std::make_shared<RecordingDelegate>();
    URLConnection::make(requestFor(server.url("/missing")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events.back(), "finish");
    EXPECT_EQ(delegate->responses.at(0).statusCode(), 404);
    EXPECT_EQ(delegate->body, "nope");
}

TEST_F(URLConnectionTest, PostSendsBodyAndSeeOtherTurnsItIntoGet) {
    auto request = requestFor(server.url("/echo"));
    request.setHTTPMethod("post");
    request.setHTTPBody({'a', '=', '1'});
    EXPECT_EQ(URLConnection::sendSynchronousRequest(request).data,
              (foundation::Data{'P', 'O', 'S', 'T', ':', 'a', '=', '1'}));

    request.setURL(URL::fromString(server.url("/see-other")));
    auto delegate = std::make_shared<RecordingDelegate>();
    URLConnection::make(request, delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->body, "GET:");
}

TEST_F(URLConnectionTest, RedirectIsAskedOfTheDelegateAndFollowed) {
    auto delegate = std::make_shared<RecordingDelegate>();
    auto connection = URLConnection::make(requestFor(server.url("/redirect")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events,
              (std::vector<std::string>{"send", "redirect", "response", "data", "finish"}));
    EXPECT_EQ(delegate->redirectsAsked, std::vector<std::string>{server.url("/hello")});
    EXPECT_EQ(delegate->body, "hello world");
    EXPECT_EQ(connection->currentRequest().url()->absoluteString(), server.url("/hello"));
}

TEST_F(URLConnectionTest, RefusedRedirectDeliversTheRedirectResponse) {
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->refuseRedirects = true;
    URLConnection::make(requestFor(server.url("/redirect")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events.back(), "finish");
    ASSERT_EQ(delegate->responses.size(), 1u);
    EXPECT_EQ(delegate->responses[0].statusCode(), 302);
}

TEST_F(URLConnectionTest, EndlessRedirectsFailWithTooManyRedirects) {
    auto delegate = std::make_shared<RecordingDelegate>();
    URLConnection::make(requestFor(server.url("/loop")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    ASSERT_TRUE(delegate->error);
    EXPECT_EQ(delegate->error->code, net::URLErrorCode::httpTooManyRedirects);
    EXPECT_EQ(delegate->redirectsAsked.size(), std::size_t(URLConnection::kMaximumRedirects));
}

TEST_F(URLConnectionTest, FailuresCarryTheURLLoadingDomainCodeAndURL) {
    LocalServer closed;
    closed.start();
    const std::string closedURL = closed.url("/x");
    closed.stop();

    const std::string https = "https://127.0.0.1:" + std::to_string(server.port()) + "/hello";
    struct Case {
        const char* rule;
        URLRequest request;
        long code;
    };
    const std::vector<Case> cases = {
        {"no server listening", requestFor(closedURL), net::URLErrorCode::cannotConnectToHost},
        {"TLS against a plain server", requestFor(https),
         net::URLErrorCode::secureConnectionFailed},
        {"scheme nobody loads", requestFor("gmsg://ad/open?u=x"),
         net::URLErrorCode::unsupportedURL},
        {"request without a URL", URLRequest(), net::URLErrorCode::badURL},
        {"missing file", requestFor("file:///nonexistent/page.html"),
         net::URLErrorCode::fileDoesNotExist},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        auto result = URLConnection::sendSynchronousRequest(c.request);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->domain, "NSURLErrorDomain");
        EXPECT_EQ(result.error->code, c.code);
        if (c.request.url()) {
            EXPECT_EQ(result.error->failingURLString, c.request.url()->absoluteString());
        }
    }
}

TEST_F(URLConnectionTest, IdleRequestTimesOutOnTheRunLoopClock) {
    foundation::ManualClock clock;
    auto request = requestFor(server.url("/stall"));
    request.setTimeoutInterval(30);
    auto delegate = std::make_shared<RecordingDelegate>();
    auto connection = URLConnection::make(request, delegate);
    RunLoop::main().runUntil([&] { return stallHasArrived(); }, 10);
    clock.advance(31);
    EXPECT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"send", "fail"}));
    ASSERT_TRUE(delegate->error);
    EXPECT_EQ(delegate->error->code, net::URLErrorCode::timedOut);
}

TEST_F(URLConnectionTest, CancelInsideACallbackStopsEveryLaterCallback) {
    auto delegate = std::make_shared<RecordingDelegate>();
    delegate->onData = [](URLConnection& connection) { connection.cancel(); };
    std::weak_ptr<RecordingDelegate> weak = delegate;
    auto connection = URLConnection::make(requestFor(server.url("/big")), delegate);
    delegate.reset();
    RunLoop::main().runFor(0.5);
    auto alive = weak.lock();
    // The cancelled connection let go of its delegate, which only this test held.
    EXPECT_FALSE(alive);
}

TEST_F(URLConnectionTest, RunningConnectionKeepsItselfAndItsDelegateAlive) {
    auto delegate = std::make_shared<RecordingDelegate>();
    URLConnection::make(requestFor(server.url("/hello")), delegate);
    ASSERT_TRUE(delegate->waitForEnd());
    EXPECT_EQ(delegate->events.back(), "finish");
}

TEST_F(URLConnectionTest, FileURLsAreReadWithTheirMIMEType) {
    const std::string path = foundation::ApplicationHome::temporary() + "/page.xhtml";
    std::ofstream(path) << "<html/>";
    auto result = URLConnection::sendSynchronousRequest(URLRequest(URL::fileURL(path)));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.response->mimeType(), "application/xhtml+xml");
    EXPECT_EQ(std::string(result.data.begin(), result.data.end()), "<html/>");
}

TEST_F(URLConnectionTest, AsynchronousRequestCompletesOnceOnTheGivenQueue) {
    int calls = 0;
    std::string body;
    URLConnection::sendAsynchronousRequest(requestFor(server.url("/hello")),
                                           foundation::DispatchQueue::main(),
                                           [&](const URLConnection::Result& result) {
                                               ++calls;
                                               body.assign(result.data.begin(), result.data.end());
                                           });
    RunLoop::main().runUntil([&] { return calls > 0; }, 10);
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(body, "hello world");
}

}  // namespace
