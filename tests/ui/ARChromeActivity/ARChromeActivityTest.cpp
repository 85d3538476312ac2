#include <gtest/gtest.h>

#include "platform/ui/Application.h"
#include "ui/ARChromeActivity/ARChromeActivity.h"

namespace {

using Items = std::vector<ui::ActivityItem>;

TEST(ARChromeActivityTest, ChromeURLEscapesEveryReservedCharacterOfItsValues) {
    ARChromeActivity activity(foundation::URL::fromString("barcodes://done?x=1"));
    activity.prepareWithActivityItems({ui::ActivityURL{"https://example.com/p?q=1&r=2#top"}});
    ui::Application::shared().registerURLHandler("googlechrome-x-callback",
                                                 [](const std::string&) { return true; });
    bool finished = false;
    activity.setFinishHandler([&](bool completed) { finished = completed; });
    activity.performActivity();

    ASSERT_EQ(ui::Application::shared().openedURLs().size(), 1u);
    EXPECT_EQ(ui::Application::shared().openedURLs()[0],
              "googlechrome-x-callback://x-callback-url/open/"
              "?url=https%3A%2F%2Fexample.com%2Fp%3Fq%3D1%26r%3D2%23top"
              "&x-success=barcodes%3A%2F%2Fdone%3Fx%3D1&x-source=Barcodes");
    EXPECT_TRUE(finished);
    EXPECT_EQ(activity.activityType(), "ARChromeActivity");
    EXPECT_EQ(activity.activityTitle(), "Open in Chrome");
}

TEST(ARChromeActivityTest, MissingCallbackIsLeftOutOfTheURL) {
    ARChromeActivity activity;
    activity.prepareWithActivityItems({ui::ActivityURL{"http://a.test/"}});
    EXPECT_EQ(activity.chromeURL(),
              "googlechrome-x-callback://x-callback-url/open/?url=http%3A%2F%2Fa.test%2F"
              "&x-source=Barcodes");
    activity.setCallbackSource("");
    EXPECT_EQ(activity.chromeURL(),
              "googlechrome-x-callback://x-callback-url/open/?url=http%3A%2F%2Fa.test%2F");
}

TEST(ARChromeActivityTest, OfferedForWebURLsAndTakesTheFirst) {
    ARChromeActivity plain;
    ARChromeActivity withCallback(foundation::URL::fromString("barcodes://done"));
    const Items web = {std::string("text"), ui::ActivityURL{"mailto:a@b.c"},
                       ui::ActivityURL{"http://first.test/"},
                       ui::ActivityURL{"https://second.test/"}};
    const Items none = {ui::ActivityURL{"mailto:a@b.c"}, ui::ActivityURL{"HTTP://upper.test/"},
                        std::string("http://x")};

    // Without a callback URL the app need not be there.
    EXPECT_TRUE(plain.canPerformWithActivityItems(web));
    EXPECT_FALSE(plain.canPerformWithActivityItems(none));
    EXPECT_FALSE(withCallback.canPerformWithActivityItems(web));
    ui::Application::shared().registerURLHandler("googlechrome-x-callback",
                                                 [](const std::string&) { return true; });
    EXPECT_TRUE(withCallback.canPerformWithActivityItems(web));

    plain.prepareWithActivityItems(web);
    EXPECT_NE(plain.chromeURL()->find("url=http%3A%2F%2Ffirst.test%2F"), std::string::npos);
}

}  // namespace
