#pragma once

// A fixture for tests of what pages paint: a 320 by 240 web view that shows
// its page over nothing, and the plain colours such tests paint and look for.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/web/Painter.h"
#include "platform/web/WebView.h"
#include "tests/platform/web/WebViewRecorder.h"

namespace page_test {

inline constexpr graphics::Rgba8 kClear{0, 0, 0, 0};
inline constexpr graphics::Rgba8 kWhite{255, 255, 255, 255};
inline constexpr graphics::Rgba8 kBlack{0, 0, 0, 255};
inline constexpr graphics::Rgba8 kRed{255, 0, 0, 255};
inline constexpr graphics::Rgba8 kGreen{0, 255, 0, 255};
inline constexpr graphics::Rgba8 kBlue{0, 0, 255, 255};

class PageTest : public testing::Test {
  protected:
    void SetUp() override {
        view = std::make_shared<web::WebView>(graphics::Rect(0, 0, 320, 240));
        view->setOpaque(false);
        view->setBackgroundColor(graphics::Color::clearColor());
    }
    // The page painted once it has loaded.
    std::shared_ptr<const graphics::Bitmap> paint(
        const std::string& html, const std::string& base = "http://ads.test/page") {
        view->loadHTMLString(html, foundation::URL::fromString(base));
        EXPECT_TRUE(testing_support::WebViewRecorder::waitUntilIdle(*view));
        auto image = web::Painter::snapshot(*view);
        return image ? image->bitmap() : nullptr;
    }

    std::shared_ptr<web::WebView> view;
};

}  // namespace page_test
