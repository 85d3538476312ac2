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
#include "tests/host/HostTest.h"

namespace {

namespace fs = std::filesystem;

class HistoryExportTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        launch();
    }

    void scan(const std::string& name, const std::string& text) {
        const auto path = (folder_ / name).string();
        ASSERT_TRUE(SamplePhoto::write(path, text));
        auto reply = session_->photo(path);
        ASSERT_TRUE(reply.ok) << reply.text;
    }
};

TEST_F(HistoryExportTest, ScannedCodesAreListedOpenedAndExported) {
    scan("first.png", "first code");
    scan("second.png", "=1+2");

    // From the detail screen of the last scan back to the scanner, then on
    // to the history.
    auto reply = session_->execute("back");
    ASSERT_TRUE(reply.ok) << reply.text;
    reply = session_->execute("tap History");
    ASSERT_TRUE(reply.ok) << reply.text;
    const auto list = session_->screen();
    EXPECT_NE(list.find("first code"), std::string::npos) << list;
    EXPECT_NE(list.find("=1+2"), std::string::npos) << list;

    const auto csv = (folder_ / "history.csv").string();
    reply = session_->execute("export " + csv);
    ASSERT_TRUE(reply.ok) << reply.text;
    std::ifstream in(csv, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const auto text = bytes.str();
    EXPECT_NE(text.find("first code"), std::string::npos) << text;
    // Scanned data that a spreadsheet would evaluate is written as text.
    EXPECT_NE(text.find("'=1+2"), std::string::npos) << text;
    // The composer is gone and the list is usable again.
    EXPECT_FALSE(session_->delegate()->nav2()->presentedViewController());

    reply = session_->execute("row 0 0");
    ASSERT_TRUE(reply.ok) << reply.text;
    EXPECT_NE(session_->screen().find("=1+2"), std::string::npos) << session_->screen();
}

TEST_F(HistoryExportTest, ExportWorksFromAnyScreen) {
    scan("first.png", "from the detail screen");
    // On the detail screen of that scan, with the share sheet open.
    ASSERT_TRUE(session_->execute("tap Action").ok);
    const auto csv = (folder_ / "history.csv").string();
    auto reply = session_->execute("export " + csv);
    ASSERT_TRUE(reply.ok) << reply.text;
    std::ifstream in(csv, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_NE(bytes.str().find("from the detail screen"), std::string::npos) << bytes.str();
    EXPECT_EQ(session_->delegate()->nav2()->topViewController(), session_->delegate()->list());
}

TEST_F(HistoryExportTest, ExportNeedsAFileName) {
    EXPECT_FALSE(session_->execute("export").ok);
}

}  // namespace
