#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/UIButtonWebCache.h"
#include "remote/WebImage/UIButtonWebCacheDeprecated.h"
#include "remote/WebImage/UIImageViewHighlightedWebCacheDeprecated.h"
#include "remote/WebImage/UIImageViewWebCache.h"
#include "remote/WebImage/UIImageViewWebCacheDeprecated.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;

// The views load through the shared manager; each test asks for URLs of its
// own and keeps the images in memory only.
constexpr SDWebImageLoadOptions kMemoryOnly = SDWebImageLoadOption::cacheMemoryOnly;

class ViewImageCategoriesTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto data =
            *graphics::PNGCodec::encode(*graphics::Bitmap::make(6, 6, {3, 3, 3, 255}));
        png.assign(data.begin(), data.end());
        server.server().Get(R"(/image/(\w+)\.png)",
                            [this](const httplib::Request&, httplib::Response& response) {
                                ++hits;
                                response.set_content(png, "image/png");
                            });
        server.start();
        placeholder = graphics::Image::make(graphics::Bitmap::make(1, 1));
        ++run;
    }
    std::optional<foundation::URL> url(const std::string& name) {
        return foundation::URL::fromString(
            server.url("/image/" + name + std::to_string(run) + ".png"));
    }
    bool runUntil(const std::function<bool()>& condition) {
        return RunLoop::main().runUntil(condition, 20);
    }

    static inline int run = 0;
    std::string png;
    testing_support::LocalServer server;
    std::atomic<int> hits{0};
    graphics::Image::Ptr placeholder;
};

TEST_F(ViewImageCategoriesTest, AnImageViewShowsThePlaceholderThenTheImage) {
    auto view = std::make_shared<ui::ImageView>(nullptr);
    UIImageViewWebCache::setShowActivityIndicatorView(*view, true);
    int completions = 0;
    UIImageViewWebCache::sd_setImageWithURL(view, url("a"), placeholder, kMemoryOnly, nullptr,
                                            [&](auto image, const auto& error, auto, const auto&) {
                                                EXPECT_NE(image, nullptr);
                                                EXPECT_FALSE(error);
                                                ++completions;
                                            });
    EXPECT_EQ(view->image(), placeholder);
    EXPECT_EQ(UIImageViewWebCache::sd_imageURL(*view), url("a"));
    ASSERT_NE(UIImageViewWebCache::activityIndicator(*view), nullptr);
    EXPECT_TRUE(UIImageViewWebCache::activityIndicator(*view)->isAnimating());
    ASSERT_TRUE(runUntil([&] { return completions == 1; }));
    EXPECT_NE(view->image(), placeholder);
    EXPECT_EQ(UIImageViewWebCache::activityIndicator(*view), nullptr);

    // The image is in memory now: a second view has it when the call returns.
    auto second = std::make_shared<ui::ImageView>(nullptr);
    UIImageViewWebCache::sd_setImageWithURL(second, url("a"), placeholder, kMemoryOnly);
    EXPECT_EQ(second->image(), view->image());
}

TEST_F(ViewImageCategoriesTest, ANewRequestCancelsTheViewsRunningOne) {
    auto view = std::make_shared<ui::ImageView>(nullptr);
    int first = 0;
    int second = 0;
    UIImageViewWebCache::sd_setImageWithURL(view, url("first"), placeholder, kMemoryOnly, nullptr,
                                            [&](auto...) { ++first; });
    UIImageViewWebCache::sd_setImageWithURL(view, url("second"), placeholder, kMemoryOnly, nullptr,
                                            [&](auto...) { ++second; });
    ASSERT_TRUE(runUntil([&] { return second == 1; }));
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(first, 0);
}

TEST_F(ViewImageCategoriesTest, OptionsDecideWhatTheViewShows) {
    const struct {
        const char* name;
        SDWebImageLoadOptions options;
        bool imageOnView;
        bool placeholderAtOnce;
    } cases[] = {
        {"plain", 0, true, true},
        // The image goes to the block only; the view keeps its placeholder.
        {"avoid", SDWebImageLoadOption::avoidAutoSetImage, false, true},
        {"delay", SDWebImageLoadOption::delayPlaceholder, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto view = std::make_shared<ui::ImageView>(nullptr);
        graphics::Image::Ptr handed;
        bool done = false;
        UIImageViewWebCache::sd_setImageWithURL(view, url(c.name), placeholder,
                                                c.options | kMemoryOnly, nullptr,
                                                [&](auto image, auto&&...) {
                                                    handed = image;
                                                    done = true;
                                                });
        EXPECT_EQ(view->image() == placeholder, c.placeholderAtOnce);
        ASSERT_TRUE(runUntil([&] { return done; }));
        ASSERT_NE(handed, nullptr);
        EXPECT_EQ(view->image() == handed, c.imageOnView);
        EXPECT_EQ(view->image() == placeholder, !c.imageOnView);
    }
}

TEST_F(ViewImageCategoriesTest, NoURLReportsTheNilURLErrorAndKeepsThePlaceholder) {
    auto view = std::make_shared<ui::ImageView>(nullptr);
    std::optional<foundation::Error> error;
    UIImageViewWebCache::sd_setImageWithURL(
        view, std::nullopt, placeholder, 0, nullptr,
        [&](auto, const auto& e, auto, const auto&) { error = e; });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain, "SDWebImageErrorDomain");
    EXPECT_EQ(error->code, -1);
    EXPECT_EQ(error->localizedDescription, "Trying to load a nil url");
    EXPECT_EQ(view->image(), placeholder);
}

TEST_F(ViewImageCategoriesTest, ButtonsKeepAURLPerStateAndFallBackToNormal) {
    auto button = std::make_shared<ui::Button>(graphics::Rect(0, 0, 40, 40));
    int done = 0;
    UIButtonWebCache::sd_setImageWithURL(button, url("normal"), ui::ControlState::normal,
                                         placeholder, kMemoryOnly, [&](auto...) { ++done; });
    UIButtonWebCache::sd_setImageWithURL(button, url("pressed"), ui::ControlState::highlighted,
                                         placeholder, kMemoryOnly, [&](auto...) { ++done; });
    EXPECT_EQ(button->imageForState(ui::ControlState::normal), placeholder);
    ASSERT_TRUE(runUntil([&] { return done == 2; }));
    EXPECT_NE(button->imageForState(ui::ControlState::highlighted), placeholder);
    EXPECT_EQ(UIButtonWebCache::sd_imageURLForState(*button, ui::ControlState::highlighted),
              url("pressed"));
    UIButtonWebCache::sd_setImageWithURL(button, std::nullopt, ui::ControlState::highlighted);
    EXPECT_EQ(UIButtonWebCache::sd_imageURLForState(*button, ui::ControlState::highlighted),
              std::nullopt);
    button->setHighlighted(true);
    EXPECT_EQ(UIButtonWebCache::sd_currentImageURL(*button), url("normal"));
}

TEST_F(ViewImageCategoriesTest, TheActivityIndicatorStaysCentredWhenTheViewIsResized) {
    auto view = std::make_shared<ui::ImageView>(nullptr);
    view->setFrame({0, 0, 100, 100});
    UIImageViewWebCache::addActivityIndicator(view);
    RunLoop::main().runUntilIdle();
    auto indicator = UIImageViewWebCache::activityIndicator(*view);
    ASSERT_NE(indicator, nullptr);
    for (const auto& frame : {graphics::Rect(0, 0, 240, 60), graphics::Rect(10, 10, 30, 300)}) {
        view->setFrame(frame);
        EXPECT_DOUBLE_EQ(indicator->center().x, frame.size.width / 2);
        EXPECT_DOUBLE_EQ(indicator->center().y, frame.size.height / 2);
    }
    UIImageViewWebCache::removeActivityIndicator(*view);
}

TEST_F(ViewImageCategoriesTest, OlderNamesForwardAndCompleteWithoutTheURL) {
    auto view = std::make_shared<ui::ImageView>(nullptr);
    std::vector<graphics::Image::Ptr> images;
    const auto record = [&](graphics::Image::Ptr image, const std::optional<foundation::Error>&,
                            SDImageCacheSource) { images.push_back(image); };
    UIImageViewWebCacheDeprecated::setImageWithURL(view, url("old"), placeholder, kMemoryOnly,
                                                   nullptr, record);
    EXPECT_EQ(view->image(), placeholder);
    EXPECT_EQ(UIImageViewWebCacheDeprecated::imageURL(*view), url("old"));
    UIImageViewHighlightedWebCacheDeprecated::setHighlightedImageWithURL(
        view, url("lit"), kMemoryOnly, nullptr, record);
    ASSERT_TRUE(runUntil([&] { return images.size() == 2; }));
    EXPECT_NE(view->image(), placeholder);
    EXPECT_NE(view->highlightedImage(), nullptr);
    UIImageViewWebCacheDeprecated::setImageWithURL(view, std::nullopt);

    // A button's load of its current state is cancelled by the older name.
    auto button = std::make_shared<ui::Button>(graphics::Rect(0, 0, 40, 40));
    int buttonDone = 0;
    UIButtonWebCacheDeprecated::setImageWithURL(button, url("kept"), ui::ControlState::normal,
                                                placeholder, kMemoryOnly,
                                                [&](auto...) { ++buttonDone; });
    UIButtonWebCacheDeprecated::setBackgroundImageWithURL(
        button, url("back"), ui::ControlState::normal, placeholder, kMemoryOnly,
        [&](auto...) { ++buttonDone; });
    EXPECT_EQ(UIButtonWebCacheDeprecated::currentImageURL(*button), url("kept"));
    EXPECT_EQ(UIButtonWebCacheDeprecated::imageURLForState(*button, ui::ControlState::normal),
              url("kept"));
    UIButtonWebCacheDeprecated::cancelCurrentImageLoad(*button);
    ASSERT_TRUE(runUntil([&] { return buttonDone == 1; }));
    RunLoop::main().runFor(0.1);
    EXPECT_EQ(buttonDone, 1) << "only the background image came";
    EXPECT_EQ(button->imageForState(ui::ControlState::normal), placeholder);
    EXPECT_NE(button->backgroundImageForState(ui::ControlState::normal), placeholder);
}

}  // namespace
