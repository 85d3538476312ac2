// The scan-result and QR creation screens through the host's commands: a
// photo of a contact card, a telephone number or a place opens the scan-result
// screen with its action, and a typed text becomes a QR code that reads back.

#include <gtest/gtest.h>

#include <filesystem>

#include "QRGen/Barcode2.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/OverlayScreens.h"
#include "app/QRGenViewController.h"
#include "app/ScanViewController.h"
#include "host/HostSession.h"
#include "host/SamplePhoto.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/NavigationController.h"
#include "tests/app/QRDecoding.h"
#include "tests/host/HostTest.h"

namespace {

namespace fs = std::filesystem;

class ScanResultScreensTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        launch();
    }

    std::shared_ptr<ui::NavigationController> nav() const { return session_->delegate()->nav2(); }

    // Scans a photo of a QR code of `text` and answers the screen shown.
    std::shared_ptr<ScanViewController> scan(const std::string& text) {
        const auto path = (folder_ / "code.png").string();
        EXPECT_TRUE(SamplePhoto::write(path, text));
        auto reply = session_->photo(path);
        EXPECT_TRUE(reply.ok) << reply.text;
        return std::dynamic_pointer_cast<ScanViewController>(nav()->topViewController());
    }
};

TEST_F(ScanResultScreensTest, ContactTelephoneAndPlaceCodesOpenTheScanResultScreen) {
    struct Case {
        std::string text;
        std::string typeName;
        std::string display;
        std::string action;
    };
    const Case cases[] = {
        {"BEGIN:VCARD\nVERSION:3.0\nN:Doe;Jane\nFN:Jane Doe\nTEL:+15550199\nEND:VCARD", "Contact",
         "Jane Doe", "Add Contact"},
        {"tel:+15550123", "Phone Number", "+15550123", "Call +15550123"},
        {"geo:48.8582,2.2945", "Location", "Position: 48.8582,2.2945", "Show on Map"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto screen = scan(c.text);
        ASSERT_TRUE(screen);
        EXPECT_EQ(screen->scan()->text(), c.text);
        const auto outline = session_->screen();
        for (const auto& shown :
             {std::string("\"Scan Result\""), "\"" + c.typeName + "\"", c.display,
              "{Label \"" + c.action + "\"}", std::string("{Label \"Copy to Clipboard\"}")})
            EXPECT_NE(outline.find(shown), std::string::npos) << shown << " in\n" << outline;
        ASSERT_TRUE(session_->back().ok);
    }
}

TEST_F(ScanResultScreensTest, TheCallRowCallsAtOnce) {
    std::vector<std::string> called;
    ui::Application::shared().registerURLHandler("tel", [&](const std::string& url) {
        called.push_back(url);
        return true;
    });
    ASSERT_TRUE(scan("tel:+15550123"));
    ASSERT_TRUE(session_->execute("row 2 0").ok);
    EXPECT_EQ(called, std::vector<std::string>{"tel:+15550123"});
    EXPECT_TRUE(ui::AlertCenter::shared().visibleAlerts().empty());
}

TEST_F(ScanResultScreensTest, ATypedTextBecomesAQRCodeThatReadsBack) {
    ASSERT_TRUE(OverlayScreens::shared().qrCreator) << "the scanner menu's QR creator";
    nav()->pushViewController(OverlayScreens::shared().qrCreator(), false);
    session_->settle(0.5);
    const std::string text = "Hello from the host";
    for (const std::string& line : {"type " + text, std::string("tap Generate QR Code")}) {
        auto reply = session_->execute(line);
        ASSERT_TRUE(reply.ok) << line << ": " << reply.text;
    }
    auto qr = std::dynamic_pointer_cast<QRGenViewController>(nav()->topViewController());
    ASSERT_TRUE(qr);
    EXPECT_EQ(decodeQRFile(Barcode2::qrImagePath()), text);

    // The screen as drawn reads back too.
    const auto drawn = (folder_ / "screen.png").string();
    ASSERT_TRUE(session_->png(drawn).ok);
    EXPECT_EQ(decodeQRFile(drawn), text);

    ASSERT_TRUE(session_->execute("tap Action").ok);
    auto share =
        std::dynamic_pointer_cast<ui::ActivityViewController>(qr->presentedViewController());
    ASSERT_TRUE(share);
    ASSERT_EQ(share->activityItems().size(), 1u);
    EXPECT_EQ(std::get<graphics::Image::Ptr>(share->activityItems()[0]), qr->imageView()->image());
}

TEST_F(ScanResultScreensTest, TheScanResultMenuMakesAQRCodeOfTheScannedText) {
    ASSERT_TRUE(scan("geo:48.8582,2.2945"));
    for (const std::string line : {"tap Action", "tap Create QR Code"}) {
        auto reply = session_->execute(line);
        ASSERT_TRUE(reply.ok) << line << ": " << reply.text;
    }
    auto qr = std::dynamic_pointer_cast<QRGenViewController>(nav()->topViewController());
    ASSERT_TRUE(qr);
    EXPECT_EQ(decodeQRFile(Barcode2::qrImagePath()), "geo:48.8582,2.2945");
}

}  // namespace
