#include <gtest/gtest.h>

#include <mutex>

#include "platform/foundation/RunLoop.h"
#include "platform/net/CookieJar.h"
#include "platform/web/WebView.h"
#include "tests/platform/web/WebViewRecorder.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using foundation::URL;
using testing_support::LocalServer;
using testing_support::WebViewRecorder;
using web::WebView;

namespace {

// Frames in their own globals, images and pixels through the URL system, and
// document.cookie over the shared jar, against a loopback server.
class WebPageResourcesTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Get("/outer", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(
                "<script>var shared = 'outer';</script><iframe id='f' src='/child'></iframe>",
                "text/html");
        });
        s.Get("/child", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(
                "<script>leaked = 'child'; var shared = 'child';"
                "parent.fromChild = location.href + ' ' + (top === parent) + ' ' + parent.shared;"
                "location.href = 'gmsg://ad/fromChild?x=1';</script>",
                "text/html");
        });
        s.Get(R"(/pixel/(\w+))", [this](const httplib::Request& request,
                                        httplib::Response& response) {
            std::lock_guard lock(mutex);
            hits.push_back(request.matches[1].str() + " " + request.get_header_value("Referer") +
                           " " + request.get_header_value("Cookie"));
            response.set_content("GIF89a", "image/gif");
        });
        s.Get("/missing.gif",
              [](const httplib::Request&, httplib::Response& response) { response.status = 404; });
        s.Get("/cookies", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Set-Cookie", "served=1; Path=/");
            response.set_content("<p>cookies</p>", "text/html");
        });
        s.Get("/hidden", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Set-Cookie", "secret=1; Path=/; HttpOnly");
            response.set_content("<p>hidden</p>", "text/html");
        });
        server.start();
        view = std::make_shared<WebView>(graphics::Rect{{0, 0}, {320, 50}});
        recorder = std::make_shared<WebViewRecorder>();
        view->setDelegate(recorder);
    }

    void load(const std::string& path) {
        view->loadRequest(net::URLRequest(*URL::fromString(server.url(path))));
        ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    }
    void loadHTML(const std::string& html) {
        view->loadHTMLString(html, URL::fromString(server.url("/ad")));
        ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    }
    std::string eval(const std::string& script) {
        return view->stringByEvaluatingJavaScriptFromString(script);
    }
    std::vector<std::string> pixelHits() {
        std::lock_guard lock(mutex);
        return hits;
    }

    LocalServer server;
    std::mutex mutex;
    std::vector<std::string> hits;
    std::shared_ptr<WebView> view;
    std::shared_ptr<WebViewRecorder> recorder;
};

TEST_F(WebPageResourcesTest, EachFrameRunsInItsOwnGlobalAndReachesItsParent) {
    load("/outer");
    const std::string child = server.url("/child");
    struct Case {
        const char* script;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // An undeclared assignment in the iframe stays in the iframe.
        {"typeof leaked", "undefined"},
        {"document.getElementById('f').contentWindow.leaked", "child"},
        // Both frames declare `shared`; each keeps its own.
        {"shared", "outer"},
        {"document.getElementById('f').contentWindow.shared", "child"},
        {"document.getElementById('f').contentDocument.location.href", child},
        {"document.getElementById('f').contentWindow.parent === window", "true"},
        {"fromChild", child + " true outer"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(eval(c.script), c.expected) << c.script;
    }
    // The iframe's own navigation reaches the policy and is never loaded.
    EXPECT_NE(std::find(recorder->events.begin(), recorder->events.end(),
                        "should other gmsg://ad/fromChild?x=1"),
              recorder->events.end());
}

TEST_F(WebPageResourcesTest, ImagesAndPixelsLoadWithTheDocumentAsRefererBeforeTheLoadEvent) {
    loadHTML(
        "<img id='a' src='/pixel/tag'>"
        "<img id='bad' src='/missing.gif' onerror='document.title = \"error\"'>"
        "<script>var p = new Image(); p.onload = function () { window.pixelLoaded = 1; };"
        "p.src = '/pixel/script';"
        "window.onload = function () { window.atLoad = window.pixelLoaded; };</script>");
    const std::string referer = server.url("/ad");
    auto got = pixelHits();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{"script " + referer + " ", "tag " + referer + " "}));
    EXPECT_EQ(eval("window.atLoad"), "1");
    EXPECT_EQ(view->title(), "error");
    // Finished loads are dropped from their frames.
    EXPECT_EQ(view->activeLoadCount(), 0u);

    // A pixel made after the load still goes out, and the view keeps no load.
    eval("new Image().src = '/pixel/later'");
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return pixelHits().size() == 3; }, 10));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return view->activeLoadCount() == 0; }, 10));
}

TEST_F(WebPageResourcesTest, DocumentCookieReadsAndWritesTheSharedJar) {
    load("/cookies");
    EXPECT_EQ(eval("document.cookie"), "served=1");
    eval("document.cookie = 'written=2; path=/'");
    eval("document.cookie = 'elsewhere=3; domain=example.com'");  // not this host: refused
    eval("document.cookie = 'flagged=4; HttpOnly'");              // scripts cannot set these
    eval("new Image().src = '/pixel/withcookies'");
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return pixelHits().size() == 1; }, 10));
    const std::string sent = pixelHits().front();
    EXPECT_TRUE(sent.starts_with("withcookies " + server.url("/cookies") + " ")) << sent;
    for (const char* cookie : {"served=1", "written=2"}) {
        EXPECT_NE(sent.find(cookie), std::string::npos) << cookie;
    }
    for (const char* refused : {"elsewhere", "flagged"}) {
        EXPECT_EQ(sent.find(refused), std::string::npos) << refused;
    }

    // A cookie the server marks HttpOnly is sent but not shown to scripts.
    load("/hidden");
    EXPECT_EQ(eval("document.cookie.indexOf('secret')"), "-1");
    eval("document.cookie = 'served=; max-age=0'");
    eval("document.cookie = 'written=; max-age=0'");
    EXPECT_EQ(net::CookieJar::cookiesForDocument(*URL::fromString(server.url("/"))), "");
}

}  // namespace
