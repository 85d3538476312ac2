#include <gtest/gtest.h>

#include "app/Categories/VersionInfo.h"
#include "app/MHAboutViewController.h"
#include "app/MHAboutViewController2.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"

namespace {

using foundation::Value;

class MHAboutViewControllerTest : public testing::Test {
  protected:
    void TearDown() override { MHAboutViewController::forgetAboutViewInfo(); }

    static void writeInfo(const Value& info) {
        foundation::PropertyList::writeFile(
            Value::dictionary({{MHAboutViewController::kInfoKey, info}}),
            foundation::ApplicationHome::library() + "/" + MHAboutViewController::kFileName);
        MHAboutViewController::forgetAboutViewInfo();
    }
    std::shared_ptr<MHAboutViewController> show() {
        auto screen = std::make_shared<MHAboutViewController>();
        window = ui::Window::make();
        window->setRootViewController(ui::NavigationController::withRootViewController(screen));
        window->makeKeyAndVisible();
        screen->view();
        return screen;
    }
    static std::vector<std::string> rows(MHAboutViewController& screen) {
        std::vector<std::string> out;
        auto& table = *screen.tableView();
        for (int s = 0; s < screen.numberOfSectionsInTableView(table); ++s) {
            for (int r = 0; r < screen.numberOfRowsInSection(table, s); ++r) {
                out.push_back(std::to_string(s) + ":" +
                              screen.cellForRowAtIndexPath(table, ui::IndexPath::forRow(r, s))
                                  ->textLabel()
                                  ->text());
            }
        }
        return out;
    }
    static void tap(MHAboutViewController& screen, int section, int row) {
        screen.didSelectRowAtIndexPath(*screen.tableView(), ui::IndexPath::forRow(row, section));
    }

    std::shared_ptr<ui::Window> window;
};

TEST_F(MHAboutViewControllerTest, TheRowsFollowTheAboutInformation) {
    const struct {
        const char* name;
        Value info;
        std::vector<std::string> rows;
    } cases[] = {
        {"no file", Value(), {"0:" + VersionInfo::displayName().value_or("")}},
        {"no review address",
         Value::dictionary({{"AppName", "Scanner"}, {"DeveloperURL", "http://d.example/"}}),
         {"0:Scanner"}},
        {"review without pro version",
         Value::dictionary({{"AppName", "Scanner"}, {"ReviewURL", "http://r.example/"}}),
         {"0:Scanner", "1:Contact Us", "1:Review In The App Store", "2:Recommend to Friends",
          "3:More Apps From The Developer"}},
        {"everything",
         Value::dictionary({{"AppName", ""},
                            {"ReviewURL", "http://r.example/"},
                            {"ProVersionURL", "http://p.example/"}}),
         {"0:" + VersionInfo::displayName().value_or(""), "1:Contact Us",
          "1:Review In The App Store", "2:Buy Ad-Free Version", "3:Recommend to Friends",
          "4:More Apps From The Developer"}},
        // Decrypted text from the network: wrong types count as absent.
        {"wrong types",
         Value::dictionary({{"AppName", 7},
                            {"ReviewURL", "http://r.example/"},
                            {"ProVersionURL", Value::array()}}),
         {"0:" + VersionInfo::displayName().value_or(""), "1:Contact Us",
          "1:Review In The App Store", "2:Recommend to Friends", "3:More Apps From The Developer"}},
        // A review address that is no URL: no review row, no recommendation.
        {"malformed review address",
         Value::dictionary({{"AppName", "Scanner"},
                            {"ReviewURL", "not a link"},
                            {"ProVersionURL", "http://p.example/"}}),
         {"0:Scanner", "1:Contact Us", "2:Buy Ad-Free Version", "3:More Apps From The Developer"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.info.isNull()) {
            MHAboutViewController::forgetAboutViewInfo();
        } else {
            writeInfo(c.info);
        }
        auto screen = show();
        EXPECT_EQ(screen->title(), "About");
        EXPECT_EQ(rows(*screen), c.rows);
        auto first =
            screen->cellForRowAtIndexPath(*screen->tableView(), ui::IndexPath::forRow(0, 0));
        EXPECT_EQ(first->detailTextLabel()->text(), VersionInfo::versionBuild());
        EXPECT_EQ(first->accessoryType(), ui::TableViewCellAccessoryType::none);
    }
}

TEST_F(MHAboutViewControllerTest, RowsOpenTheirAddressesMailAndRecommendation) {
    writeInfo(Value::dictionary({{"AppName", "Scanner"},
                                 {"ContactEmail", "help@quorvex.example"},
                                 {"ReviewURL", "http://r.example/review"},
                                 {"DeveloperURL", "http://d.example/apps"}}));
    auto screen = show();
    auto& application = ui::Application::shared();
    tap(*screen, 1, 1);
    EXPECT_EQ(application.openedURLs().back(), "http://r.example/review");
    tap(*screen, 3, 0);
    EXPECT_EQ(application.openedURLs().back(), "http://d.example/apps");

    services::MailComposeViewController::setCanSendMail(true);
    tap(*screen, 1, 0);
    auto mail = std::dynamic_pointer_cast<services::MailComposeViewController>(
        screen->presentedViewController());
    ASSERT_NE(mail, nullptr);
    EXPECT_EQ(mail->toRecipients(), std::vector<std::string>{"help@quorvex.example"});
    EXPECT_EQ(mail->subject(), VersionInfo::versionBuild() + " feedback");
    EXPECT_EQ(mail->messageBody().rfind("Hi, Scanner, \n\n My device info:\n - ", 0), 0u);
    EXPECT_FALSE(mail->isHTML());
    mail->finish(services::MailComposeResult::sent, std::nullopt);
    foundation::RunLoop::main().runFor(0.5);
    EXPECT_EQ(screen->presentedViewController(), nullptr);

    services::MailComposeViewController::setCanSendMail(false);
    tap(*screen, 1, 0);
    auto alert = ui::AlertCenter::shared().topAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Uh oh...");
    services::MailComposeViewController::setCanSendMail(true);

    EXPECT_EQ(screen->recommendationText(),
              std::string(MHAboutViewController::kRecommendation) + " http://r.example/review");
    writeInfo(Value::dictionary({{"ReviewURL", "not a link"}}));
    EXPECT_EQ(screen->recommendationText(), MHAboutViewController::kRecommendation);
}

}  // namespace
