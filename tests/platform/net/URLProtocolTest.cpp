#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/Thread.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLProtocol.h"
#include "tests/support/LocalServer.h"

using foundation::URL;
using net::URLConnection;
using net::URLProtocol;
using net::URLRequest;

namespace {

// Answers requests for "*.js" with a script of its own, as an interceptor of
// ad scripts does, and records the thread it ran on.
class ScriptProtocol : public URLProtocol {
  public:
    static inline std::atomic<bool> ranOnMain{false};
    static inline std::atomic<int> stops{0};

    using URLProtocol::URLProtocol;

    static bool canInitWithRequest(const URLRequest& request) {
        return request.url() && request.url()->pathExtension() == "js" &&
               request.property("handled").isNull();
    }
    void startLoading() override {
        ranOnMain = foundation::Thread::isMainThread();
        const std::string text = "var intercepted = true;";
        client().didReceiveResponse(*this,
                                    net::URLResponse(*request().url(), "application/javascript",
                                                     static_cast<long long>(text.size()), "utf-8"));
        client().didLoadData(*this, foundation::Data(text.begin(), text.end()));
        client().didFinishLoading(*this);
    }
    void stopLoading() override { ++stops; }
};

class ThrowingProtocol : public URLProtocol {
  public:
    using URLProtocol::URLProtocol;
    static bool canInitWithRequest(const URLRequest&) { throw std::runtime_error("broken"); }
    void startLoading() override {}
    void stopLoading() override {}
};

class URLProtocolTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get(R"(/.*)",
                            [](const httplib::Request& request, httplib::Response& response) {
                                response.set_content("from server " + request.path, "text/plain");
                            });
        server.start();
    }
    void TearDown() override { URLProtocol::unregisterAllClasses(); }

    testing_support::LocalServer server;
};

TEST_F(URLProtocolTest, RegisteredProtocolAnswersWhatItAcceptsOffTheMainThread) {
    URLProtocol::registerClass<ThrowingProtocol>("throwing");
    URLProtocol::registerClass<ScriptProtocol>("script");

    auto intercepted = URLConnection::sendSynchronousRequest(
        URLRequest(*URL::fromString(server.url("/mraid.js"))));
    ASSERT_FALSE(intercepted.error);
    EXPECT_EQ(std::string(intercepted.data.begin(), intercepted.data.end()),
              "var intercepted = true;");
    EXPECT_EQ(intercepted.response->mimeType(), "application/javascript");
    EXPECT_FALSE(ScriptProtocol::ranOnMain);

    // A request the protocol marked as its own, and one it does not take, go to the network;
    // a class whose test throws is skipped.
    URLRequest marked(*URL::fromString(server.url("/mraid.js")));
    marked.setProperty("handled", true);
    auto passed = URLConnection::sendSynchronousRequest(marked);
    EXPECT_EQ(std::string(passed.data.begin(), passed.data.end()), "from server /mraid.js");
    auto plain = URLConnection::sendSynchronousRequest(
        URLRequest(*URL::fromString(server.url("/page.html"))));
    EXPECT_EQ(std::string(plain.data.begin(), plain.data.end()), "from server /page.html");
}

TEST_F(URLProtocolTest, UnregisteredProtocolIsNoLongerAsked) {
    URLProtocol::registerClass<ScriptProtocol>("script");
    URLProtocol::unregisterClass("script");
    auto result =
        URLConnection::sendSynchronousRequest(URLRequest(*URL::fromString(server.url("/a.js"))));
    EXPECT_EQ(std::string(result.data.begin(), result.data.end()), "from server /a.js");
}

}  // namespace
