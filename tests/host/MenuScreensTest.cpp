// The scanner menu's screens through the host, against a local server: the
// about screen shows the about information fetched at launch, and "Our Apps"
// lists the apps of the lookup address that the maker's page gives.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "app/AppDelegate.h"
#include "app/DeveloperPage.h"
#include "model/AESCrypt.h"
#include "platform/foundation/ApplicationHome.h"
#include "tests/host/HostTest.h"
#include "tests/support/LocalServer.h"

namespace {

class MenuScreensTest : public HostTest {
  protected:
    void TearDown() override {
        HostTest::TearDown();
        server.stop();
        DeveloperPage::setURL("http://127.0.0.1:1/");
    }

    static std::string page(const std::string& paragraphClass, const std::string& text) {
        return "<html><body><p class='" + paragraphClass + "'>" + text + "</p></body></html>";
    }

    // Lets the application run, as a user looking at the screen would,
    // until `done` holds (at most 20 s of real time).
    bool settleUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            session_->settle();
        }
        return true;
    }

    bool shows(const std::string& text) {
        return session_->screen().find(text) != std::string::npos;
    }

    testing_support::LocalServer server;
};

TEST_F(MenuScreensTest, HelpAndAboutShowsTheInformationFetchedAtLaunch) {
    const std::string info =
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>MHAboutViewInfo</key><dict>"
        "<key>AppName</key><string>Quorvex Scanner</string>"
        "<key>ReviewURL</key><string>http://review.example/</string></dict></dict></plist>";
    server.serve("/about", 200, page("about-info-class", AESCrypt::encrypt(info, "z3bra9ok")));
    server.start();
    AppDelegate::setAboutPageURL(server.url("/about"));
    launch();
    const auto file =
        std::filesystem::path(foundation::ApplicationHome::library()) / "AboutInfo.plist";
    ASSERT_TRUE(settleUntil([&] { return std::filesystem::exists(file); }));

    for (const char* command : {"tap Menu", "tap Help & About"}) {
        auto reply = session_->execute(command);
        ASSERT_TRUE(reply.ok) << command << ": " << reply.text;
    }
    EXPECT_TRUE(shows("About")) << session_->screen();
    EXPECT_TRUE(shows("Quorvex Scanner")) << session_->screen();
    EXPECT_TRUE(shows("Review In The App Store")) << session_->screen();
}

TEST_F(MenuScreensTest, OurAppsListsTheAppsOfTheLocalLookup) {
    server.serve("/apps", 200,
                 page("special-post",
                      AESCrypt::encrypt(server.url("/lookup?id=42"), DeveloperPage::kPassword)));
    server.serve("/lookup", 200,
                 R"({"resultCount": 2, "results": [
                     {"trackName": "Quorvex Notes", "formattedPrice": "$1.99"},
                     {"trackName": "Quorvex Maps", "formattedPrice": "Free"}]})",
                 "application/json");
    server.start();
    DeveloperPage::setURL(server.url("/apps"));
    launch();

    for (const char* command : {"tap Menu", "tap Our Apps"}) {
        auto reply = session_->execute(command);
        ASSERT_TRUE(reply.ok) << command << ": " << reply.text;
    }
    ASSERT_TRUE(settleUntil([&] { return shows("Quorvex Maps"); })) << session_->screen();
    EXPECT_TRUE(shows("Our Apps"));
    EXPECT_TRUE(shows("Quorvex Notes"));
    EXPECT_TRUE(shows("$1.99"));
}

}  // namespace
