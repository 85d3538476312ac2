#include <gtest/gtest.h>

#include "platform/ui/Application.h"
#include "ui/TUSafariActivity/TUSafariActivity.h"

namespace {

TEST(TUSafariActivityTest, KeepsTheLastURLAndOpensIt) {
    TUSafariActivity activity;
    const std::vector<ui::ActivityItem> items = {ui::ActivityURL{"http://first.test/"},
                                                 std::string("text"),
                                                 ui::ActivityURL{"mailto:a@b.c"}};
    EXPECT_FALSE(activity.canPerformWithActivityItems(items));
    ui::Application::shared().registerURLHandler("mailto", [](const std::string&) { return true; });
    EXPECT_TRUE(activity.canPerformWithActivityItems(items));

    activity.prepareWithActivityItems(items);
    EXPECT_EQ(activity.preparedURL(), "mailto:a@b.c");
    std::optional<bool> finished;
    activity.setFinishHandler([&](bool completed) { finished = completed; });
    activity.performActivity();
    EXPECT_EQ(finished, true);
    EXPECT_EQ(ui::Application::shared().openedURLs(), std::vector<std::string>{"mailto:a@b.c"});
}

TEST(TUSafariActivityTest, FinishesWithFalseWhenThePlatformCannotOpen) {
    TUSafariActivity activity;
    activity.prepareWithActivityItems({ui::ActivityURL{"http://nobody.test/"}});
    std::optional<bool> finished;
    activity.setFinishHandler([&](bool completed) { finished = completed; });
    activity.performActivity();
    EXPECT_EQ(finished, false);
}

TEST(TUSafariActivityTest, DescribesItself) {
    TUSafariActivity activity;
    EXPECT_EQ(activity.activityType(), "TUSafariActivity");
    EXPECT_EQ(activity.activityTitle(), "Open in Safari");
    EXPECT_NE(activity.activityImage(), nullptr);
}

}  // namespace
