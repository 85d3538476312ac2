#include <gtest/gtest.h>

#include <atomic>

#include "ads/webview/GADMRAIDPicture.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/SavedPhotosAlbum.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;

namespace {

struct Recorder : GADMRAIDPictureDelegate {
    std::vector<std::string> outcomes;
    void MRAIDPictureDidStorePictureWithURL(GADMRAIDPicture&, const foundation::URL& url) override {
        outcomes.push_back("stored " + url.absoluteString());
    }
    void MRAIDPictureFailedToStorePictureWithURL(GADMRAIDPicture&, const foundation::URL&,
                                                 const std::string& message) override {
        outcomes.push_back(message);
    }
};

class GADMRAIDPictureTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto png =
            graphics::PNGCodec::encode(*graphics::Bitmap::make(4, 3, {255, 0, 0, 255}));
        server.server().Get("/picture.png",
                            [this, body = std::string(png->begin(), png->end())](
                                const httplib::Request&, httplib::Response& answer) {
                                ++pictureRequests;
                                answer.set_content(body, "image/png");
                            });
        server.serve("/page.html", 200, "<html></html>", "text/html");
        server.start();
    }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    // Offers the picture at `path` and answers the alert with `button`.
    std::shared_ptr<GADMRAIDPicture> offer(const std::string& path, const std::string& button) {
        auto picture =
            std::make_shared<GADMRAIDPicture>(*foundation::URL::fromString(server.url(path)));
        picture->setDelegate(recorder);
        picture->storeInPhotoAlbum();
        auto alert = ui::AlertCenter::shared().topAlert();
        EXPECT_TRUE(alert);
        EXPECT_EQ(alert->title(), "Permission");
        EXPECT_EQ(alert->message(), "The ad is requesting to save an image in your photo album.");
        EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Cancel", "Save"}));
        alert->tapButtonTitled(button);
        pictures.push_back(picture);
        return picture;
    }
    bool outcomes(std::size_t count) {
        return RunLoop::main().runUntil([&] { return recorder->outcomes.size() >= count; }, 10);
    }

    testing_support::LocalServer server;
    std::atomic<int> pictureRequests{0};
    // The handler keeps its pictures while they work.
    std::vector<std::shared_ptr<GADMRAIDPicture>> pictures;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
};

TEST_F(GADMRAIDPictureTest, ASavedPictureGoesToTheAlbumOnce) {
    auto picture = offer("/picture.png", "Save");
    ASSERT_TRUE(outcomes(1));
    EXPECT_EQ(recorder->outcomes, std::vector<std::string>{"stored " + server.url("/picture.png")});
    ASSERT_EQ(ui::SavedPhotosAlbum::images().size(), 1u);
    EXPECT_EQ(ui::SavedPhotosAlbum::images()[0]->size(), (graphics::Size{4, 3}));
    picture->downloadImageWithURL(picture->pictureURL());  // a second download never starts
    picture->downloadImageWithURL(std::nullopt);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(pictureRequests.load(), 1);
}

TEST_F(GADMRAIDPictureTest, WhatIsNoPictureIsReportedAndNotStored) {
    offer("/page.html", "Save");
    ASSERT_TRUE(outcomes(1));
    offer("/missing.png", "Save");
    ASSERT_TRUE(outcomes(2));
    server.stop();
    offer("/picture.png", "Save");
    ASSERT_TRUE(outcomes(3));
    EXPECT_EQ(recorder->outcomes[0],
              "Failed to load " + server.url("/page.html") + ". Error: (null)");
    EXPECT_EQ(recorder->outcomes[1],
              "Failed to load " + server.url("/missing.png") + ". Error: (null)");
    EXPECT_TRUE(recorder->outcomes[2].starts_with("Failed to load " + server.url("/picture.png") +
                                                  ". Error: "));
    EXPECT_NE(recorder->outcomes[2],
              "Failed to load " + server.url("/picture.png") + ". Error: (null)");
    EXPECT_TRUE(ui::SavedPhotosAlbum::images().empty());
}

TEST_F(GADMRAIDPictureTest, CancelDownloadsNothing) {
    offer("/picture.png", "Cancel");
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(recorder->outcomes.empty());
    EXPECT_EQ(pictureRequests.load(), 0);
    EXPECT_TRUE(ui::SavedPhotosAlbum::images().empty());
}

}  // namespace
