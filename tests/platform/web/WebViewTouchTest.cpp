#include <gtest/gtest.h>

#include <cstdio>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"
#include "platform/web/WebView.h"
#include "tests/platform/web/WebViewRecorder.h"

using testing_support::WebViewRecorder;

namespace {

TEST(WebViewTouchTest, AFingerTapsTheElementUnderIt) {
    auto window = ui::Window::make();
    auto view = std::make_shared<web::WebView>(graphics::Rect{0, 100, 320, 100});
    auto recorder = std::make_shared<WebViewRecorder>();
    view->setDelegate(recorder);
    window->addSubview(view);
    window->makeKeyAndVisible();
    view->loadHTMLString(
        "<body><div id='outer' style='position:absolute; left:10px; top:10px; width:100px; "
        "height:50px'><span id='inner' style='position:absolute; left:5px; top:5px; "
        "width:20px; height:20px'>x</span></div>"
        "<a id='link' href='gmsg://ad/tapped' style='position:absolute; left:200px; top:10px; "
        "width:100px; height:50px'>go</a>"
        "<script>var taps = []; document.body.addEventListener('click', function (e) {"
        "taps.push(e.target.id || e.target.tagName); });"
        "document.body.addEventListener('touchstart', function (e) { taps.push('touch'); });"
        "</script></body>",
        foundation::URL::fromString("http://ads.test/ad"));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    struct Case {
        graphics::Point windowPoint;
        const char* hit;
    };
    const std::vector<Case> cases = {
        {{50, 150}, "outer"},  // inside the outer box only
        {{20, 120}, "inner"},  // the nested box lies on top
        {{300, 180}, "BODY"},  // no box there
        {{250, 130}, "link"},
    };
    for (const auto& c : cases) {
        view->stringByEvaluatingJavaScriptFromString("taps = []");
        ui::TouchSimulator::tap(window, c.windowPoint);
        EXPECT_EQ(view->stringByEvaluatingJavaScriptFromString("taps.join(' ')"),
                  std::string("touch ") + c.hit)
            << c.hit;
    }
    // The tapped link is followed as a clicked link.
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_NE(
        std::find(recorder->events.begin(), recorder->events.end(), "should link gmsg://ad/tapped"),
        recorder->events.end());
    // A drag is no tap.
    view->stringByEvaluatingJavaScriptFromString("taps = []");
    ui::TouchSimulator::drag(window, {50, 150}, {150, 150});
    EXPECT_EQ(view->stringByEvaluatingJavaScriptFromString("taps.join(' ')"), "");
}

TEST(WebViewTouchTest, ATapReachesLinksLaidOutInNormalFlow) {
    auto window = ui::Window::make();
    auto view = std::make_shared<web::WebView>(graphics::Rect{0, 0, 320, 250});
    auto recorder = std::make_shared<WebViewRecorder>();
    view->setDelegate(recorder);
    window->addSubview(view);
    window->makeKeyAndVisible();
    view->loadHTMLString(
        "<body><p>Intro text</p><a href='gmsg://ad/image'><img id='picture' width='100' "
        "height='60'></a>"
        "<div><a id='text' href='gmsg://ad/text'>Read more</a></div></body>",
        foundation::URL::fromString("http://ads.test/ad"));
    ASSERT_TRUE(WebViewRecorder::waitUntilIdle(*view));
    for (const std::string id : {"picture", "text"}) {
        const auto centre = view->stringByEvaluatingJavaScriptFromString(
            "var r = document.getElementById('" + id +
            "').getBoundingClientRect(); (r.left + r.width / 2) + ' ' + (r.top + r.height / 2)");
        graphics::Point point;
        ASSERT_EQ(std::sscanf(centre.c_str(), "%lf %lf", &point.x, &point.y), 2) << centre;
        EXPECT_GT(point.y, 20) << id;
        recorder->events.clear();
        ui::TouchSimulator::tap(window, point);
        foundation::RunLoop::main().runUntilIdle();
        const std::string link = id == "picture" ? "gmsg://ad/image" : "gmsg://ad/text";
        EXPECT_NE(
            std::find(recorder->events.begin(), recorder->events.end(), "should link " + link),
            recorder->events.end())
            << id;
    }
}

}  // namespace
