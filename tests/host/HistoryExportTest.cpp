// The history of a `barcodes` run listed, opened and exported to a file
// through the host's commands.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "host/HostSession.h"
#include "host/SamplePhoto.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"

namespace {

namespace fs = std::filesystem;

class HistoryExportTest : public testing::Test {
  protected:
    void SetUp() override {
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        ui::ImagePickerController::resetAvailability();
        foundation::UserDefaults::resetStandardUserDefaults();
        AppScreens::shared() = AppScreens{};
        AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
        folder = fs::path(foundation::ApplicationHome::temporary());
        session = std::make_unique<HostSession>();
        ASSERT_TRUE(session->isLaunched());
    }
    void TearDown() override {
        session.reset();
        ui::Application::shared().reset();
    }

    void scan(const std::string& name, const std::string& text) {
        const auto path = (folder / name).string();
        ASSERT_TRUE(SamplePhoto::write(path, text));
        auto reply = session->photo(path);
        ASSERT_TRUE(reply.ok) << reply.text;
    }

    fs::path folder;
    std::unique_ptr<HostSession> session;
};

TEST_F(HistoryExportTest, ScannedCodesAreListedOpenedAndExported) {
    scan("first.png", "first code");
    scan("second.png", "=1+2");

    // From the detail screen of the last scan back to the scanner, then on
    // to the history.
    auto reply = session->execute("back");
    ASSERT_TRUE(reply.ok) << reply.text;
    reply = session->execute("tap History");
    ASSERT_TRUE(reply.ok) << reply.text;
    const auto list = session->screen();
    EXPECT_NE(list.find("first code"), std::string::npos) << list;
    EXPECT_NE(list.find("=1+2"), std::string::npos) << list;

    const auto csv = (folder / "history.csv").string();
    reply = session->execute("export " + csv);
    ASSERT_TRUE(reply.ok) << reply.text;
    std::ifstream in(csv, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const auto text = bytes.str();
    EXPECT_NE(text.find("first code"), std::string::npos) << text;
    // Scanned data that a spreadsheet would evaluate is written as text.
    EXPECT_NE(text.find("'=1+2"), std::string::npos) << text;
    // The composer is gone and the list is usable again.
    EXPECT_FALSE(session->delegate()->nav2()->presentedViewController());

    reply = session->execute("row 0 0");
    ASSERT_TRUE(reply.ok) << reply.text;
    EXPECT_NE(session->screen().find("=1+2"), std::string::npos) << session->screen();
}

TEST_F(HistoryExportTest, ExportNeedsAFileName) {
    EXPECT_FALSE(session->execute("export").ok);
}

}  // namespace
