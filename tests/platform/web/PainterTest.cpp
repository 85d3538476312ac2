// The web painter through a web view: what a page shows is painted where its
// styles put it (inline styles, the page's rules, script changes, frames),
// a blank page paints nothing, the boxes lead back to their elements, and
// broken pages paint what they can without failing.

#include <gtest/gtest.h>

#include "platform/crypto/Base64.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/platform/web/PageTest.h"
#include "tests/support/LocalServer.h"

using graphics::Rect;
using graphics::Rgba8;
using namespace page_test;

using PainterTest = PageTest;

TEST_F(PainterTest, AColouredBoxAndAHeadingAreBothPainted) {
    auto bitmap = paint(
        "<body style='margin:0'><div style='width:100px;height:50px;background:#00ff00'></div>"
        "<h1>Hello</h1></body>");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width(), 320);
    EXPECT_EQ(bitmap->height(), 240);
    EXPECT_EQ(bitmap->pixel(50, 25), kGreen);
    EXPECT_EQ(bitmap->pixel(150, 25), kClear);
    // The heading is stacked under the box, after its top margin, in bold 32px.
    auto heading = inkIn(*bitmap, Rect(0, 50, 320, 190), kClear);
    ASSERT_GT(heading.count, 100);
    EXPECT_GT(heading.bounds.minY(), 50 + 15);
    EXPECT_LT(heading.bounds.maxY(), 50 + 21 + 39 + 5);
    EXPECT_GT(heading.bounds.size.height, 18);
}

TEST_F(PainterTest, BlankPagesPaintNothing) {
    const char* pages[] = {
        "",
        "<html><body></body></html>",
        "<body>\n  <script>var x = 1;</script>\n<style>p { color: red }</style>\n</body>",
        "<div style='display:none;background:red;width:50px;height:50px'>hidden</div>",
        "<div style='visibility:hidden;background:red;width:50px;height:50px'>hidden</div>",
        "<div style='width:50px;height:50px'></div><p style='background:red'></p>",
    };
    for (const char* page : pages) {
        SCOPED_TRACE(page);
        auto bitmap = paint(page);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(inkIn(*bitmap, Rect(0, 0, 320, 240), kClear).count, 0);
    }
    // An opaque web view shows a blank page white.
    view->setOpaque(true);
    auto bitmap = paint("<body></body>");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(inkIn(*bitmap, Rect(0, 0, 320, 240), kWhite).count, 0);
}

TEST_F(PainterTest, StylesComeFromRulesInlineStylesAndScripts) {
    auto bitmap = paint(R"(
<style>
  body { margin: 0; background-color: #ffffff }
  div { background: red; height: 20px }
  div.box { background: blue }
  #first { width: 40px }
  .gone { display: none }
  section > div { background-color: rgb(0, 255, 0) !important }
  #ad { position: absolute; left: 200px; top: 100px; width: 30px; height: 30px }
</style>
<div id='first' class='box'></div>
<div class='gone'></div>
<div style='width: 60px; background: #0f0'></div>
<section><div style='width: 80px; background: red'></div></section>
<div id='ad' class='box'></div>
<script>
  var d = document.createElement('div');
  d.style.width = '25px'; d.style.height = '10px'; d.style.backgroundColor = 'red';
  document.body.appendChild(d);
</script>)");
    ASSERT_TRUE(bitmap);
    struct Case {
        int x;
        int y;
        Rgba8 color;
        const char* rule;
    };
    const Case cases[] = {
        {20, 10, kBlue, "a class selector beats a type selector"},
        {45, 10, kWhite, "the id's width ends the box; the page background shows"},
        {30, 30, kGreen, "the class that hides takes no room; inline style beats rules"},
        {70, 30, kWhite, "the inline width"},
        {70, 50, kGreen, "an important child rule beats the inline style"},
        {215, 115, kBlue, "an absolute box at its offsets"},
        {10, 65, kRed, "a box a script added comes last in the flow"},
        {30, 65, kWhite, "the script's width"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(bitmap->pixel(c.x, c.y), c.color);
    }
}

TEST_F(PainterTest, TextWrapsInItsBoxAndBoxesLeadBackToTheirElements) {
    auto bitmap = paint(
        "<body style='margin:0'><p id='intro' style='width:100px;margin:0'>Scan any barcode "
        "with the camera and keep a history of everything you read</p>"
        "<div id='target' style='margin-left:150px;width:60px;height:30px;background:red'></div>"
        "</body>");
    ASSERT_TRUE(bitmap);
    auto text = inkIn(*bitmap, Rect(0, 0, 140, 240), kClear);
    auto boxes = web::Painter::layoutPage(*view);
    ASSERT_TRUE(boxes);
    const auto* target = web::Painter::boxAtPoint(*boxes, {160, text.bounds.maxY() + 10});
    ASSERT_TRUE(target);
    EXPECT_EQ(target->frame.size, (graphics::Size{60, 30}));
    ASSERT_EQ(target->element.size(), 1u);
    EXPECT_EQ(
        view->stringByEvaluatingJavaScriptFromString("document.getElementsByTagName('*')[" +
                                                     std::to_string(target->element[0]) + "].id"),
        "target");
    // The paragraph wraps into several lines within its 100px.
    auto paragraph = inkIn(*bitmap, Rect(0, 0, 320, target->frame.minY()), kClear);
    EXPECT_LE(paragraph.bounds.maxX(), 101);
    EXPECT_GT(paragraph.bounds.size.height, 4 * 16);
    const auto* word = web::Painter::boxAtPoint(*boxes, {5, 8});
    ASSERT_TRUE(word);
    EXPECT_FALSE(word->text.empty());
    EXPECT_EQ(
        view->stringByEvaluatingJavaScriptFromString("document.getElementsByTagName('*')[" +
                                                     std::to_string(word->element[0]) + "].id"),
        "intro");
    EXPECT_EQ(web::Painter::boxAtPoint(*boxes, {300, 200}), nullptr);
}

TEST_F(PainterTest, ImagesFramesAndTheScreenShowThePage) {
    auto dot = graphics::PNGCodec::encode(*graphics::Bitmap::make(4, 4, kBlue));
    ASSERT_TRUE(dot);
    testing_support::LocalServer server;
    server.server().Get("/dot.png", [&dot](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(dot->begin(), dot->end()), "image/png");
    });
    server.server().Get("/inner", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<body style='margin:0;background:#00ff00'></body>", "text/html");
    });
    server.start();
    auto bitmap =
        paint("<body style='margin:0'><img width='20' height='20' src='data:image/png;base64," +
              crypto::Base64::encode(*dot) +
              "'><img src='missing.png' width='20' height='20'><img width='10' height='10' src='" +
              server.url("/dot.png") + "'><iframe src='" + server.url("/inner") +
              "' style='display:block;border:0;width:50px;height:40px'></iframe></body>");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->pixel(10, 10), kBlue);
    EXPECT_EQ(bitmap->pixel(30, 10), kClear);
    EXPECT_EQ(bitmap->pixel(45, 15), kBlue) << "an image the page loaded";
    auto frame = inkIn(*bitmap, Rect(0, 20, 320, 220), kClear);
    EXPECT_EQ(frame.bounds.size, (graphics::Size{50, 40}));
    EXPECT_EQ(
        bitmap->pixel(static_cast<int>(frame.bounds.midX()), static_cast<int>(frame.bounds.midY())),
        kGreen);

    // On screen the page is painted in the web view's frame.
    auto screen = std::make_shared<ui::View>(Rect(0, 0, 400, 300));
    screen->setBackgroundColor(graphics::Color::whiteColor());
    view->setFrame(Rect(40, 30, 320, 240));
    screen->addSubview(view);
    auto picture = ui::ScreenRenderer::render(*screen);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bitmap()->pixel(50, 40), kBlue);
    EXPECT_EQ(picture->bitmap()->pixel(5, 5), kWhite);
}

TEST_F(PainterTest, BrokenPagesPaintWhatTheyCan) {
    std::string deep;
    for (int i = 0; i < 3000; ++i) {
        deep += "<div>";
    }
    const std::string pages[] = {
        "<style>{{{ ;;; div { color: } @media (x { p { } div{background:red;height:5px</style>"
        "<div style='width:10px;;;:;background:'></div><div style='width:7px'></div>",
        "<div "
        "style='width:1e308px;height:-5px;margin:nan;font-size:99999px;background:#12'>x</div>",
        "<table><tr><td bgcolor=red width=abc>cell<p><b><i>unclosed",
        deep + "deep",
        "<script>JSON.stringify = function () { return '{'; };</script><p>x</p>",
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.substr(0, 60));
        EXPECT_TRUE(paint(page));
    }
}
