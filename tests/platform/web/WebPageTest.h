#pragma once

// A fixture for tests through a page: a 320x250 web view, a page loaded
// into it from HTML, scripts evaluated in it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/web/WebView.h"
#include "tests/platform/web/WebViewRecorder.h"

namespace testing_support {

class WebPageTest : public testing::Test {
  protected:
    // Loads `html` as the document at `base`; false when it did not end.
    bool load(const std::string& html, const std::string& base = "http://ads.test/ad") {
        view->loadHTMLString(html, foundation::URL::fromString(base));
        return WebViewRecorder::waitUntilIdle(*view, 60);
    }
    std::string eval(const std::string& script) {
        return view->stringByEvaluatingJavaScriptFromString(script);
    }

    std::shared_ptr<web::WebView> view =
        std::make_shared<web::WebView>(graphics::Rect{0, 0, 320, 250});
};

}  // namespace testing_support
