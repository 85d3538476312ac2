// The code detail screen through the host's commands: a photo of a product
// code opens the detail screen with the product links, and tapping the copy
// row copies the code.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "QRGen/Barcode2.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/BarcodeDetailController.h"
#include "app/OverlayScreens.h"
#include "host/HostSession.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Pasteboard.h"
#include "tests/host/HostTest.h"

namespace {

namespace fs = std::filesystem;

class DetailScreenTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        launch();
    }

    // A picture of the EAN-13 code of `digits`, as the code image maker draws it.
    std::string eanPhoto(const std::string& digits) {
        Barcode2 maker;
        const auto bmp = maker.digitToBmpRenderer(maker.addQuietZone(maker.getDigit(digits, 13)));
        const auto path = (folder_ / "product.bmp").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        return path;
    }
};

TEST_F(DetailScreenTest, ProductPhotoOpensTheDetailScreenWithItsLinks) {
    auto reply = session_->photo(eanPhoto("4006381333931"));
    ASSERT_TRUE(reply.ok) << reply.text;
    auto screen = std::dynamic_pointer_cast<BarcodeDetailController>(
        session_->delegate()->nav2()->topViewController());
    ASSERT_TRUE(screen) << session_->screen();
    EXPECT_EQ(screen->barcode()->data(), "4006381333931");

    const auto outline = session_->screen();
    for (const char* row : {"\"data\" / \"4006381333931\"", "\"type\" / \"EAN-13\"",
                            "\"Dezuvo Search\" >", "\"Amazon Search\" >"}) {
        EXPECT_NE(outline.find(row), std::string::npos) << row << " in\n" << outline;
    }
    EXPECT_EQ(screen->actions().size(), 6u);

    auto copy = session_->row(1, static_cast<int>(screen->actions().size()));
    ASSERT_TRUE(copy.ok) << copy.text;
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), "4006381333931");
}

}  // namespace
