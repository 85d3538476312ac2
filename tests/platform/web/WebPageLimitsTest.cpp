// Hostile pages through a web view: scripts that never end are ended, deep
// and huge documents load and paint in bounded time, and pages from the
// network never reach local files.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/foundation/Log.h"
#include "platform/graphics/Bitmap.h"
#include "platform/web/Painter.h"
#include "platform/web/ScriptEngine.h"
#include "platform/web/WebView.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/platform/web/WebPageTest.h"

using testing_support::WebViewRecorder;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class WebPageLimitsTest : public testing_support::WebPageTest {
  protected:
    void SetUp() override {
        view->setDelegate(recorder);
        view->setOpaque(false);
    }

    std::shared_ptr<WebViewRecorder> recorder = std::make_shared<WebViewRecorder>();
};

class ShortScriptTimeLimit : public WebPageLimitsTest {
  protected:
    void SetUp() override {
        WebPageLimitsTest::SetUp();
        web::ScriptEngine::setTimeLimit(1);
    }
    void TearDown() override { web::ScriptEngine::setTimeLimit(saved); }
    double saved = web::ScriptEngine::timeLimit();
};

TEST_F(ShortScriptTimeLimit, AScriptThatNeverEndsIsEndedAndFailsTheLoad) {
    foundation::LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(
        load("<body><script>var before = 1;</script><script>while (true) {}</script>"
             "<script>var after = 1;</script></body>"));
    EXPECT_LT(secondsSince(start), 10);
    EXPECT_EQ(recorder->events.back(), "fail -1");
    EXPECT_TRUE(log.contains("http://ads.test/ad"));
    EXPECT_TRUE(log.contains("ran longer than 1 s and was ended"));
    // The page runs nothing any more.
    EXPECT_EQ(eval("typeof after"), "");
}

TEST_F(ShortScriptTimeLimit, ATimerThatNeverEndsIsEndedOnceAndTheOthersStop) {
    foundation::LogCapture log;
    ASSERT_TRUE(
        load("<body><script>var ticks = 0; setInterval(function () { ticks++; }, 5);"
             "addEventListener('load', function () { setTimeout(function () { for (;;) {} }, "
             "20); });</script></body>"));
    EXPECT_EQ(recorder->events.back(), "finish");
    const auto start = std::chrono::steady_clock::now();
    foundation::RunLoop::main().runUntil([&] { return secondsSince(start) > 3; }, 5);
    EXPECT_EQ(occurrences(log.text(), "and was ended"), 1u) << log.text();
    // A new document runs scripts again.
    ASSERT_TRUE(load("<body><script>var fresh = 'yes';</script></body>"));
    EXPECT_EQ(eval("fresh"), "yes");
}

TEST_F(WebPageLimitsTest, DeeplyNestedElementsAreBoundedAndKeepTheirContent) {
    std::string html = "<body>";
    for (int i = 0; i < 20000; ++i) {
        html += "<div>";
    }
    html += "deep</body>";
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(load(html));
    ASSERT_TRUE(web::Painter::snapshot(*view));
    EXPECT_LT(secondsSince(start), 60);
    EXPECT_EQ(recorder->events.back(), "finish");
    const int depth =
        std::stoi(eval("var d = 0; for (var n = document.body; n.firstElementChild; n = "
                       "n.firstElementChild) d++; d"));
    EXPECT_LE(depth, 512);
    EXPECT_EQ(eval("document.body.textContent.indexOf('deep') >= 0"), "true");
}

TEST_F(WebPageLimitsTest, AHugeParagraphPaintsItsFirstLinesQuickly) {
    std::string html = "<body style='margin:0'><p style='margin:0'>";
    for (int i = 0; html.size() < 10'000'000; ++i) {
        html += "word" + std::to_string(i % 997) + " ";
    }
    html += "</p></body>";
    ASSERT_TRUE(load(html));
    const auto start = std::chrono::steady_clock::now();
    auto image = web::Painter::snapshot(*view);
    EXPECT_LT(secondsSince(start), 60);
    ASSERT_TRUE(image);
    // Text from the first line to the last one the view shows.
    const auto ink = inkIn(*image->bitmap(), {0, 0, 320, 250}, {0, 0, 0, 0});
    EXPECT_LT(ink.bounds.minY(), 10);
    EXPECT_GT(ink.bounds.maxY(), 230);
}

}  // namespace

TEST_F(WebPageLimitsTest, OnlyPagesThatAreLocalFilesLoadLocalFiles) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("web-local-files-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "secret.js") << "var leaked = 'read';";
    const std::string secret = "file://" + (folder / "secret.js").string();
    const std::string page = "<body><script src='" + secret +
                             "'></script>"
                             "<img id='probe' src='" +
                             secret +
                             "' onerror=\"this.title='refused'\">"
                             "<iframe src='" +
                             secret +
                             "'></iframe>"
                             "<a id='link' href='" +
                             secret + "'>open</a></body>";

    foundation::LogCapture log;
    ASSERT_TRUE(load(page, "http://ads.test/ad"));
    EXPECT_EQ(eval("typeof leaked"), "undefined");
    EXPECT_EQ(eval("document.getElementById('probe').title"), "refused");
    EXPECT_TRUE(view->tapElement("link"));
    eval("location.href = '" + secret + "'; window.open('" + secret + "')");
    foundation::RunLoop::main().runUntilIdle();
    for (const auto& event : recorder->events) {
        EXPECT_EQ(event.find("file:"), std::string::npos) << event;
    }
    EXPECT_EQ(view->URL()->absoluteString(), "http://ads.test/ad");
    EXPECT_EQ(occurrences(log.text(), "Refused to load the local file"), 6u) << log.text();

    // The application's own pages keep reading their files.
    ASSERT_TRUE(load(page, "file://" + (folder / "page.html").string()));
    EXPECT_EQ(eval("leaked"), "read");
    std::filesystem::remove_all(folder);
}
