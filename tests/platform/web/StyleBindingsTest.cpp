// Inline styles and rendered text through a web view: element.style is the
// style attribute both ways, innerText reads and writes text with its line
// breaks, and what scripts write that way is painted.

#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/platform/web/WebPageTest.h"

using testing_support::WebViewRecorder;

namespace {

class StyleBindingsTest : public testing_support::WebPageTest {};

TEST_F(StyleBindingsTest, TheStyleObjectIsTheStyleAttribute) {
    ASSERT_TRUE(load("<body><div id='d' style='color: red'></div></body>"));
    struct Case {
        const char* script;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"d.style.color", "red"},
        {"d.style = 'width: 10px; COLOR: blue !important'; d.getAttribute('style')",
         "width: 10px; color: blue !important;"},
        {"[d.style.width, d.style.getPropertyPriority('color'), d.style.length].join(' ')",
         "10px important 2"},
        {"d.style.backgroundColor = 'green'; d.style.getPropertyValue('background-color')",
         "green"},
        {"d.style.setProperty('margin-top', '4px'); d.getAttribute('style')",
         "width: 10px; color: blue !important; background-color: green; margin-top: 4px;"},
        {"d.style.removeProperty('width') + '|' + d.style.cssText",
         "10px|color: blue !important; background-color: green; margin-top: 4px;"},
        {"d.style.cssText = 'top: 1px'; d.getAttribute('style') + '|' + d.style.top",
         "top: 1px;|1px"},
        {"d.setAttribute('style', 'left: 2px'); d.style.left + d.style.top", "2px"},
        {"d.style.left = ''; d.hasAttribute('style')", "false"},
    };
    eval("var d = document.getElementById('d')");
    for (const auto& c : cases) {
        EXPECT_EQ(eval(c.script), c.expected) << c.script;
    }
}

TEST_F(StyleBindingsTest, InnerTextHasTheLineBreaksOfTheRenderedText) {
    ASSERT_TRUE(
        load("<body><div id='d'><p>one</p><p>two  <b>three</b>\n</p>a<br>b"
             "<script>var x;</script><span style='display:none'>no</span></div></body>"));
    EXPECT_EQ(eval("document.getElementById('d').innerText"), "one\ntwo three\na\nb");
    EXPECT_EQ(eval("var d = document.getElementById('d'); d.innerText = 'first\\nsecond';"
                   "d.innerHTML + '|' + d.innerText"),
              "first<br>second|first\nsecond");
}

TEST_F(StyleBindingsTest, ALogWrittenWithInnerTextIsPainted) {
    view->setOpaque(false);
    ASSERT_TRUE(
        load("<body style='margin:0'><div id='log'></div><script>"
             "for (var i = 0; i < 3; i++) { var line = document.createElement('div');"
             "line.innerText = 'event ' + i; line.style.height = '20px';"
             "document.getElementById('log').appendChild(line); }</script></body>"));
    EXPECT_EQ(eval("document.getElementById('log').innerText"), "event 0\nevent 1\nevent 2");
    auto image = web::Painter::snapshot(*view);
    ASSERT_TRUE(image);
    for (int row = 0; row < 3; ++row) {
        EXPECT_GT(inkIn(*image->bitmap(), {0, row * 20.0, 320, 20}, {0, 0, 0, 0}).count, 20) << row;
    }
    EXPECT_EQ(inkIn(*image->bitmap(), {0, 60, 320, 190}, {0, 0, 0, 0}).count, 0);
}

}  // namespace
