// The host's commands on a fresh application: the photo road end to end on
// the generated sample, the messages for bad pictures, the screen commands,
// and the `barcodes` program's exit status.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "host/HostSession.h"
#include "host/SamplePhoto.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "tests/host/HostTest.h"

namespace {

namespace fs = std::filesystem;

class HostSessionTest : public HostTest {
  protected:
    std::string write(const std::string& name, const std::string& bytes) {
        auto path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string blankPNG() {
        auto bitmap = graphics::Bitmap::make(400, 300, graphics::Rgba8{230, 230, 230, 255});
        auto png = graphics::PNGCodec::encode(*bitmap);
        return write("blank.png", std::string(png->begin(), png->end()));
    }
};

TEST_F(HostSessionTest, TheSamplePhotoIsScannedAndStored) {
    launch();
    const auto path = (folder_ / "sample.png").string();
    ASSERT_TRUE(SamplePhoto::write(path));
    auto reply = session_->execute("photo " + path);
    ASSERT_TRUE(reply.ok) << reply.text;
    EXPECT_EQ(reply.text, std::string("stored QR-Code \"") + SamplePhoto::kDefaultText +
                              "\" for the detail screen");
    EXPECT_EQ(session_->delegate()->lastRoute(), ScanRoute::detail);
    // Back on the scanner, with the reader gone.
    EXPECT_FALSE(session_->delegate()->nav2()->presentedViewController());

    auto sms = (folder_ / "sms.png").string();
    ASSERT_TRUE(SamplePhoto::write(sms, "SMSTO:+15550100:hello"));
    reply = session_->photo(sms);
    ASSERT_TRUE(reply.ok) << reply.text;
    EXPECT_NE(reply.text.find("for the scan-result screen"), std::string::npos) << reply.text;
}

TEST_F(HostSessionTest, BadPicturesGiveAClearMessageAndLeaveTheScannerUsable) {
    launch();
    fs::create_directory(folder_ / "a-folder_");
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {(folder_ / "missing.png").string(), "no such file: "},
        {(folder_ / "a-folder_").string(), "not a file: "},
        {write("notes.png", "these are not pixels"), "not an image (PNG, JPEG, GIF or BMP): "},
        {write("truncated.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
         "not an image (PNG, JPEG, GIF or BMP): "},
        {blankPNG(), "no barcode or QR code found in "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        auto reply = session_->photo(c.path);
        EXPECT_FALSE(reply.ok);
        EXPECT_EQ(reply.text, c.message + c.path);
        EXPECT_FALSE(session_->delegate()->nav2()->presentedViewController());
        EXPECT_TRUE(ui::AlertCenter::shared().visibleAlerts().empty());
    }
    EXPECT_EQ(session_->lastScanSummary(), "nothing stored");
    // And a good photo still goes through afterwards.
    const auto path = (folder_ / "sample.png").string();
    ASSERT_TRUE(SamplePhoto::write(path));
    EXPECT_TRUE(session_->photo(path).ok);
}

TEST_F(HostSessionTest, ScreenCommands) {
    launch();
    struct Case {
        std::string line;
        bool ok;
        std::string text;
    };
    const auto png = (folder_ / "screen.png").string();
    const Case cases[] = {
        {"screen", true, ""},
        {"", true, ""},
        {"back", false, "there is no screen to go back from"},
        {"row 0 0", false, "there is no table on screen"},
        {"row x", false, "usage: row SECTION ROW (numbers from 0)"},
        {"tap Nothing Like This", false, "nothing on screen shows \"Nothing Like This\""},
        {"type hello", false, "there is no text field on screen"},
        {"photo", false, "usage: photo FILE"},
        {"frames", false, "usage: frames FILE..."},
        {"fly away", false, "unknown command \"fly\" (try help)"},
        {"png " + png, true, "wrote " + png},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto reply = session_->execute(c.line);
        EXPECT_EQ(reply.ok, c.ok);
        EXPECT_EQ(reply.text, c.text);
    }
    auto picture = graphics::Image::imageWithContentsOfFile(png);
    ASSERT_TRUE(picture);
    EXPECT_GT(picture->size().width, 0);
    EXPECT_FALSE(session_->screen().empty());
    EXPECT_TRUE(session_->execute("quit").ok);
    EXPECT_TRUE(session_->hasQuit());
}

TEST_F(HostSessionTest, CameraFramesAreReadLikeAPhoto) {
    launch();
    const auto blank = blankPNG();
    const auto code = (folder_ / "frame.png").string();
    ASSERT_TRUE(SamplePhoto::write(code, "tel:+15550123"));
    auto reply = session_->execute("frames " + blank + " " + code);
    ASSERT_TRUE(reply.ok) << reply.text;
    EXPECT_NE(reply.text.find("\"tel:+15550123\" for the scan-result screen"), std::string::npos)
        << reply.text;
}

// The program itself, as a person runs it.
int run(const std::string& arguments, std::string* output) {
    const std::string command = std::string(BARCODES_BINARY) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        *output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(HostSessionTest, TheProgramExitsNonZeroOnBadInput) {
    const auto missing = (folder_ / "missing.jpg").string();
    std::string output;
    EXPECT_EQ(run("scan " + missing, &output), 1);
    EXPECT_EQ(output, "barcodes: no such file: " + missing + "\n");
    output.clear();
    EXPECT_EQ(run("scan", &output), 2) << "usage";
    output.clear();
    const auto sample = (folder_ / "written.png").string();
    EXPECT_EQ(run("sample " + sample, &output), 0) << output;
    EXPECT_TRUE(graphics::Image::imageWithContentsOfFile(sample));
}

}  // namespace
