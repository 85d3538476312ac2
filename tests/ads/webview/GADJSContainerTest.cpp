#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ads/webview/GADJSContainer.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;

namespace {

foundation::Data bytes(const std::string& text) {
    return foundation::Data(text.begin(), text.end());
}

constexpr const char* kPage = "<html><head><script>var ran = [];</script></head></html>";
constexpr const char* kFallback =
    "<html><head><script>var ran = ['fallback'];</script></head></html>";

class RecordingDelegate : public GADJSContainerDelegate {
  public:
    void didStartLoadInJSContainer(GADJSContainer&) override { ++starts; }
    void didFinishLoadInJSContainer(GADJSContainer&) override { ++finishes; }
    std::optional<bool> containerShouldStartLoadWithRequest(GADJSContainer&,
                                                            const net::URLRequest& request,
                                                            web::NavigationType) override {
        asked.push_back(request.url()->absoluteString());
        return allow;
    }
    int starts = 0;
    int finishes = 0;
    std::vector<std::string> asked;
    std::optional<bool> allow = false;
};

class GADJSContainerTest : public testing::Test {
  protected:
    void SetUp() override {
        server.serve("/page", 200, kPage);
        server.start();
    }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    std::shared_ptr<GADJSContainer> make(const std::string& url,
                                         const std::string& fallback = kFallback) {
        return GADJSContainer::make(foundation::URL::fromString(url), bytes(fallback));
    }
    static bool waitUntilLoaded(GADJSContainer& container) {
        return RunLoop::main().runUntil(
            [&] { return container.isLoaded() && !container.webView()->isLoading(); }, 10);
    }
    static std::string ran(GADJSContainer& container) {
        return container.stringByEvaluatingJavaScriptFromString("ran.join(',')");
    }

    foundation::ManualClock clock;
    testing_support::LocalServer server;
};

TEST_F(GADJSContainerTest, ExpressionsWaitForThePageAndRunInOrder) {
    auto container = make(server.url("/page"));
    EXPECT_TRUE(container->webView()->isHidden());
    // Before any page the blank document answers.
    EXPECT_EQ(container->stringByEvaluatingJavaScriptFromString("6 * 7"), "42");
    EXPECT_FALSE(container->invokeJavaScriptFromString("ran.push('a')"));
    EXPECT_FALSE(container->invokeJavaScriptFromString("throw new Error('broken')"));
    EXPECT_FALSE(container->invokeJavaScriptFromString("ran.push('b')"));
    ASSERT_TRUE(waitUntilLoaded(*container));
    EXPECT_EQ(container->pendingExpressionCount(), 0u);
    // A throwing expression stops nothing after it.
    EXPECT_EQ(ran(*container), "a,b");
    EXPECT_TRUE(container->invokeJavaScriptFromString("ran.push('c')"));
    EXPECT_TRUE(container->invokeJavaScriptFromString("throw 1"));
    EXPECT_EQ(ran(*container), "a,b,c");
}

TEST_F(GADJSContainerTest, AtMostFiftyExpressionsWaitTheOldestGoingFirst) {
    auto container = make(server.url("/page"));
    for (int i = 0; i < 51; ++i) {
        container->invokeJavaScriptFromString("ran.push(" + std::to_string(i) + ")");
    }
    EXPECT_EQ(container->pendingExpressionCount(), GADJSContainer::kMaxPendingExpressions);
    ASSERT_TRUE(waitUntilLoaded(*container));
    EXPECT_EQ(container->stringByEvaluatingJavaScriptFromString("ran.length + ':' + ran[0]"),
              "50:1");
}

TEST_F(GADJSContainerTest, AFailedPageIsReplacedByTheFallbackOnce) {
    struct Case {
        const char* name;
        bool answers;  // false: the server takes the connection and never answers
    };
    for (const Case c : {Case{"refused", true}, Case{"never answers", false}}) {
        testing_support::LocalServer silent;
        const std::string url =
            c.answers ? "http://127.0.0.1:1/page" : silent.url("/page");  // silent never starts
        auto container = make(url);
        container->invokeJavaScriptFromString("ran.push('queued')");
        if (!c.answers) {
            RunLoop::main().runUntilIdle();
            EXPECT_FALSE(container->isLoaded()) << c.name;
            // The load starts on a worker thread at a moment of its own: time
            // moves on until it has timed out.
            for (int i = 0; i < 30 && !container->isLoaded(); ++i) {
                clock.advance(1);
                RunLoop::main().runUntil([&] { return container->isLoaded(); }, 2);
            }
            EXPECT_GT(clock.elapsed(), GADJSContainer::kLoadTimeout) << c.name;
        }
        ASSERT_TRUE(waitUntilLoaded(*container)) << c.name;
        EXPECT_EQ(ran(*container), "fallback,queued") << c.name;
        // The fallback's base is the page's address.
        EXPECT_EQ(container->webView()->URL()->absoluteString(), url) << c.name;
        // A later failure reloads nothing.
        container->webView()->loadRequest(
            net::URLRequest(*foundation::URL::fromString("http://127.0.0.1:1/other")));
        RunLoop::main().runUntil([&] { return !container->webView()->isLoading(); }, 10);
        EXPECT_EQ(container->webView()->URL()->absoluteString(), url) << c.name;
    }
}

TEST_F(GADJSContainerTest, ExpressionsAreDroppedOnceTheFallbackHasFailed) {
    testing_support::LocalServer silent;
    // The fallback waits for a picture that never comes, and is then stopped.
    const std::string fallback =
        "<html><body><img src='" + silent.url("/slow.png") + "'></body></html>";
    auto container = make("http://127.0.0.1:1/page", fallback);
    container->invokeJavaScriptFromString("ran.push('early')");
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            return container->webView()->isLoading() &&
                   container->stringByEvaluatingJavaScriptFromString("document.images.length") ==
                       "1";
        },
        10));
    container->webView()->stopLoading();
    RunLoop::main().runUntilIdle();
    EXPECT_FALSE(container->isLoaded());
    EXPECT_EQ(container->pendingExpressionCount(), 0u);
    EXPECT_FALSE(container->invokeJavaScriptFromString("ran.push('late')"));
    EXPECT_EQ(container->pendingExpressionCount(), 0u);
}

TEST_F(GADJSContainerTest, TheDelegateHearsOfLoadsAfterTheFirstAndDecidesTheirNavigations) {
    auto container = make(server.url("/page"));
    auto delegate = std::make_shared<RecordingDelegate>();
    container->setDelegate(delegate);
    ASSERT_TRUE(waitUntilLoaded(*container));
    // The first load belongs to the container.
    EXPECT_EQ(delegate->starts, 0);
    EXPECT_EQ(delegate->finishes, 1);
    EXPECT_TRUE(delegate->asked.empty());

    container->stringByEvaluatingJavaScriptFromString("location.href = '" +
                                                      server.url("/page?refused") + "'");
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(delegate->asked.size(), 1u);
    EXPECT_EQ(delegate->starts, 0);

    delegate->allow = std::nullopt;  // no answer allows
    container->stringByEvaluatingJavaScriptFromString("location.href = '" +
                                                      server.url("/page?allowed") + "'");
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return delegate->finishes == 2; }, 10));
    EXPECT_EQ(delegate->starts, 1);
}

TEST_F(GADJSContainerTest, WorksFromAnotherThread) {
    auto container = make(server.url("/page"));
    // Runs `work` on a thread of its own while the main run loop turns.
    auto onWorker = [](const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
        });
        const bool finished = RunLoop::main().runUntil([&] { return done.load(); }, 10);
        worker.join();
        return finished;
    };
    bool ranNow = true;
    ASSERT_TRUE(onWorker([&] { ranNow = container->invokeJavaScriptFromString("ran.push('w')"); }));
    EXPECT_FALSE(ranNow);
    ASSERT_TRUE(waitUntilLoaded(*container));
    std::string answer;
    ASSERT_TRUE(onWorker([&] {
        ranNow = container->invokeJavaScriptFromString("ran.push('again')");
        answer = container->stringByEvaluatingJavaScriptFromString("ran.join(',')");
    }));
    EXPECT_TRUE(ranNow);
    EXPECT_EQ(answer, "w,again");
}

}  // namespace
