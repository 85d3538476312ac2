// What page scripts read of the layout, through a web view: element sizes
// are the painter's boxes, computed styles its values, the element at a
// point the one it draws there, and the window follows the view's size and
// the page's scroll position.

#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"
#include "tests/platform/web/WebPageTest.h"

using testing_support::WebViewRecorder;

namespace {

class LayoutBindingsTest : public testing_support::WebPageTest {
  protected:
    std::string rect(const std::string& id) {
        return eval("var r = document.getElementById('" + id +
                    "').getBoundingClientRect(); [r.left, r.top, r.width, r.height].join(' ')");
    }
};

constexpr const char* kPage =
    "<body style='margin:0'>"
    "<div id='outer' style='margin:10px; padding:5px; border:2px solid #000; width:200px; "
    "height:100px; position:relative'><span id='text'>Hello</span>"
    "<div id='inner' style='position:absolute; left:20px; top:30px; width:50px; "
    "height:40px; background:#f00'></div></div>"
    "<div id='gone' style='display:none'>hidden</div>"
    "<p id='para' style='margin:0'>one two</p></body>";

TEST_F(LayoutBindingsTest, ElementSizesAreThePaintersBoxes) {
    ASSERT_TRUE(load(kPage));
    struct Case {
        const char* script;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"var o = document.getElementById('outer'); [o.offsetLeft, o.offsetTop, o.offsetWidth, "
         "o.offsetHeight, o.clientWidth, o.clientHeight, o.clientLeft, o.offsetParent.tagName]"
         ".join(' ')",
         "10 10 214 114 210 110 2 BODY"},
        {"var i = document.getElementById('inner'); [i.offsetLeft, i.offsetTop, i.offsetWidth, "
         "i.offsetHeight, i.offsetParent.id].join(' ')",
         "20 30 50 40 outer"},
        {"var g = document.getElementById('gone'); [g.offsetWidth, g.clientHeight, "
         "g.offsetParent, g.getBoundingClientRect().width].join(' ')",
         "0 0  0"},
        {"document.getElementById('para').offsetTop", "134"},
        // An inline element has the boxes of its text, no inside.
        {"var t = document.getElementById('text'); [t.offsetLeft > 0, t.offsetWidth > 20, "
         "t.clientWidth].join(' ')",
         "true true 0"},
        {"var s = getComputedStyle(document.getElementById('outer')); "
         "[s.getPropertyValue('position'), s.display, s.width, s.getPropertyValue('padding-left'), "
         "s.borderTopWidth].join(' ')",
         "relative block 200px 5px 2px"},
        {"var s = getComputedStyle(document.getElementById('inner')); "
         "[s.backgroundColor, s.color, s.position].join(' ')",
         "rgb(255, 0, 0) rgb(0, 0, 0) absolute"},
        {"getComputedStyle(document.getElementById('gone')).display", "none"},
        {"[document.documentElement.clientWidth, document.documentElement.clientHeight, "
         "document.documentElement.scrollHeight].join(' ')",
         "320 250 250"},
        {"[document.elementFromPoint(15, 15).id, document.elementFromPoint(40, 50).id, "
         "document.elementFromPoint(19, 20).id, document.elementFromPoint(400, 10)].join(' ')",
         "outer inner text "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(eval(c.script), c.expected) << c.script;
    }
    EXPECT_EQ(rect("inner"), "32 42 50 40");
    // The painter draws them there.
    auto image = web::Painter::snapshot(*view);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bitmap()->pixel(33, 43), (graphics::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(image->bitmap()->pixel(11, 11), (graphics::Rgba8{0, 0, 0, 255}));
    EXPECT_EQ(image->bitmap()->pixel(31, 41), (graphics::Rgba8{255, 255, 255, 255}));
}

TEST_F(LayoutBindingsTest, TheLayoutFollowsChangesToTheDocument) {
    ASSERT_TRUE(load(kPage));
    EXPECT_EQ(eval("document.getElementById('outer').offsetWidth"), "214");
    EXPECT_EQ(eval("document.getElementById('outer').style.width = '100px';"
                   "document.getElementById('outer').offsetWidth"),
              "114");
    EXPECT_EQ(eval("var p = document.getElementById('para'), h = p.offsetHeight;"
                   "p.appendChild(document.createElement('br')); p.appendChild("
                   "document.createTextNode('three')); p.offsetHeight > h"),
              "true");
    EXPECT_EQ(eval("var before = document.getElementById('para').offsetTop;"
                   "document.getElementById('outer').remove();"
                   "before - document.getElementById('para').offsetTop"),
              "134");
    EXPECT_EQ(eval("var t = document.getElementById('para').firstChild, w = "
                   "document.getElementById('para').scrollWidth; t.data = 'x';"
                   "document.getElementById('gone').style.display = 'block';"
                   "document.getElementById('gone').offsetHeight > 0"),
              "true");
}

TEST_F(LayoutBindingsTest, TheWindowFollowsTheViewAndThePageScroll) {
    view->setFrame({0, 0, 320, 50});
    ASSERT_TRUE(load(
        "<body style='margin:0'><div id='tall' style='height:1000px'></div><script>"
        "var resizes = [], scrolls = 0;"
        "addEventListener('resize', function () { resizes.push(innerWidth + 'x' + innerHeight); "
        "});"
        "addEventListener('scroll', function () { scrolls++; });</script></body>"));
    EXPECT_EQ(eval("innerWidth + 'x' + innerHeight"), "320x50");
    // Expanded to the screen, the ad sees the screen.
    view->setFrame({0, 0, 320, 480});
    view->setFrame({0, 0, 320, 480});
    EXPECT_EQ(eval("resizes.join(',')"), "320x480");
    EXPECT_EQ(eval("[innerHeight, document.documentElement.clientHeight].join(' ')"), "480 480");

    EXPECT_EQ(eval("scrollTo(0, 100); [scrollY, pageYOffset, "
                   "document.getElementById('tall').getBoundingClientRect().top].join(' ')"),
              "100 100 -100");
    EXPECT_EQ(eval("scrollBy(0, 5000); scrollY"), "520");
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(eval("scrolls"), "2");
    EXPECT_EQ(eval("scrollTo(0, 520); scrollY"), "520");
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(eval("scrolls"), "2");
}

}  // namespace
