#include <gtest/gtest.h>

#include "platform/ui/Application.h"
#include "platform/ui/Pasteboard.h"
#include "ui/DZNWebViewController/DZNPolyActivity.h"

namespace {

TEST(DZNPolyActivityTest, BrowserURLsTakeTheAppsSchemeForWebPagesOnly) {
    struct Case {
        const char* url;
        unsigned type;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"https://shop.test/a?b=1", DZNPolyActivity::openInOpera, "ohttps://shop.test/a?b=1"},
        {"http://shop.test/a", DZNPolyActivity::openInOpera, "ohttp://shop.test/a"},
        {"https://shop.test/a", DZNPolyActivity::openInDolphin, "dolphin://shop.test/a"},
        {"http://shop.test/a", DZNPolyActivity::openInDolphin, "dolphin://shop.test/a"},
        {"http://shop.test/", DZNPolyActivity::openInChrome, "googlechrome://shop.test/"},
        {"https://shop.test/", DZNPolyActivity::openInChrome, "googlechromes://shop.test/"},
        {"ftp://shop.test/", DZNPolyActivity::openInChrome, std::nullopt},
        {"mailto:a@b.test", DZNPolyActivity::openInDolphin, std::nullopt},
        {"https://shop.test/", DZNPolyActivity::openInSafari, std::nullopt},
        {"https://shop.test/", 9, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DZNPolyActivity::customURLWithURL(c.url, c.type), c.expected) << c.url;
    }
}

TEST(DZNPolyActivityTest, PerformsOnTheFirstURLItem) {
    auto& application = ui::Application::shared();
    application.reset();
    application.registerURLHandler("ohttps", [](const std::string&) { return true; });
    const std::vector<ui::ActivityItem> items = {std::string("Shop page"),
                                                 std::string("https://shop.test/a")};

    auto copy = DZNPolyActivity::activityWithType(DZNPolyActivity::copyLink);
    EXPECT_EQ(copy->activityType(), "com.trevask.DZNWebViewController.activity.CopyLink");
    EXPECT_EQ(copy->activityTitle(), "Copy Link");
    EXPECT_NE(copy->activityImage(), nullptr);
    EXPECT_TRUE(copy->canPerformWithActivityItems(items));
    std::optional<bool> finished;
    copy->setFinishHandler([&](bool completed) { finished = completed; });
    copy->prepareWithActivityItems(items);
    copy->performActivity();
    EXPECT_EQ(finished, true);
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().url(), "https://shop.test/a");

    auto opera = DZNPolyActivity::activityWithType(DZNPolyActivity::openInOpera);
    EXPECT_TRUE(opera->canPerformWithActivityItems(items));
    opera->prepareWithActivityItems(items);
    opera->setFinishHandler([&](bool completed) { finished = completed; });
    opera->performActivity();
    EXPECT_EQ(application.openedURLs(), std::vector<std::string>{"ohttps://shop.test/a"});

    // No app for the scheme, no URL among the items, or a type of no kind.
    EXPECT_FALSE(DZNPolyActivity::activityWithType(DZNPolyActivity::openInChrome)
                     ->canPerformWithActivityItems(items));
    EXPECT_FALSE(copy->canPerformWithActivityItems({std::string("no link here")}));
    auto unknown = DZNPolyActivity::activityWithType(7);
    EXPECT_EQ(unknown->activityType(), "");
    EXPECT_FALSE(unknown->canPerformWithActivityItems(items));
    auto empty = DZNPolyActivity::activityWithType(DZNPolyActivity::openInSafari);
    empty->setFinishHandler([&](bool completed) { finished = completed; });
    empty->prepareWithActivityItems({});
    empty->performActivity();
    EXPECT_EQ(finished, false);
    application.reset();
}

}  // namespace
