// The host's commands on a fresh application: the photo road end to end on
// the generated sample, the messages for bad pictures, the screen commands,
// and the `barcodes` program's exit status.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "host/HostSession.h"
#include "host/SamplePhoto.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/store/Database.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "tests/host/HostTest.h"
#include "tests/support/AdServer.h"

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
        // A picture whose header declares 20000 by 20000 pixels.
        {write("huge.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x4e\x20\0\0\x4e\x20"
                                       "\x08\x00\x00\x00\x00\0\0\0\0",
                                       33)),
         "too large (20000x20000 pixels; at most 16384 a side and 40000000 in all): "},
        {write("empty.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\0\0\0\0\0"
                                        "\x08\x00\x00\x00\x00\0\0\0\0",
                                        33)),
         "an empty picture (0x0 pixels): "},
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
        {"delete 0", false, "usage: delete SECTION ROW (numbers from 0)"},
        {"delete 0 0", false, "there is no table on screen"},
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

// The program itself, as a person runs it: what it prints on both streams,
// or on its standard output alone.
int run(const std::string& arguments, std::string* output, bool withErrors = true) {
    const std::string command =
        std::string(BARCODES_BINARY) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
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
    EXPECT_EQ(run("sample " + sample + " 'say \"hi\"'", &output), 0) << output;
    EXPECT_TRUE(graphics::Image::imageWithContentsOfFile(sample));
    output.clear();
    EXPECT_EQ(run("scan " + sample, &output, false), 0) << output;
    EXPECT_EQ(output.substr(0, output.find('\n')), R"(QR-Code "say \"hi\"")") << output;
}

TEST_F(HostSessionTest, PointedAtAnAdServerTheDetailScreenShowsItsAd) {
    testing_support::AdServer server;
    server.setAdResponse(server.ad(testing_support::AdServer::AdKind::html, "Scan more codes"));
    const auto sample = (folder_ / "ad.png").string();
    ASSERT_TRUE(SamplePhoto::write(sample, "https://example.com/"));
    ::setenv("BARCODES_AD_SERVER", (server.origin() + "/").c_str(), 1);
    std::string output;
    const int status = run("scan " + sample, &output, false);
    ::unsetenv("BARCODES_AD_SERVER");
    ASSERT_EQ(status, 0) << output;
    const auto requests = server.requestsTo(testing_support::AdServer::kAdPath);
    ASSERT_EQ(requests.size(), 1u) << output;
    EXPECT_NE(output.find("Ad \"Scan more codes\" " + server.origin() + requests[0].target),
              std::string::npos)
        << output;
}

TEST_F(HostSessionTest, ATapReachesTheLinkOfTheAdOnScreen) {
    testing_support::AdServer server;
    server.useAsSDKCoreServer();
    server.setAdResponse(server.ad(testing_support::AdServer::AdKind::html, "Scan more codes"));
    const auto sample = (folder_ / "ad.png").string();
    ASSERT_TRUE(SamplePhoto::write(sample, "https://example.com/"));
    launch();
    ASSERT_TRUE(session_->photo(sample).ok);
    ASSERT_NE(session_->screen().find("Ad \"Scan more codes\""), std::string::npos)
        << session_->screen();
    const std::size_t opened = ui::Application::shared().openedURLs().size();
    const auto reply = session_->execute("tap Scan more codes");
    EXPECT_TRUE(reply.ok) << reply.text;
    ASSERT_TRUE(server.waitForRequests(testing_support::AdServer::kClickPath));
    ASSERT_EQ(ui::Application::shared().openedURLs().size(), opened + 1);
    EXPECT_EQ(ui::Application::shared().openedURLs().back(), server.url("/landing"));
    EXPECT_FALSE(session_->execute("tap 5000 5000").ok);
}

TEST_F(HostSessionTest, TheScanLineGivesTypeAndExactTextAsAJSONString) {
    launch();
    struct Case {
        const char* rule;
        std::string text;
        std::string line;
    };
    const Case cases[] = {
        {"quotes and line breaks are escaped", "say \"hi\"\nbye", R"(QR-Code "say \"hi\"\nbye")"},
        {"a NUL byte and what follows it are kept", std::string("id\0tail", 7),
         R"(QR-Code "id\u0000tail")"},
        {"non-ASCII text stays as it is", "Grüße & more", R"(QR-Code "Grüße & more")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        const auto path = (folder_ / "code.png").string();
        ASSERT_TRUE(SamplePhoto::write(path, c.text));
        auto reply = session_->photo(path);
        ASSERT_TRUE(reply.ok) << reply.text;
        EXPECT_EQ(session_->lastScanLine(), c.line);
        EXPECT_EQ(reply.text, "stored " + c.line + " for the detail screen");
    }
}

TEST_F(HostSessionTest, SettlingRunsTheApplicationsDelaysButNotItsAnimations) {
    launch();
    auto& loop = foundation::RunLoop::main();
    std::vector<std::string> ran;
    int ticks = 0;
    auto animation = foundation::Timer::make(0.01, true, [&](foundation::Timer&) { ++ticks; });
    loop.addTimer(animation);
    loop.performAfter(0.3, [&] {
        ran.push_back("after 0.3 s");
        loop.performAfter(0.6, [&] { ran.push_back("0.6 s later"); });
    });
    loop.performAfter(5, [&] { ran.push_back("after 5 s"); });
    session_->settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"after 0.3 s", "0.6 s later"}));
    EXPECT_GT(ticks, 0) << "the animation goes on while time moves";
    animation->invalidate();
}

// A first run of the program on the test's home; answers the store's path.
std::string launchOnce() {
    const auto sample = fs::path(BarcodeStore::storePath()).parent_path() / "first.png";
    std::string output;
    EXPECT_TRUE(SamplePhoto::write(sample.string()));
    EXPECT_EQ(run("scan " + sample.string(), &output), 0) << output;
    return BarcodeStore::storePath();
}

TEST_F(HostSessionTest, AHistoryStoreThatCannotBeOpenedIsNamedAndLeftUntouched) {
    const auto sample = (folder_ / "sample.png").string();
    ASSERT_TRUE(SamplePhoto::write(sample));
    const auto store = BarcodeStore::storePath();
    struct Case {
        const char* rule;
        std::string bytes;
    };
    const Case cases[] = {
        {"a file of junk", "this is not a history store at all, only some words"},
        {"a store cut short",
         [&] {
             launchOnce();
             std::ifstream in(store, std::ios::binary);
             std::string bytes((std::istreambuf_iterator<char>(in)), {});
             return bytes.substr(0, bytes.size() / 2);
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        std::ofstream(store, std::ios::binary | std::ios::trunc) << c.bytes;
        std::string output;
        EXPECT_EQ(run("scan " + sample, &output), 1);
        EXPECT_NE(output.find("barcodes: the history store cannot be opened: " + store),
                  std::string::npos)
            << output;
        std::ifstream in(store, std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), c.bytes);

        relaunch();
        auto reply = session_->execute("photo " + sample);
        EXPECT_FALSE(reply.ok);
        EXPECT_NE(reply.text.find("the history store cannot be opened: " + store),
                  std::string::npos)
            << reply.text;
        EXPECT_NE(reply.text.find("the history store is not open"), std::string::npos)
            << reply.text;
    }
}

TEST_F(HostSessionTest, AFailedSaveReachesTheUser) {
    const auto sample = (folder_ / "sample.png").string();
    ASSERT_TRUE(SamplePhoto::write(sample));
    const auto store = launchOnce();
    // Another writer holds the store: it opens and reads, every save fails.
    auto writer = store::Database::open(store, nullptr);
    ASSERT_TRUE(writer && writer->begin());
    std::string output;
    EXPECT_EQ(run("scan " + sample, &output), 1);
    EXPECT_NE(output.find("barcodes: the history was not saved to " + store), std::string::npos)
        << output;
    EXPECT_EQ(output.find("QR-Code"), std::string::npos) << "nothing shown as stored";

    relaunch();
    auto reply = session_->execute("photo " + sample);
    EXPECT_FALSE(reply.ok);
    EXPECT_NE(reply.text.find("the history was not saved to " + store), std::string::npos)
        << reply.text;
    reply = session_->execute("quit");
    EXPECT_FALSE(reply.ok) << "the save at the end fails too";
    writer->rollback();
}

}  // namespace
