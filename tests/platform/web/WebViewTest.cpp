#include <gtest/gtest.h>

#include <mutex>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/net/URLProtocol.h"
#include "platform/web/WebView.h"
#include "tests/platform/web/WebViewRecorder.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using foundation::URL;
using testing_support::LocalServer;
using testing_support::NavigationRecorder;
using testing_support::WebViewRecorder;
using web::WebView;

namespace {

using Events = std::vector<std::string>;

struct MraidProtocol : net::URLProtocol {
    using URLProtocol::URLProtocol;
    static inline std::string referer;
    static bool canInitWithRequest(const net::URLRequest& request) {
        return request.url()->lastPathComponent() == "mraid.js";
    }
    void startLoading() override {
        referer = request().valueForHTTPHeaderField("Referer").value_or("");
        const std::string text = "window.mraid = {version: '2.0'};";
        client().didReceiveResponse(
            *this, net::URLResponse(*request().url(), "application/javascript", -1, std::nullopt));
        client().didLoadData(*this, foundation::Data(text.begin(), text.end()));
        client().didFinishLoading(*this);
    }
    void stopLoading() override {}
};

class WebViewTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Get("/one", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(
                "<html><head><title>One</title><script src='/lib.js'></script></head>"
                "<body><a id='next' href='/two'>next</a><a id='away' href='mailto:a@b.c'>mail</a>"
                "<script>document.body.setAttribute('data-lib', typeof "
                "libLoaded);</script></body></html>",
                "text/html; charset=utf-8");
        });
        s.Get("/two", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<title>Two</title><p>second</p>", "text/html");
        });
        s.Get("/lib.js", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex);
            referers.push_back(request.get_header_value("Referer"));
            agents.push_back(request.get_header_value("User-Agent"));
            response.set_content("var libLoaded = 1;", "application/javascript");
        });
        s.Get("/framed", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<title>Outer</title><iframe id='f' src='/inner'></iframe>",
                                 "text/html");
        });
        s.Get("/inner", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(
                "<p id='in'>inner</p><script>parent.innerRan = "
                "document.getElementById('in').textContent;</script>",
                "text/html");
        });
        s.Get("/fails.js", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("var fine = 1;\nnoSuchFunction();", "application/javascript");
        });
        server.start();
        view = std::make_shared<WebView>(graphics::Rect{{0, 0}, {320, 480}});
        recorder = std::make_shared<WebViewRecorder>();
        view->setDelegate(recorder);
    }
    void TearDown() override { net::URLProtocol::unregisterAllClasses(); }

    void loadHTML(const std::string& html, const std::string& base = "http://ads.test/page") {
        view->loadHTMLString(html, URL::fromString(base));
        ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    }
    std::string eval(const std::string& script) {
        return view->stringByEvaluatingJavaScriptFromString(script);
    }

    LocalServer server;
    std::mutex mutex;
    std::vector<std::string> referers;
    std::vector<std::string> agents;
    std::shared_ptr<WebView> view;
    std::shared_ptr<WebViewRecorder> recorder;
};

TEST_F(WebViewTest, EvaluatesScriptsSynchronouslyAsStrings) {
    loadHTML("<p id='x' class='a b'>Hi <b>there</b></p>");
    struct Case {
        const char* script;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"'text'", "text"},
        {"1 + 2", "3"},
        {"true", "true"},
        {"({a: 1})", ""},  // objects answer ""
        {"undefined", ""},
        {"throw new Error('boom')", ""},  // a throw answers "" and is logged
        {"nosuchfunction()", ""},
        {"document.getElementById('x').textContent", "Hi there"},
        {"document.getElementById('x').innerHTML", "Hi <b>there</b>"},
        {"document.getElementsByClassName('b').length", "1"},
        {"document.querySelector('p.a b').tagName", "B"},
        {"var d = document.createElement('div'); d.innerHTML = '<i>1</i>&amp;'; "
         "document.body.appendChild(d); d.outerHTML",
         "<div><i>1</i>&amp;</div>"},
        {"document.body.children.length", "2"},
        {"location.href", "http://ads.test/page"},
        {"document.querySelector('b').parentNode.id", "x"},
    };
    foundation::LogCapture log;
    for (const auto& c : cases) {
        EXPECT_EQ(eval(c.script), c.expected) << c.script;
    }
    EXPECT_TRUE(log.contains("boom"));
}

TEST_F(WebViewTest, ErrorsNameTheirScriptAndLine) {
    foundation::ManualClock clock;
    foundation::LogCapture log;
    view->loadHTMLString(
        "<html><body>\n"
        "<script src='/fails.js'></script>\n"
        "<script>\n"
        "document.body.addEventListener('click', function () { throw new Error('listener'); });\n"
        "setTimeout(function () { throw new Error('timer'); }, 0);\n"
        "throw new Error('inline');\n"
        "</script>\n"
        "<div onclick='throw new Error(\"handler\")' id='d'></div></body></html>",
        URL::fromString(server.url("/ad")));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    clock.advance(1);
    RunLoop::main().runUntilIdle();
    view->tapElement("d");
    const std::string page = server.url("/ad");
    for (const auto& expected :
         {server.url("/fails.js") + ":2: ReferenceError", page + ":6: Error: inline",
          "Error: timer in " + page + ":5", "Error: listener in " + page + ":4",
          "Error: handler in " + page}) {
        EXPECT_TRUE(log.contains(expected)) << expected << "\n" << log.text();
    }
}

TEST_F(WebViewTest, ScriptNavigationsAreEachAskedInOrderAndRefusedOnesNeverLoad) {
    loadHTML("<body>content</body>");
    recorder->events.clear();
    std::vector<std::string> seenFromPolicy;
    recorder->onShouldStart = [&](WebView& v, const net::URLRequest&) {
        // Synchronous evaluation inside the policy callback.
        seenFromPolicy.push_back(
            v.stringByEvaluatingJavaScriptFromString("document.body.innerHTML"));
    };
    eval(
        "location.href = 'gmsg://ad/log?string=1';"
        "var f = document.createElement('iframe'); f.src = 'gmsg://ad/log?string=2';"
        "document.body.appendChild(f);"
        "window.location = 'gmsg://ad/log?string=3';");
    EXPECT_TRUE(recorder->events.empty()) << "decided after the script's turn";
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(recorder->events,
              (Events{"should other gmsg://ad/log?string=1", "should other gmsg://ad/log?string=2",
                      "should other gmsg://ad/log?string=3"}));
    ASSERT_EQ(seenFromPolicy.size(), 3u);
    EXPECT_EQ(seenFromPolicy[0].substr(0, 7), "content");
    EXPECT_FALSE(view->isLoading());
    EXPECT_EQ(view->URL()->absoluteString(), "http://ads.test/page");
}

TEST_F(WebViewTest, PageLoadRunsExternalScriptsWithRefererAndFinishesAfterThem) {
    auto navigation = std::make_shared<NavigationRecorder>();
    view->setNavigationDelegate(navigation);
    std::vector<std::string> keys;
    auto observer = std::make_shared<int>();
    view->addObserver(observer, "loading", [&](const foundation::KeyValueChange& c) {
        keys.push_back("loading=" + c.newValue.stringValue());
    });
    view->addObserver(observer, "title", [&](const foundation::KeyValueChange& c) {
        keys.push_back("title=" + c.newValue.stringValue());
    });
    double lastProgress = 0;
    bool progressWentBack = false;
    view->addObserver(observer, "estimatedProgress", [&](const foundation::KeyValueChange& c) {
        progressWentBack = progressWentBack || (c.newValue.doubleValue() < lastProgress &&
                                                c.newValue.doubleValue() != 0);
        lastProgress = c.newValue.doubleValue();
    });

    view->loadRequest(net::URLRequest(*URL::fromString(server.url("/one"))));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));

    EXPECT_EQ(recorder->events, (Events{"should other " + server.url("/one"), "start", "finish"}));
    EXPECT_EQ(navigation->events,
              (Events{"decide main " + server.url("/one"), "provisional", "commit", "finish"}));
    EXPECT_EQ(keys, (Events{"loading=1", "title=One", "loading=0"}));
    EXPECT_EQ(lastProgress, 1.0);
    EXPECT_FALSE(progressWentBack);
    EXPECT_EQ(view->title(), "One");
    EXPECT_EQ(eval("document.body.getAttribute('data-lib')"), "number");
    ASSERT_EQ(referers.size(), 1u);
    EXPECT_EQ(referers[0], server.url("/one"));
    EXPECT_FALSE(agents[0].empty());
    EXPECT_EQ(view->request()->valueForHTTPHeaderField("User-Agent"), agents[0]);
}

TEST_F(WebViewTest, HistoryFollowsLinksBackAndForward) {
    view->loadRequest(net::URLRequest(*URL::fromString(server.url("/one"))));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    EXPECT_FALSE(view->canGoBack());
    recorder->events.clear();

    EXPECT_TRUE(view->tapElement("next"));
    EXPECT_FALSE(view->tapElement("nothing"));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    EXPECT_EQ(recorder->events.at(0), "should link " + server.url("/two"));
    EXPECT_EQ(view->title(), "Two");
    EXPECT_TRUE(view->canGoBack());

    recorder->events.clear();
    view->goBack();
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    EXPECT_EQ(recorder->events.at(0), "should backforward " + server.url("/one"));
    EXPECT_EQ(view->title(), "One");
    EXPECT_FALSE(view->canGoBack());
    EXPECT_TRUE(view->canGoForward());
    ASSERT_EQ(view->backForwardList().forwardList().size(), 1u);
    EXPECT_EQ(view->backForwardList().forwardList()[0].title, "Two");

    // A link to another scheme is asked about like any other.
    recorder->events.clear();
    recorder->refusedSchemes.insert("mailto");
    view->tapElement("away");
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(recorder->events, Events{"should link mailto:a@b.c"});
}

TEST_F(WebViewTest, SubFramesAreAskedAndReportedBeforeTheMainFrameFinishes) {
    view->loadRequest(net::URLRequest(*URL::fromString(server.url("/framed"))));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    EXPECT_EQ(recorder->events,
              (Events{"should other " + server.url("/framed"), "start",
                      "should other " + server.url("/inner"), "start", "finish", "finish"}));
    EXPECT_EQ(recorder->loadingAtFinish, (std::vector<bool>{true, false}));
    EXPECT_EQ(eval("innerRan"), "inner");
    EXPECT_EQ(eval("document.getElementById('f').contentDocument.getElementById('in').textContent"),
              "inner");
}

TEST_F(WebViewTest, TimersRunOnTheRunLoopClock) {
    foundation::ManualClock clock;
    loadHTML(
        "<script>var n = 0, ticks = 0; setTimeout(function(){ n = 1; }, 500);"
        "var t = setInterval(function(){ if (++ticks == 3) clearInterval(t); }, 100);"
        "var gone = setTimeout(function(){ n = 99; }, 200); clearTimeout(gone);</script>");
    EXPECT_EQ(eval("n + ':' + ticks"), "0:0");
    clock.advance(0.25);
    EXPECT_EQ(eval("n + ':' + ticks"), "0:2");
    clock.advance(0.3);
    EXPECT_EQ(eval("n + ':' + ticks"), "1:3");
    clock.advance(1);
    EXPECT_EQ(eval("ticks"), "3");
}

TEST_F(WebViewTest, MalformedPagesAndThrowingScriptsDoNotStopTheLoad) {
    foundation::LogCapture log;
    loadHTML(
        "<html><body><div><p>unclosed <b>bold<script>throw new Error('first');</script>"
        "<script>var after = 'ran';</script></tr></td><<>>&bogus;</body>\x01\xff");
    EXPECT_EQ(recorder->events.back(), "finish");
    EXPECT_EQ(eval("after"), "ran");
    EXPECT_TRUE(log.contains("first"));
    EXPECT_EQ(eval("document.title"), "");
}

TEST_F(WebViewTest, AdScriptIdiomsWork) {
    loadHTML(
        "<body><script>var heard = 0; window.addEventListener('orientationchange', function(){ "
        "heard = window.orientation; });"
        "function VIRA_ReceiveMessage(name, data) { document.title = name + (data ? data.x : ''); "
        "}</script></body>");
    eval(
        "window.__defineGetter__('orientation',function(){return 90;});"
        "(function(){var event = "
        "document.createEvent('Events');event.initEvent('orientationchange', true, false);"
        "window.dispatchEvent(event);})();");
    EXPECT_EQ(eval("heard"), "90");
    eval("VIRA_ReceiveMessage('onshow', {\"x\": 7});");
    EXPECT_EQ(view->title(), "onshow7");
}

TEST_F(WebViewTest, SubResourcesGoThroughRegisteredURLProtocols) {
    net::URLProtocol::registerClass<MraidProtocol>("mraid");
    loadHTML("<script src='mraid.js'></script><script>var v = mraid.version;</script>",
             "http://ads.test/ad/banner");
    EXPECT_EQ(eval("v"), "2.0");
    EXPECT_EQ(MraidProtocol::referer, "http://ads.test/ad/banner");
}

TEST_F(WebViewTest, NewWindowRequestsGoToTheUIDelegate) {
    auto navigation = std::make_shared<NavigationRecorder>();
    view->setNavigationDelegate(navigation);
    view->setUIDelegate(navigation);
    loadHTML("<a id='blank' target='_blank' href='/two'>x</a>");
    navigation->events.clear();
    navigation->actions.clear();
    navigation->windowToOpen = std::make_shared<WebView>();
    view->tapElement("blank");
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(navigation->events,
              (Events{"decide new http://ads.test/two", "create http://ads.test/two"}));
    EXPECT_FALSE(navigation->actions.at(0).targetFrame.has_value());
    EXPECT_EQ(navigation->actions.at(0).navigationType, web::NavigationType::linkClicked);
}

TEST_F(WebViewTest, FailuresAndInterruptedLoadsAreReportedOnce) {
    auto navigation = std::make_shared<NavigationRecorder>();
    view->setNavigationDelegate(navigation);

    // A scheme nothing loads, when allowed, fails before commit.
    view->loadRequest(net::URLRequest(*URL::fromString("tel:123")));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(navigation->events.back(), "fail provisional -1002");

    // A second load interrupts the first, which fails as cancelled.
    navigation->events.clear();
    recorder->events.clear();
    server.server().Get("/hang", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        response.set_content("late", "text/html");
    });
    view->loadRequest(net::URLRequest(*URL::fromString(server.url("/hang"))));
    RunLoop::main().runUntilIdle();
    view->loadRequest(net::URLRequest(*URL::fromString(server.url("/two"))));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(recorder->events,
              (Events{"should other " + server.url("/hang"), "start",
                      "should other " + server.url("/two"), "fail -999", "start", "finish"}));
    EXPECT_EQ(view->title(), "Two");
}

}  // namespace
