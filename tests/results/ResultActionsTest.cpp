#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Bundle.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "results/CallAction.h"
#include "results/EmailAction.h"
#include "results/OpenUrlAction.h"
#include "results/SMSAction.h"
#include "results/ShowMapAction.h"

namespace {

using foundation::localizedString;

// Records every URL the actions hand out instead of leaving the application.
class ResultActions : public testing::Test {
  protected:
    void SetUp() override {
        OpenUrlAction::setOpenURLHook([this](const std::optional<foundation::URL>& url) {
            opened.push_back(url ? url->absoluteString() : "(none)");
        });
    }

    std::vector<std::string> opened;
};

std::string urlText(const std::optional<foundation::URL>& url) {
    return url ? url->absoluteString() : "(none)";
}

TEST_F(ResultActions, Urls) {
    struct Case {
        const char* rule;
        std::shared_ptr<OpenUrlAction> action;
        std::string url;
    };
    const std::vector<Case> cases = {
        {"number unescaped", CallAction::actionWithNumber("+1-555"), "tel:+1-555"},
        {"a number with a space has no URL", CallAction::actionWithNumber("555 1"), "(none)"},
        {"the SMS body is not in the URL", SMSAction::actionWithNumber("123", "hi"), "sms:123"},
        {"recipient, subject and body", EmailAction::actionWithRecipient("a@b.c", "s", "b"),
         "mailto:a@b.c?subject=s&body=b"},
        {"body without subject follows ?", EmailAction::actionWithRecipient("a@b.c", {}, "b"),
         "mailto:a@b.c?body=b"},
        {"recipient only", EmailAction::actionWithRecipient("a@b.c", {}, {}), "mailto:a@b.c"},
        {"each part escaped as UTF-8",
         EmailAction::actionWithRecipient("j d@b.c", "Grüße", "a \"b\""),
         "mailto:j%20d@b.c?subject=Gr%C3%BC%C3%9Fe&body=a%20%22b%22"},
        {"field delimiters inside values are escaped, so every value arrives whole",
         EmailAction::actionWithRecipient("a+b@c.d", "Tom & Jerry", "x=1?y#2+3"),
         "mailto:a+b@c.d?subject=Tom%20%26%20Jerry&body=x%3D1%3Fy%232%2B3"},
        {"a recipient cannot start the query", EmailAction::actionWithRecipient("a?b#@c.d", {}, {}),
         "mailto:a%3Fb%23@c.d"},
        {"map query delimiters are escaped",
         ShowMapAction::actionWithLocation("Tom & Jerry = cat?+mouse#1"),
         std::string("http://") + ShowMapAction::mapHost +
             "/maps?q=Tom%20%26%20Jerry%20%3D%20cat%3F%2Bmouse%231"},
        {"map search", ShowMapAction::actionWithLocation("48.8,2.3 (Paris)"),
         std::string("http://") + ShowMapAction::mapHost + "/maps?q=48.8,2.3%20(Paris)"},
        {"plain URL action", OpenUrlAction::actionWithURL(foundation::URL::fromString("http://x/")),
         "http://x/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(urlText(c.action->URL()), c.url) << c.rule;
    }
}

TEST_F(ResultActions, TitlesComeFromTheStringsTable) {
    auto call = CallAction::actionWithNumber("123");
    EXPECT_EQ(call->title(), "Call 123");
    EXPECT_EQ(call->alertTitle(), localizedString("CallAction alert title"));
    EXPECT_EQ(call->alertMessage(), "Call 123?");
    EXPECT_EQ(call->alertButtonTitle(), localizedString("CallAction alert button title"));
    EXPECT_EQ(SMSAction::actionWithNumber("123")->title(), "Send SMS to 123");
    EXPECT_EQ(EmailAction::actionWithRecipient("a@b.c", {}, {})->alertMessage(),
              "Write an email to a@b.c?");
    EXPECT_EQ(ShowMapAction::actionWithLocation("1,2")->alertMessage(), "Show 1,2 on the map?");
    EXPECT_EQ(OpenUrlAction::actionWithURL(foundation::URL::fromString("http://x/"))->title(),
              "Open http://x/");
    EXPECT_EQ(ResultAction().title(), "Abstract Action");
}

TEST_F(ResultActions, WithoutConfirmationTheUrlOpensAtOnce) {
    CallAction::actionWithNumber("123")->performActionWithController(nullptr, false);
    CallAction::actionWithNumber("1 2")->performActionWithController(nullptr, false);
    EXPECT_EQ(opened, (std::vector<std::string>{"tel:123", "(none)"}));
    EXPECT_TRUE(ui::AlertCenter::shared().history().empty());
}

TEST_F(ResultActions, ConfirmationAlertOpensOnlyOnItsButton) {
    auto action = SMSAction::actionWithNumber("123", "hi");
    action->performActionWithController(nullptr, true);
    EXPECT_TRUE(opened.empty());
    auto alert = std::dynamic_pointer_cast<ui::AlertView>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "");
    EXPECT_EQ(alert->message(), action->alertMessage());
    EXPECT_EQ(alert->buttonTitles(),
              (std::vector<std::string>{localizedString("OpenURLAction cancel button title"),
                                        action->alertButtonTitle()}));
    ASSERT_TRUE(alert->tapButton(alert->cancelButtonIndex()));
    EXPECT_TRUE(opened.empty());

    action->performActionWithController(nullptr, true);
    alert = std::dynamic_pointer_cast<ui::AlertView>(ui::AlertCenter::shared().topAlert());
    ASSERT_TRUE(alert);
    ASSERT_TRUE(alert->tapButtonTitled(action->alertButtonTitle()));
    EXPECT_EQ(opened, std::vector<std::string>{"sms:123"});
}

TEST_F(ResultActions, DefaultHookHandsTheUrlToThePlatform) {
    OpenUrlAction::setOpenURLHook(nullptr);
    auto& application = ui::Application::shared();
    application.reset();
    CallAction::actionWithNumber("123")->openURL();
    CallAction::actionWithNumber("1 2")->openURL();
    EXPECT_EQ(application.openedURLs(), std::vector<std::string>{"tel:123"});
    application.reset();
}

}  // namespace
