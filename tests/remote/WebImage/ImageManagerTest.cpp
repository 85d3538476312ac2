#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/net/URLError.h"
#include "remote/WebImage/SDWebImageManager.h"
#include "tests/remote/WebImage/Gate.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;

struct Delivery {
    graphics::Image::Ptr image;
    std::optional<foundation::Error> error;
    SDImageCacheSource source = SDImageCacheSource::none;
    bool finished = false;
};

class ImageManagerTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto data =
            *graphics::PNGCodec::encode(*graphics::Bitmap::make(5, 4, {9, 9, 9, 255}));
        png.assign(data.begin(), data.end());
        auto& s = server.server();
        s.Get("/icon.png", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_content(png, "image/png");
        });
        s.Get("/gated.png", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            gate.wait();
            response.set_content(png, "image/png");
        });
        // Missing until the test puts it in place.
        s.Get("/later.png", [this](const httplib::Request&, httplib::Response& response) {
            if (available) {
                response.set_content(png, "image/png");
            } else {
                response.status = 404;
            }
        });
        server.start();
        manager =
            SDWebImageManager::make(SDImageCache::make("manager"), SDWebImageDownloader::make());
    }
    void TearDown() override { gate.open(); }

    std::optional<foundation::URL> url(const std::string& path) {
        return foundation::URL::fromString(server.url(path));
    }
    SDWebImageCompletionWithFinishedBlock record(std::vector<Delivery>& deliveries) {
        return
            [&deliveries](graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                          SDImageCacheSource source, bool finished,
                          const std::optional<foundation::URL>&) {
                EXPECT_TRUE(foundation::Thread::isMainThread());
                deliveries.push_back({image, error, source, finished});
            };
    }
    bool runUntil(const std::function<bool()>& condition) {
        return RunLoop::main().runUntil(condition, 20);
    }

    std::string png;
    testing_support::LocalServer server;
    testing_support::Gate gate;
    std::atomic<bool> available{false};
    std::atomic<int> hits{0};
    SDWebImageManager::Ptr manager;
};

TEST_F(ImageManagerTest, DownloadsAreStoredAndThenServedFromMemoryBeforeTheCallReturns) {
    std::vector<Delivery> first;
    manager->downloadImageWithURL(url("/icon.png"), 0, nullptr, record(first));
    ASSERT_TRUE(runUntil([&] { return !first.empty() && !manager->isRunning(); }));
    ASSERT_NE(first[0].image, nullptr);
    EXPECT_EQ(first[0].source, SDImageCacheSource::none);
    manager->imageCache()->waitForIO();
    EXPECT_TRUE(manager->diskImageExistsForURL(*url("/icon.png")));

    std::vector<Delivery> second;
    auto operation = manager->downloadImageWithURL(url("/icon.png"), 0, nullptr, record(second));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].source, SDImageCacheSource::memory);
    EXPECT_EQ(operation->cacheOperation(), nullptr);
    EXPECT_FALSE(manager->isRunning());
    EXPECT_EQ(hits.load(), 1);
}

TEST_F(ImageManagerTest, ALoadCancelledDuringItsDiskQueryLeavesTheRunningLoadsAndNeverCompletes) {
    std::vector<Delivery> deliveries;
    auto operation =
        manager->downloadImageWithURL(url("/icon.png"), 0, nullptr, record(deliveries));
    EXPECT_TRUE(manager->isRunning());
    operation->cancel();
    EXPECT_FALSE(manager->isRunning());
    RunLoop::main().runFor(0.1);
    EXPECT_TRUE(deliveries.empty());
    EXPECT_EQ(hits.load(), 0);
}

TEST_F(ImageManagerTest, CancellingOneOfTwoLoadsOfAURLLeavesTheOtherItsImage) {
    std::vector<Delivery> cancelled;
    std::vector<Delivery> kept;
    auto first = manager->downloadImageWithURL(url("/gated.png"), 0, nullptr, record(cancelled));
    manager->downloadImageWithURL(url("/gated.png"), 0, nullptr, record(kept));
    // Both disk answers come in order on the main queue: once the server has
    // the request, both loads wait on the one download.
    ASSERT_TRUE(runUntil([&] { return hits.load() == 1; }));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(manager->imageDownloader()->currentDownloadCount(), 1u);
    first->cancel();
    gate.open();
    ASSERT_TRUE(runUntil([&] { return !kept.empty() && !manager->isRunning(); }));
    EXPECT_NE(kept[0].image, nullptr);
    EXPECT_TRUE(cancelled.empty());
}

TEST_F(ImageManagerTest, OnlyLastingFailuresAreRemembered) {
    // A refused port fails in transport: the URL may be tried again.
    testing_support::LocalServer closed;
    closed.start();
    const auto refusedURL = foundation::URL::fromString(closed.url("/x.png"));
    closed.stop();
    const struct {
        std::optional<foundation::URL> url;
        long firstCode;
        long secondCode;
    } cases[] = {
        {url("/later.png"), 404, net::URLErrorCode::fileDoesNotExist},
        {refusedURL, net::URLErrorCode::cannotConnectToHost,
         net::URLErrorCode::cannotConnectToHost},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url->absoluteString());
        std::vector<Delivery> deliveries;
        manager->downloadImageWithURL(c.url, 0, nullptr, record(deliveries));
        ASSERT_TRUE(runUntil([&] { return deliveries.size() == 1; }));
        manager->downloadImageWithURL(c.url, 0, nullptr, record(deliveries));
        ASSERT_TRUE(runUntil([&] { return deliveries.size() == 2; }));
        ASSERT_TRUE(deliveries[0].error && deliveries[1].error);
        EXPECT_EQ(deliveries[0].error->code, c.firstCode);
        EXPECT_EQ(deliveries[1].error->code, c.secondCode);
    }
    // A retry that succeeds forgets the failure.
    available = true;
    std::vector<Delivery> retried;
    manager->downloadImageWithURL(url("/later.png"), SDWebImageLoadOption::retryFailed, nullptr,
                                  record(retried));
    ASSERT_TRUE(runUntil([&] { return retried.size() == 1; }));
    EXPECT_NE(retried[0].image, nullptr);
    manager->imageCache()->clearMemory();
    manager->imageCache()->clearDisk();
    manager->imageCache()->waitForIO();
    std::vector<Delivery> again;
    manager->downloadImageWithURL(url("/later.png"), 0, nullptr, record(again));
    ASSERT_TRUE(runUntil([&] { return again.size() == 1; }));
    EXPECT_NE(again[0].image, nullptr);
}

TEST_F(ImageManagerTest, ARefreshDeliversTheCachedImageThenTheDownloadedOne) {
    manager->saveImageToCache(graphics::Image::make(graphics::Bitmap::make(2, 2, {1, 1, 1, 255})),
                              url("/icon.png"));
    std::vector<Delivery> deliveries;
    manager->downloadImageWithURL(url("/icon.png"), SDWebImageLoadOption::refreshCached, nullptr,
                                  record(deliveries));
    ASSERT_TRUE(runUntil([&] { return deliveries.size() == 2; }));
    EXPECT_EQ(deliveries[0].source, SDImageCacheSource::memory);
    EXPECT_EQ(deliveries[1].source, SDImageCacheSource::none);
    ASSERT_NE(deliveries[1].image, nullptr);
    EXPECT_EQ(deliveries[1].image->bitmap()->width(), 5);
}

TEST_F(ImageManagerTest, EmptyURLsAndCancelAllEndLoadsWithoutLaterCompletions) {
    std::vector<Delivery> empty;
    manager->downloadImageWithURL(std::string(""), 0, nullptr, record(empty));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].error->code, net::URLErrorCode::fileDoesNotExist);
    EXPECT_FALSE(manager->isRunning());

    std::vector<Delivery> dropped;
    manager->downloadImageWithURL(url("/gated.png"), 0, nullptr, record(dropped));
    manager->downloadImageWithURL(url("/icon.png"), 0, nullptr, record(dropped));
    manager->cancelAll();
    EXPECT_FALSE(manager->isRunning());
    gate.open();
    RunLoop::main().runFor(0.2);
    EXPECT_TRUE(dropped.empty());
}

TEST_F(ImageManagerTest, ExistenceQuestionsAnswerOnTheMainQueue) {
    auto image = graphics::Image::make(graphics::Bitmap::make(2, 2, {1, 1, 1, 255}));
    const auto key = [&](const char* path) { return manager->cacheKeyForURL(url(path)); };
    manager->imageCache()->storeImage(image, key("/memory.png"), false);
    manager->imageCache()->storeImage(image, key("/disk.png"), true);
    manager->imageCache()->waitForIO();
    manager->imageCache()->removeImageForKey(key("/disk.png"), false);
    const struct {
        const char* path;
        bool cached, onDisk;
    } cases[] = {
        {"/memory.png", true, false},
        {"/disk.png", true, true},
        {"/none.png", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<bool> cached, onDisk;
        manager->cachedImageExistsForURL(*url(c.path), [&](bool exists) {
            EXPECT_TRUE(foundation::Thread::isMainThread());
            cached.push_back(exists);
        });
        manager->diskImageExistsForURL(*url(c.path), [&](bool exists) {
            EXPECT_TRUE(foundation::Thread::isMainThread());
            onDisk.push_back(exists);
        });
        EXPECT_TRUE(cached.empty()) << "a memory hit is answered later too";
        ASSERT_TRUE(runUntil([&] { return cached.size() == 1 && onDisk.size() == 1; }));
        EXPECT_EQ(cached[0], c.cached);
        EXPECT_EQ(onDisk[0], c.onDisk);
        EXPECT_EQ(manager->cachedImageExistsForURL(*url(c.path)), c.cached);
    }
    manager->cachedImageExistsForURL(*url("/memory.png"), nullptr);
    manager->diskImageExistsForURL(*url("/none.png"), nullptr);
    RunLoop::main().runUntilIdle();
}

TEST_F(ImageManagerTest, TheOlderFormDeliversWithoutTheURL) {
    std::vector<Delivery> deliveries;
    manager->downloadWithURL(
        url("/icon.png"), 0, nullptr,
        [&](graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
            SDImageCacheSource source, bool finished) {
            deliveries.push_back({image, error, source, finished});
        });
    ASSERT_TRUE(runUntil([&] { return !deliveries.empty() && !manager->isRunning(); }));
    ASSERT_NE(deliveries[0].image, nullptr);
    EXPECT_TRUE(deliveries[0].finished);
    EXPECT_NE(manager->downloadWithURL(url("/icon.png"), 0, nullptr, nullptr), nullptr);
    EXPECT_NE(manager->downloadWithURL(std::nullopt, 0, nullptr, nullptr), nullptr);
}

// A delegate that answers whether to download, and transforms only when
// `transforms` is set.
struct OwnerDelegate : SDWebImageManagerDelegate {
    explicit OwnerDelegate(bool transforms) : transforms(transforms) {}
    std::optional<bool> imageManagerShouldDownloadImageForURL(SDWebImageManager&,
                                                              const foundation::URL&) override {
        return true;
    }
    bool respondsToTransformDownloadedImage() const override { return transforms; }
    std::optional<graphics::Image::Ptr> imageManagerTransformDownloadedImage(
        SDWebImageManager&, const graphics::Image::Ptr&, const foundation::URL&) override {
        ++transformed;
        return graphics::Image::make(graphics::Bitmap::make(3, 3, {200, 0, 0, 255}));
    }
    const bool transforms;
    std::atomic<int> transformed{0};
};

TEST_F(ImageManagerTest, OnlyADelegateThatTransformsSendsImagesThroughItsQueue) {
    const struct {
        bool transforms;
        int width;
        // A direct delivery comes while the load is still listed; a
        // transformed one races with the load leaving the list.
        std::optional<bool> runningAtDelivery;
    } cases[] = {
        {false, 5, true},
        {true, 3, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.transforms);
        auto delegate = std::make_shared<OwnerDelegate>(c.transforms);
        manager->delegate = delegate;
        manager->imageCache()->clearMemory();
        manager->imageCache()->clearDisk();
        manager->imageCache()->waitForIO();
        std::vector<Delivery> deliveries;
        std::vector<bool> running;
        manager->downloadImageWithURL(
            url("/icon.png"), 0, nullptr,
            [&](graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                SDImageCacheSource source, bool finished, const std::optional<foundation::URL>&) {
                running.push_back(manager->isRunning());
                deliveries.push_back({image, error, source, finished});
            });
        ASSERT_TRUE(runUntil([&] { return !deliveries.empty() && !manager->isRunning(); }));
        ASSERT_NE(deliveries[0].image, nullptr);
        EXPECT_EQ(deliveries[0].image->bitmap()->width(), c.width);
        if (c.runningAtDelivery) {
            EXPECT_EQ(running[0], *c.runningAtDelivery);
        }
        EXPECT_EQ(delegate->transformed.load(), c.transforms ? 1 : 0);
        const auto stored = manager->imageCache()->imageFromMemoryCacheForKey(
            manager->cacheKeyForURL(url("/icon.png")));
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->bitmap()->width(), c.width);
    }
}

}  // namespace
