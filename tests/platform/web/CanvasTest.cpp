// Canvas elements through pages: what page scripts draw with a 2D context
// (paths, styles, gradients, text, images, transforms) shows in the painted
// page where the canvas's box is, scripts read back the pixels they drew, and
// bad or greedy drawing is refused without harm.

#include <gtest/gtest.h>

#include "platform/foundation/JSON.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/platform/web/PageTest.h"
#include "tests/support/LocalServer.h"

using graphics::Rect;
using graphics::Rgba8;
using namespace page_test;

namespace {

struct PixelCase {
    int x;
    int y;
    Rgba8 color;
    const char* what;
};

void expectPixels(const graphics::Bitmap& bitmap, std::initializer_list<PixelCase> cases,
                  int tolerance = 0) {
    for (const auto& c : cases) {
        const auto p = bitmap.pixel(c.x, c.y);
        EXPECT_TRUE(nearPixel(p, c.color, tolerance))
            << c.what << ": " << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a);
    }
}

// A small line-chart library in the way charting libraries draw: a grid,
// axes, value and category labels, the area under the line filled with a
// gradient, the line, and a marker on each point.
constexpr const char* kChartLibrary = R"JS(
(function (global) {
  function LineChart(canvas, config) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d');
    this.config = config;
  }
  LineChart.prototype.draw = function () {
    var ctx = this.ctx, c = this.config, w = this.canvas.width, h = this.canvas.height;
    var area = {x: c.padding.left, y: c.padding.top,
                w: w - c.padding.left - c.padding.right, h: h - c.padding.top - c.padding.bottom};
    var data = c.data, max = c.max, ticks = c.ticks;
    function px(i) { return area.x + area.w * i / (data.length - 1); }
    function py(v) { return area.y + area.h * (1 - v / max); }
    ctx.clearRect(0, 0, w, h);
    ctx.fillStyle = c.background;
    ctx.fillRect(0, 0, w, h);

    ctx.save();
    ctx.strokeStyle = c.gridColor;
    ctx.setLineDash([2, 2]);
    for (var g = 0; g <= ticks; g++) {
      var y = Math.round(py(max * g / ticks)) + 0.5;
      ctx.beginPath(); ctx.moveTo(area.x, y); ctx.lineTo(area.x + area.w, y); ctx.stroke();
    }
    ctx.restore();

    ctx.strokeStyle = c.axisColor;
    ctx.lineWidth = 1;
    ctx.beginPath();
    ctx.moveTo(area.x + 0.5, area.y);
    ctx.lineTo(area.x + 0.5, area.y + area.h + 0.5);
    ctx.lineTo(area.x + area.w, area.y + area.h + 0.5);
    ctx.stroke();

    ctx.fillStyle = c.labelColor;
    ctx.font = '10px sans-serif';
    ctx.textAlign = 'right';
    ctx.textBaseline = 'middle';
    for (g = 0; g <= ticks; g++) ctx.fillText(String(max * g / ticks), area.x - 4, py(max * g / ticks));
    ctx.textAlign = 'center';
    ctx.textBaseline = 'top';
    c.labels.forEach(function (label, i) { ctx.fillText(label, px(i), area.y + area.h + 4); });

    var fill = ctx.createLinearGradient(0, area.y, 0, area.y + area.h);
    fill.addColorStop(0, c.fillTop);
    fill.addColorStop(1, c.fillBottom);
    ctx.beginPath();
    ctx.moveTo(px(0), py(data[0]));
    data.forEach(function (v, i) { ctx.lineTo(px(i), py(v)); });
    ctx.lineTo(px(data.length - 1), area.y + area.h);
    ctx.lineTo(px(0), area.y + area.h);
    ctx.closePath();
    ctx.fillStyle = fill;
    ctx.fill();

    ctx.beginPath();
    data.forEach(function (v, i) { if (i) ctx.lineTo(px(i), py(v)); else ctx.moveTo(px(i), py(v)); });
    ctx.strokeStyle = c.lineColor;
    ctx.lineWidth = 3;
    ctx.lineJoin = 'round';
    ctx.stroke();

    ctx.fillStyle = c.pointColor;
    data.forEach(function (v, i) {
      ctx.beginPath(); ctx.arc(px(i), py(v), 4, 0, Math.PI * 2); ctx.fill();
    });
  };
  global.LineChart = LineChart;
})(this);
)JS";

class CanvasTest : public PageTest {
  protected:
    std::string run(const std::string& script) {
        return view->stringByEvaluatingJavaScriptFromString(script);
    }
};

}  // namespace

TEST_F(CanvasTest, ALineChartALibraryDrawsShowsInThePageImage) {
    testing_support::LocalServer server;
    server.server().Get("/chart.js", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(kChartLibrary, "application/javascript");
    });
    server.start();
    ASSERT_TRUE(
        paint("<body style='margin:0'><canvas id='chart' width='300' height='150'></canvas>"
              "<script src='" +
              server.url("/chart.js") + R"('></script>
<script>
  new LineChart(document.getElementById('chart'), {
    data: [2, 8, 4, 6], labels: ['Q1', 'Q2', 'Q3', 'Q4'], max: 10, ticks: 4,
    padding: {left: 40, right: 20, top: 10, bottom: 30},
    background: '#ffffff', gridColor: '#dddddd', axisColor: '#000', labelColor: 'black',
    lineColor: 'rgb(0, 0, 255)', pointColor: 'red',
    fillTop: 'rgba(0, 160, 0, 0.8)', fillBottom: 'rgba(0, 160, 0, 0.1)'
  }).draw();
</script></body>)"));
    // The page as the host's PNG carries it.
    auto snapshot = web::Painter::snapshot(*view);
    ASSERT_TRUE(snapshot);
    auto png = graphics::PNGCodec::encode(*snapshot->bitmap());
    ASSERT_TRUE(png);
    auto decoded = graphics::Image::imageWithData(*png);
    ASSERT_TRUE(decoded);
    const auto& bitmap = *decoded->bitmap();

    // The plot area is x 40..280, y 10..120; the values 2, 8, 4, 6 of 10 sit
    // at x 40, 120, 200, 280 and y 98, 32, 76, 54.
    const int points[][2] = {{40, 98}, {120, 32}, {200, 76}, {280, 54}};
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "point " << p[0] << "," << p[1]);
        EXPECT_EQ(bitmap.pixel(p[0], p[1]), kRed) << "a marker";
    }
    EXPECT_TRUE(nearPixel(bitmap.pixel(80, 65), kBlue, 40)) << "the line between two points";
    EXPECT_TRUE(nearPixel(bitmap.pixel(240, 65), kBlue, 40)) << "the line between two points";
    EXPECT_EQ(bitmap.pixel(200, 20), kWhite) << "above the line";
    EXPECT_EQ(bitmap.pixel(40, 60), kBlack) << "the value axis";
    EXPECT_EQ(bitmap.pixel(160, 120), kBlack) << "the category axis";
    EXPECT_EQ(bitmap.pixel(300, 60), kClear) << "the page beside the canvas";

    // Under the line the gradient goes from strong green to faint green.
    const auto high = bitmap.pixel(80, 80);
    const auto low = bitmap.pixel(80, 115);
    EXPECT_GT(high.g, high.r + 40);
    EXPECT_GT(low.g, low.r);
    EXPECT_LT(high.r, low.r - 40);
    EXPECT_LT(low.r, 255);

    // The value labels left of the axis, the category labels under it.
    EXPECT_GT(inkIn(bitmap, Rect(0, 0, 38, 125), kWhite, 100).count, 20);
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << "label under " << p[0]);
        auto label = inkIn(bitmap, Rect(p[0] - 12, 122, 24, 20), kWhite, 100);
        EXPECT_GT(label.count, 10);
        EXPECT_NEAR(label.bounds.midX(), p[0], 3);
    }
}

TEST_F(CanvasTest, ScriptsReadBackThePixelsTheyDrawAndWrite) {
    ASSERT_TRUE(paint("<body><canvas id='c' width='20' height='10'></canvas></body>"));
    const std::string result = run(R"(
      var ctx = document.getElementById('c').getContext('2d');
      ctx.fillStyle = 'rgb(10, 20, 30)';
      ctx.fillRect(0, 0, 10, 10);
      ctx.fillStyle = 'rgba(255, 0, 0, 0.5)';
      ctx.fillRect(10, 0, 10, 10);
      var image = ctx.createImageData(2, 1);
      image.data.set([0, 255, 0, 255, 0, 0, 255, 128]);
      ctx.putImageData(image, 4, 2);
      var edge = new ImageData(new Uint8ClampedArray([1, 2, 3, 255, 4, 5, 6, 255]), 1, 2);
      ctx.putImageData(edge, 19, 9);
      var backing = new Uint8ClampedArray([9, 9, 9, 9, 7, 8, 9, 255, 1, 1, 1, 1]);
      ctx.putImageData(new ImageData(backing.subarray(4, 8), 1, 1), 0, 9);
      function read(x, y, w, h) { return Array.prototype.slice.call(ctx.getImageData(x, y, w, h).data).join(','); }
      var data = ctx.getImageData(0, 0, 20, 10);
      JSON.stringify({
        typed: data.data instanceof Uint8ClampedArray, length: data.data.length, width: data.width,
        solid: read(5, 5, 1, 1), half: read(15, 5, 1, 1), put: read(4, 2, 2, 1),
        clipped: read(19, 8, 1, 3), view: read(0, 9, 1, 1), outside: read(-1, -1, 2, 1), flipped: read(6, 3, -2, -1),
        style: ctx.fillStyle, same: ctx === document.getElementById('c').getContext('2d')
      });
    )");
    EXPECT_EQ(result, R"({"typed":true,"length":800,"width":20,"solid":"10,20,30,255",)"
                      R"("half":"255,0,0,128","put":"0,255,0,255,0,0,255,128",)"
                      R"("clipped":"255,0,0,128,1,2,3,255,0,0,0,0","view":"7,8,9,255",)"
                      R"("outside":"0,0,0,0,0,0,0,0",)"
                      R"("flipped":"0,255,0,255,0,0,255,128",)"
                      R"J("style":"rgba(255, 0, 0, 0.5)","same":true})J");

    // The bitmap as a PNG in a data URL.
    auto png = web::Painter::loadImage(run("document.getElementById('c').toDataURL()"), "");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->bitmap()->pixel(5, 5), (Rgba8{10, 20, 30, 255}));
    EXPECT_EQ(png->bitmap()->pixel(15, 5), (Rgba8{255, 0, 0, 128}));
}

TEST_F(CanvasTest, TransformsAndTheStateStackPlaceWhatIsDrawn) {
    auto bitmap = paint(R"(<body style='margin:0'><canvas id='c' width='200' height='100'></canvas>
<script>
  var ctx = document.getElementById('c').getContext('2d');
  ctx.fillStyle = '#ff0000';
  ctx.save();
  ctx.translate(100, 50);
  ctx.rotate(Math.PI / 2);
  ctx.scale(2, 1);
  ctx.fillStyle = '#0000ff';
  ctx.fillRect(0, 0, 10, 10);
  ctx.save();
  ctx.scale(0, 0);
  ctx.fillRect(0, 0, 10, 10);
  ctx.restore();
  ctx.restore();
  ctx.restore();
  window.afterRestore = ctx.fillStyle;
  ctx.fillRect(0, 0, 10, 10);
  ctx.setTransform(1, 0, 0, 1, 150, 0);
  ctx.fillRect(0, 0, 10, 10);
  ctx.transform(1, 0, 0, 1, 0, 20);
  ctx.beginPath();
  ctx.moveTo(0, 0); ctx.lineTo(20, 0); ctx.lineTo(0, 20); ctx.closePath();
  ctx.resetTransform();
  ctx.fillStyle = '#00ff00';
  ctx.fill();
</script></body>)");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(run("afterRestore"), "#ff0000");
    expectPixels(*bitmap, {
                              {95, 60, kBlue,
                               "translated, rotated a quarter turn, scaled: x 90..100, y 50..70"},
                              {92, 68, kBlue, "the far corner of the turned rectangle"},
                              {105, 60, kClear, "right of the turned rectangle"},
                              {95, 45, kClear, "above the turned rectangle"},
                              {5, 5, kRed, "the restored style and transform"},
                              {155, 5, kRed, "setTransform replaces the transform"},
                              {153, 23, kGreen, "a path keeps the transform it was built with"},
                              {165, 35, kClear, "outside the triangle"},
                          });
}

TEST_F(CanvasTest, ImagesThePageLoadedAreDrawnIntoTheCanvas) {
    auto quad = graphics::Bitmap::make(2, 2);
    quad->setPixel(0, 0, kRed);
    quad->setPixel(1, 0, kGreen);
    quad->setPixel(0, 1, kBlue);
    quad->setPixel(1, 1, kWhite);
    auto png = graphics::PNGCodec::encode(*quad);
    ASSERT_TRUE(png);
    testing_support::LocalServer server;
    server.server().Get("/quad.png", [&png](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(png->begin(), png->end()), "image/png");
    });
    server.start();
    auto bitmap = paint("<body style='margin:0'><img id='pic' style='display:none' src='" +
                        server.url("/quad.png") + R"('>
<canvas id='c' width='100' height='50' style='display:block'></canvas>
<canvas id='copy' width='20' height='20' style='display:block'></canvas>
<script>
  var ctx = document.getElementById('c').getContext('2d');
  var pic = document.getElementById('pic');
  pic.onload = function () {
    ctx.drawImage(pic, 0, 0, 40, 40);
    ctx.drawImage(pic, 1, 1, 1, 1, 50, 0, 10, 10);
    ctx.globalAlpha = 0.5;
    ctx.drawImage(pic, 70, 0);
    ctx.globalAlpha = 1;
    document.getElementById('copy').getContext('2d').drawImage(document.getElementById('c'), 0, 0);
  };
</script></body>)");
    ASSERT_TRUE(bitmap);
    expectPixels(*bitmap, {}, 2);
    // The second canvas holds a copy of the first one's top left.
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(bitmap->pixel(x, 50 + y), bitmap->pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(CanvasTest, TextIsMeasuredAndDrawnInTheContextsFont) {
    auto bitmap = paint(R"(<body style='margin:0'><canvas id='c' width='300' height='100'></canvas>
<script>
  var ctx = document.getElementById('c').getContext('2d');
  function width(font, text) { ctx.font = font; return ctx.measureText(text).width; }
  window.widths = JSON.stringify([width('10px sans-serif', 'MM'), width('10px sans-serif', 'MMMM'),
    width('20px sans-serif', 'MM'), width('bold 20px sans-serif', 'MM'), width('20px sans-serif', ''),
    width('20px sans-serif', 'iiii')]);
  ctx.font = 'nonsense';
  ctx.font = '99999px sans-serif';
  window.font = ctx.font;
  ctx.fillStyle = 'black';
  ctx.fillText('Hello', 10, 40);
  window.hello = ctx.measureText('Hello').width;
  ctx.textAlign = 'right';
  ctx.textBaseline = 'top';
  ctx.fillText('Right', 290, 60);
</script></body>)");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(run("font"), "20px sans-serif");
    auto widths = foundation::JSON::parse(run("widths"));
    ASSERT_TRUE(widths && widths->asArray() && widths->asArray()->size() == 6);
    const auto& w = *widths->asArray();
    const double mm = w[0].doubleValue();
    EXPECT_GT(mm, 10);
    EXPECT_NEAR(w[1].doubleValue(), 2 * mm, 0.02 * mm) << "twice the text";
    EXPECT_NEAR(w[2].doubleValue(), 2 * mm, 0.02 * mm) << "twice the size";
    EXPECT_GT(w[3].doubleValue(), w[2].doubleValue()) << "bold is wider";
    EXPECT_EQ(w[4].doubleValue(), 0);
    EXPECT_LT(w[5].doubleValue(), w[2].doubleValue()) << "narrow letters";

    // "Hello" stands on its baseline at y 40 from x 10, as wide as measured.
    const double hello = std::stod(run("hello"));
    auto ink = inkIn(*bitmap, Rect(0, 0, 300, 50), kClear);
    EXPECT_GE(ink.bounds.minX(), 10);
    EXPECT_NEAR(ink.bounds.maxX(), 10 + hello, 3);
    EXPECT_GT(ink.bounds.minY(), 40 - 20);
    EXPECT_LE(ink.bounds.maxY(), 41);
    // "Right" ends at x 290 and hangs from y 60.
    auto right = inkIn(*bitmap, Rect(0, 50, 300, 50), kClear);
    EXPECT_NEAR(right.bounds.maxX(), 290, 3);
    EXPECT_GE(right.bounds.minY(), 60);
    EXPECT_LT(right.bounds.minY(), 66);
}

TEST_F(CanvasTest, TheBoxFollowsTheCanvasSizeAndStyle) {
    auto bitmap = paint(R"(<body style='margin:0'>
<canvas id='plain' style='display:block'></canvas>
<canvas id='styled' width='200' height='100' style='display:block;width:100px;height:50px'></canvas>
<script>
  var plain = document.getElementById('plain'), p = plain.getContext('2d');
  p.fillStyle = 'red';
  p.fillRect(0, 0, 1000, 1000);
  window.sizes = [plain.width, plain.height].join('x');
  var styled = document.getElementById('styled'), s = styled.getContext('2d');
  s.fillStyle = 'blue';
  s.fillRect(0, 0, 50, 100);
</script></body>)");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(run("sizes"), "300x150");
    EXPECT_EQ(inkIn(*bitmap, Rect(0, 0, 320, 150), kClear).bounds, Rect(0, 0, 300, 150));
    auto blue = inkIn(*bitmap, Rect(0, 150, 320, 90), kClear);
    EXPECT_EQ(blue.bounds, Rect(0, 150, 25, 50)) << "the bitmap scaled into the styled box";

    // Setting a side makes a new, empty bitmap of that size.
    EXPECT_EQ(run("plain.width = 50; p.getImageData(0, 0, 1, 1).data[3] + ',' + plain.width"),
              "0,50");
    run("p.fillStyle = 'red'; p.fillRect(0, 0, 50, 150);");
    auto resized = web::Painter::snapshot(*view)->bitmap();
    EXPECT_EQ(inkIn(*resized, Rect(0, 0, 320, 150), kClear).bounds, Rect(0, 0, 50, 150));
}

TEST_F(CanvasTest, BadAndGreedyDrawingIsRefusedWithoutHarm) {
    ASSERT_TRUE(paint("<body><canvas id='c' width='10' height='10'></canvas></body>"));
    const std::string result = run(R"(
      var ctx = document.getElementById('c').getContext('2d');
      var out = [];
      function attempt(f) { try { f(); return 'ok'; } catch (e) { return String(e).split(':')[0]; } }
      out.push(attempt(function () { ctx.arc(5, 5, -1, 0, 1); }));
      out.push(attempt(function () { ctx.getImageData(0, 0, 0, 5); }));
      out.push(attempt(function () { ctx.createLinearGradient(0, 0, NaN, 1).addColorStop(0, 'red'); }));
      out.push(attempt(function () { ctx.createLinearGradient(0, 0, 1, 1).addColorStop(2, 'red'); }));
      out.push(attempt(function () { ctx.createLinearGradient(0, 0, 1, 1).addColorStop(0, 'nocolour'); }));
      out.push(attempt(function () { ctx.drawImage({}, 0, 0); }));
      out.push(attempt(function () { ctx.putImageData({data: [1, 2, 3]}, 0, 0); }));
      ctx.fillStyle = 'red';
      ctx.fillStyle = 'not a colour';
      out.push(ctx.fillStyle);
      ctx.fillRect(NaN, 0, 10, 10);
      ctx.fillRect(0, 0, Infinity, 10);
      out.push(ctx.getImageData(0, 0, 1, 1).data[3]);
      out.push(attempt(function () {
        ctx.moveTo(0, 0); ctx.lineTo(1e300, -1e300); ctx.arc(5, 5, 1e300, 0, 7); ctx.stroke();
        ctx.font = '1000px serif'; ctx.fillText('W', 0, 0); ctx.scale(1e300, 1e300); ctx.fillRect(0, 0, 1, 1);
      }));
      var d = document.createElement('canvas').getContext('2d');
      d.drawImage(document.getElementById('c'), 0, 0, 1e-300, 1e-300);
      d.fillText('degenerate', 0, 0, 1e-300);
      d.scale(1e-200, 1e-200); d.scale(1e-200, 1e-200); d.fillRect(0, 0, 1, 1);
      d.setTransform(1, 0, 0, 1, 0, 0);
      d.lineWidth = 1e300; d.beginPath(); d.moveTo(0, 0); d.lineTo(5, 5); d.stroke();
      d.lineWidth = 1;
      d.setLineDash([1e-300, 1e-300]); d.strokeRect(0, 0, 5, 5); d.setLineDash([]);
      d.font = '0.0001px sans-serif'; d.fillText('x', 0, 0);
      d.setTransform(1e150, 0, 0, 1e-150, 0, 0); d.fillText('x', 0, 0); d.fillRect(0, 0, 1e10, 1e10);
      d.setTransform(1e-150, 0, 0, 1e150, 0, 0); d.fillText('x', 0, 0, 1e-300); d.drawImage(document.getElementById('c'), 0, 0);
      d.setTransform(1, 0, 0, 1, 0, 0);
      var g = d.createLinearGradient(0, 0, 1e-300, 0); g.addColorStop(0, 'red'); g.addColorStop(1, 'blue'); d.fillStyle = g; d.fillRect(0, 0, 1, 1);
      d.fillStyle = 'red';
      d.fillRect(0, 0, 10, 10);
      out.push(d.getImageData(5, 5, 1, 1).data[3]);
      var huge = document.createElement('canvas');
      huge.width = 100000; huge.height = 100000;
      var h = huge.getContext('2d');
      h.fillRect(0, 0, 10, 10);
      out.push(h.getImageData(0, 0, 1, 1).data[3]);
      var big = [];
      for (var i = 0; i < 3; i++) {
        var b = document.createElement('canvas');
        b.width = 5000; b.height = 5000;
        big.push(b.getContext('2d') ? 'context' : 'null');
      }
      out.push(big.join('/'));
      out.push(document.createElement('div').getContext === undefined ? 'none' : typeof document.createElement('div').getContext('2d'));
      out.push(String(document.getElementById('c').getContext('webgl')));
      out.join(' ');
    )");
    EXPECT_EQ(
        result,
        "IndexSizeError RangeError TypeError RangeError SyntaxError TypeError TypeError #ff0000 0 "
        "ok 255 0 context/null/null undefined null");

    // A document's canvases go with it, leaving their room to the next one.
    ASSERT_TRUE(paint("<body><canvas id='c' width='5000' height='5000'></canvas></body>"));
    EXPECT_EQ(run("document.getElementById('c').getContext('2d') ? 'context' : 'null'"), "context");
}
