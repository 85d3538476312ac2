#include <gtest/gtest.h>

#include "app/MailComposerController.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/Window.h"

namespace {

using services::MailComposeViewController;

TEST(MailComposerController, PresentsTheFilledComposerAndDismissesItWhenDone) {
    foundation::ManualClock clock;
    auto screen = std::make_shared<MailComposerController>();
    auto window = ui::Window::make();
    window->setRootViewController(screen);
    window->makeKeyAndVisible();

    screen->mail([](MailComposeViewController& composer) {
        composer.setSubject("Hello");
        composer.setToRecipients({"a@example.com"});
    });
    auto composer =
        std::dynamic_pointer_cast<MailComposeViewController>(screen->presentedViewController());
    ASSERT_TRUE(composer);
    EXPECT_EQ(composer->subject(), "Hello");
    EXPECT_EQ(composer->toRecipients(), std::vector<std::string>{"a@example.com"});
    clock.advance(0.5);

    composer->finish(services::MailComposeResult::sent);
    clock.advance(0.5);
    EXPECT_FALSE(screen->presentedViewController());
    EXPECT_EQ(window->topViewController(), screen);
}

TEST(MailComposerController, PresentsNothingWhenMailCannotBeSent) {
    foundation::ManualClock clock;
    auto screen = std::make_shared<MailComposerController>();
    auto window = ui::Window::make();
    window->setRootViewController(screen);
    window->makeKeyAndVisible();
    MailComposeViewController::setCanSendMail(false);
    bool filled = false;
    screen->mail([&](MailComposeViewController&) { filled = true; });
    MailComposeViewController::setCanSendMail(true);
    EXPECT_FALSE(filled);
    EXPECT_FALSE(screen->presentedViewController());
}

}  // namespace
