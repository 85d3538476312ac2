#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"
#include "remote/WebImage/SDWebImagePrefetcher.h"
#include "tests/remote/WebImage/Gate.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using Counts = std::pair<std::uint64_t, std::uint64_t>;

class RecordingPrefetcherDelegate : public SDWebImagePrefetcherDelegate {
  public:
    void imagePrefetcherDidPrefetchURL(SDWebImagePrefetcher&, const foundation::URL& url,
                                       std::uint64_t finishedCount,
                                       std::uint64_t totalCount) override {
        prefetched.push_back(url.absoluteString());
    }
    void imagePrefetcherDidFinish(SDWebImagePrefetcher&, std::uint64_t totalCount,
                                  std::uint64_t skippedCount) override {
        finishes.emplace_back(totalCount, skippedCount);
    }

    std::vector<std::string> prefetched;
    std::vector<Counts> finishes;
};

class ImagePrefetcherTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto data =
            *graphics::PNGCodec::encode(*graphics::Bitmap::make(4, 4, {7, 7, 7, 255}));
        png.assign(data.begin(), data.end());
        server.server().Get(R"(/gated/(\w+)\.png)",
                            [this](const httplib::Request& request, httplib::Response& response) {
                                ++hits;
                                gate.wait();
                                if (request.matches[1] == "missing") {
                                    response.status = 404;
                                } else {
                                    response.set_content(png, "image/png");
                                }
                            });
        server.start();
        manager =
            SDWebImageManager::make(SDImageCache::make("prefetcher"), SDWebImageDownloader::make());
        prefetcher = SDWebImagePrefetcher::make(manager);
        prefetcher->delegate = delegate;
    }
    void TearDown() override {
        gate.open();
        prefetcher->cancelPrefetching();
        manager->imageCache()->clearDisk();
        manager->imageCache()->waitForIO();
    }

    foundation::URL url(const std::string& name) {
        return *foundation::URL::fromString(server.url("/gated/" + name + ".png"));
    }
    bool runUntil(const std::function<bool()>& condition) {
        return RunLoop::main().runUntil(condition, 20);
    }

    std::string png;
    testing_support::LocalServer server;
    testing_support::Gate gate;
    std::atomic<int> hits{0};
    SDWebImageManager::Ptr manager;
    SDWebImagePrefetcher::Ptr prefetcher;
    std::shared_ptr<RecordingPrefetcherDelegate> delegate =
        std::make_shared<RecordingPrefetcherDelegate>();
    std::vector<Counts> progress;
    std::vector<Counts> completions;
    SDWebImagePrefetcher::ProgressBlock recordProgress = [this](std::uint64_t finished,
                                                                std::uint64_t total) {
        progress.emplace_back(finished, total);
    };
    SDWebImagePrefetcher::CompletionBlock recordCompletion = [this](std::uint64_t finished,
                                                                    std::uint64_t skipped) {
        completions.emplace_back(finished, skipped);
    };
};

TEST_F(ImagePrefetcherTest, LoadsTheListThreeAtATimeAtLowPriorityAndCountsMissingImages) {
    EXPECT_EQ(manager->imageDownloader()->maxConcurrentDownloads(), 3);
    EXPECT_EQ(prefetcher->options, SDWebImageLoadOption::lowPriority);
    const std::vector<foundation::URL> urls = {url("a"), url("b"), url("missing"), url("c"),
                                               url("d")};
    prefetcher->prefetchURLs(urls, recordProgress, recordCompletion);
    EXPECT_EQ(prefetcher->requestedCount(), 3u);
    ASSERT_TRUE(runUntil([&] { return hits.load() == 3; }));
    EXPECT_EQ(prefetcher->requestedCount(), 3u);
    gate.open();
    ASSERT_TRUE(runUntil([&] { return !completions.empty(); }));

    EXPECT_EQ(completions, (std::vector<Counts>{{5, 1}}));
    EXPECT_EQ(progress, (std::vector<Counts>{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
    std::vector<std::string> expected;
    for (const auto& u : urls) {
        expected.push_back(u.absoluteString());
    }
    std::ranges::sort(expected);
    std::ranges::sort(delegate->prefetched);
    EXPECT_EQ(delegate->prefetched, expected);
    EXPECT_EQ(delegate->finishes, (std::vector<Counts>{{4, 1}}));
    EXPECT_TRUE(manager->cachedImageExistsForURL(url("d")));
    EXPECT_FALSE(manager->cachedImageExistsForURL(url("missing")));
}

// Images already in memory complete while the first loads are being started:
// each URL is still loaded and counted once.
TEST_F(ImagePrefetcherTest, ImagesAnsweredFromMemoryAreCountedOnce) {
    const auto image = graphics::Image::make(graphics::Bitmap::make(2, 2, {1, 2, 3, 255}));
    for (const auto* name : {"m1", "m2", "m3"}) {
        manager->saveImageToCache(image, url(name));
    }
    gate.open();
    prefetcher->prefetchURLs({url("m1"), url("m2"), url("m3"), url("d")}, recordProgress,
                             recordCompletion);
    ASSERT_TRUE(runUntil([&] { return !completions.empty(); }));
    RunLoop::main().runUntilIdle();

    EXPECT_EQ(completions, (std::vector<Counts>{{4, 0}}));
    EXPECT_EQ(progress, (std::vector<Counts>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_EQ(delegate->finishes, (std::vector<Counts>{{4, 0}}));
    EXPECT_EQ(prefetcher->requestedCount(), 4u);
    EXPECT_EQ(hits.load(), 1);
}

TEST_F(ImagePrefetcherTest, ANewListCancelsTheRunningOneAndAnEmptyListCompletesAtOnce) {
    std::vector<Counts> first;
    prefetcher->prefetchURLs({url("slow")}, nullptr,
                             [&](std::uint64_t f, std::uint64_t s) { first.emplace_back(f, s); });
    ASSERT_TRUE(runUntil([&] { return hits.load() == 1; }));

    prefetcher->prefetchURLs({}, recordProgress, recordCompletion);
    EXPECT_EQ(completions, (std::vector<Counts>{{0, 0}}));
    EXPECT_FALSE(manager->isRunning());
    EXPECT_EQ(prefetcher->requestedCount(), 0u);

    completions.clear();
    gate.open();
    prefetcher->prefetchURLs({url("next")}, recordProgress, recordCompletion);
    ASSERT_TRUE(runUntil([&] { return !completions.empty(); }));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(completions, (std::vector<Counts>{{1, 0}}));
    EXPECT_EQ(progress, (std::vector<Counts>{{1, 1}}));
    EXPECT_TRUE(first.empty());
    EXPECT_GT(prefetcher->startedTime(), 0);
}

}  // namespace
