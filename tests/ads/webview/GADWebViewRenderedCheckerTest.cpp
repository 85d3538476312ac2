#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ads/webview/GADWebViewRenderedChecker.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/BitmapContext.h"
#include "platform/web/WebView.h"

using foundation::RunLoop;

namespace {

// A 10 x 10 picture in `background` with the top `painted` rows in red, drawn
// as views are drawn.
graphics::Image::Ptr picture(const graphics::Color& background, int painted) {
    auto context = graphics::BitmapContext::createImageContext({10, 10}, false, 1);
    context->setFillColor(background);
    context->fillRect({0, 0, 10, 10});
    context->setFillColor(graphics::Color::redColor());
    context->fillRect({0, 0, 10, static_cast<double>(painted)});
    return context->makeImage();
}

class RecordingDelegate : public GADWebViewRenderedCheckerDelegate {
  public:
    void webViewDidRenderContent(web::WebView&) override { ++rendered; }
    void webViewDidFailToRenderContent(web::WebView&) override { ++blank; }
    int rendered = 0;
    int blank = 0;
};

TEST(GADWebViewRenderedChecker, CountsTheBackgroundInPremultipliedBytes) {
    struct Case {
        const char* rule;
        graphics::Color background;
        int painted;
        double share;
    };
    const Case cases[] = {
        {"grey counts as red = green = blue", graphics::Color::white(0.5), 0, 1.0},
        {"clear, as ad web views are", graphics::Color::clearColor(), 3, 0.7},
        {"RGB off the 1/255 grid", graphics::Color::rgb(0.3, 0.6, 0.9), 5, 0.5},
        {"partial alpha compares premultiplied", graphics::Color::rgb(0.3, 0.6, 0.9, 0.5), 1, 0.9},
        {"a pattern has no components: nothing counts", graphics::Color::pattern(), 0, 0.0},
    };
    for (const Case& c : cases) {
        const auto share = GADWebViewRenderedChecker::percentOfImage(
            *picture(c.background.model() == graphics::ColorSpaceModel::pattern
                         ? graphics::Color::whiteColor()
                         : c.background,
                     c.painted),
            c.background);
        ASSERT_TRUE(share.has_value()) << c.rule;
        EXPECT_DOUBLE_EQ(*share, c.share) << c.rule;
    }
    // Another colour is not the background.
    EXPECT_DOUBLE_EQ(
        *GADWebViewRenderedChecker::percentOfImage(*picture(graphics::Color::rgb(0.3, 0.6, 0.9), 0),
                                                   graphics::Color::rgb(0.3, 0.6, 0.92)),
        0.0);
}

TEST(GADWebViewRenderedChecker, SamplesWhatThePageHasDrawn) {
    struct Case {
        const char* html;
        bool rendered;
    };
    const Case cases[] = {
        {"<html><body></body></html>", false},
        {"<body><script>var x = 1;</script></body>", false},
        // 5 % of the view: still blank.
        {"<body style='margin:0'><div style='width:20px;height:10px;background:#00f'></div></body>",
         false},
        {"<body style='margin:0'><div "
         "style='width:100px;height:50px;background:#00f'></div></body>",
         true},
    };
    for (const Case& c : cases) {
        auto webView = std::make_shared<web::WebView>(graphics::Rect{0, 0, 100, 40});
        webView->setOpaque(false);
        webView->setBackgroundColor(graphics::Color::clearColor());
        webView->setHidden(true);
        webView->loadHTMLString(c.html, foundation::URL::fromString("http://ads.test/"));
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !webView->isLoading(); }, 10));
        auto delegate = std::make_shared<RecordingDelegate>();
        GADWebViewRenderedChecker checker(webView, delegate);
        checker.checkIsContentRenderedInWebView();
        EXPECT_EQ(delegate->rendered, c.rendered ? 1 : 0) << c.html;
        EXPECT_EQ(delegate->blank, c.rendered ? 0 : 1) << c.html;
        EXPECT_EQ(GADWebViewRenderedChecker::isContentRendered(*webView), c.rendered) << c.html;

        // Nothing is told once the delegate or the web view has gone.
        checker.setDelegate(nullptr);
        checker.checkIsContentRenderedInWebView();
        EXPECT_EQ(delegate->rendered + delegate->blank, 1) << c.html;
    }
    // A view without pixels has drawn nothing.
    auto empty = std::make_shared<web::WebView>(graphics::Rect{});
    EXPECT_FALSE(GADWebViewRenderedChecker::isContentRendered(*empty));
}

}  // namespace
