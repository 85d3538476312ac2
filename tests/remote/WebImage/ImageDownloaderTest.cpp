#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/net/URLError.h"
#include "remote/WebImage/SDWebImageDownloader.h"
#include "remote/WebImage/SDWebImageManager.h"
#include "tests/remote/WebImage/Gate.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;

using testing_support::Gate;

std::string photoBytes() {
    // Busy enough that half of its bytes hold some rows of pixels.
    auto bitmap = graphics::Bitmap::make(160, 120);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            bitmap->setPixel(x, y,
                             {static_cast<std::uint8_t>(x * 7 ^ y * 13),
                              static_cast<std::uint8_t>(y * 5 + x), 90, 255});
        }
    }
    const auto data = *graphics::JPEGCodec::encode(*bitmap, 0.9, 1);
    return std::string(data.begin(), data.end());
}

struct Outcome {
    graphics::Image::Ptr image;
    std::shared_ptr<const foundation::Data> data;
    std::optional<foundation::Error> error;
    bool finished = false;
    int calls = 0;
};

class ImageDownloaderTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Get("/photo.jpg", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_content(photo, "image/jpeg");
        });
        s.Get("/gated.jpg", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            gate.wait();
            response.set_content(photo, "image/jpeg");
        });
        s.Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.status = std::stoi(request.matches[1]);
        });
        s.Get("/truncated.jpg", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(photo.substr(0, photo.size() / 3), "image/jpeg");
        });
        s.Get("/headers", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex);
            accept = request.has_header("Accept") ? request.get_header_value("Accept") : "(none)";
            response.set_content(photo, "image/jpeg");
        });
        s.Get(R"(/order/(\w+))",
              [this](const httplib::Request& request, httplib::Response& response) {
                  std::lock_guard lock(mutex);
                  order += request.matches[1].str();
                  response.set_content(photo, "image/jpeg");
              });
        // Sends the first half, waits for the test to see a partial image,
        // then sends the rest.
        s.Get("/slow.jpg", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(
                photo.size(), "image/jpeg",
                [this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    const std::size_t half = photo.size() / 2;
                    if (offset == 0) {
                        sink.write(photo.data(), half);
                    } else {
                        gate.wait();
                        sink.write(photo.data() + offset, photo.size() - offset);
                    }
                    return true;
                });
        });
        server.start();
        downloader = SDWebImageDownloader::make();
        observer = foundation::NotificationCenter::defaultCenter().addObserver(
            SDWebImageDownloadStopNotification, nullptr, nullptr,
            [this](const foundation::Notification&) { ++stops; });
    }
    void TearDown() override {
        gate.open();
        foundation::NotificationCenter::defaultCenter().removeObserver(observer);
    }

    std::optional<foundation::URL> url(const std::string& path) {
        return foundation::URL::fromString(server.url(path));
    }
    SDWebImageDownloaderCompletedBlock record(Outcome& outcome) {
        return [&outcome](graphics::Image::Ptr image, std::shared_ptr<const foundation::Data> data,
                          const std::optional<foundation::Error>& error, bool finished) {
            foundation::DispatchQueue::main()->async([&outcome, image, data, error, finished] {
                outcome.image = image;
                outcome.data = data;
                outcome.error = error;
                outcome.finished = finished;
                ++outcome.calls;
            });
        };
    }
    bool runUntil(const std::function<bool()>& condition) {
        return RunLoop::main().runUntil(condition, 20);
    }

    const std::string photo = photoBytes();
    testing_support::LocalServer server;
    Gate gate;
    std::atomic<int> hits{0};
    std::mutex mutex;
    std::string accept;
    std::string order;
    SDWebImageDownloader::Ptr downloader;
    foundation::NotificationCenter::ObserverToken observer;
    int stops = 0;
};

TEST_F(ImageDownloaderTest, TwoCallersOfOneURLShareOneDownload) {
    Outcome first;
    Outcome second;
    int progressOnMain = 0;
    auto progress = [&](std::int64_t, std::int64_t) {
        progressOnMain += foundation::Thread::isMainThread() ? 1 : -1000;
    };
    EXPECT_NE(downloader->downloadImageWithURL(url("/gated.jpg"), 0, progress, record(first)),
              nullptr);
    EXPECT_NE(downloader->downloadImageWithURL(url("/gated.jpg"), 0, progress, record(second)),
              nullptr);
    EXPECT_EQ(downloader->currentDownloadCount(), 1u);
    gate.open();
    ASSERT_TRUE(runUntil([&] { return first.calls == 1 && second.calls == 1; }));
    EXPECT_EQ(hits.load(), 1);
    ASSERT_NE(first.image, nullptr);
    EXPECT_EQ(first.image, second.image);
    EXPECT_EQ(first.data, second.data);
    EXPECT_EQ(first.data->size(), photo.size());
    EXPECT_TRUE(first.finished);
    EXPECT_FALSE(first.error);
    EXPECT_GT(progressOnMain, 0);
    // The URL is free again: a later request downloads anew.
    Outcome third;
    downloader->downloadImageWithURL(url("/gated.jpg"), 0, nullptr, record(third));
    ASSERT_TRUE(runUntil([&] { return third.calls == 1; }));
    EXPECT_EQ(hits.load(), 2);
}

TEST_F(ImageDownloaderTest, CancellingOneCallerLeavesTheOtherItsImage) {
    Outcome kept;
    Outcome dropped;
    auto handle = downloader->downloadImageWithURL(url("/gated.jpg"), 0, nullptr, record(dropped));
    downloader->downloadImageWithURL(url("/gated.jpg"), 0, nullptr, record(kept));
    handle->cancel();
    gate.open();
    ASSERT_TRUE(runUntil([&] { return kept.calls == 1; }));
    EXPECT_NE(kept.image, nullptr);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(dropped.calls, 0);
}

TEST_F(ImageDownloaderTest, CancellingFromAnotherThreadStopsTheDownloadWithoutCompletion) {
    Outcome outcome;
    auto handle = downloader->downloadImageWithURL(url("/gated.jpg"), 0, nullptr, record(outcome));
    ASSERT_TRUE(runUntil([&] { return hits.load() == 1; }));
    std::thread([handle] { handle->cancel(); }).join();
    ASSERT_TRUE(runUntil([&] { return downloader->currentDownloadCount() == 0 && stops == 1; }));
    gate.open();
    RunLoop::main().runFor(0.05);
    EXPECT_EQ(outcome.calls, 0);
    EXPECT_EQ(stops, 1);
}

TEST_F(ImageDownloaderTest, FailuresCompleteOnceWithTheirError) {
    const struct {
        const char* path;
        const char* domain;
        long code;
    } cases[] = {
        {"/status/404", net::URLErrorDomain, 404},
        // Not modified ends the load like a refusal, never only through cancellation.
        {"/status/304", net::URLErrorDomain, 304},
        {"/truncated.jpg", SDWebImageErrorDomain, 0},
        {"/status/500", net::URLErrorDomain, 500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        stops = 0;
        Outcome outcome;
        downloader->downloadImageWithURL(url(c.path), 0, nullptr, record(outcome));
        ASSERT_TRUE(runUntil([&] { return outcome.calls == 1 && stops == 1; }));
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->domain, c.domain);
        EXPECT_EQ(outcome.error->code, c.code);
        EXPECT_TRUE(outcome.finished);
        EXPECT_EQ(outcome.image, nullptr);
        RunLoop::main().runFor(0.05);
        EXPECT_EQ(outcome.calls, 1);
        EXPECT_EQ(stops, 1);
    }
}

TEST_F(ImageDownloaderTest, ProgressiveDownloadsDeliverPartialImagesOnTheMainThread) {
    Outcome final;
    int partials = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> progress;
    downloader->downloadImageWithURL(
        url("/slow.jpg"), SDImageDownloadOption::progressiveDownload,
        [&](std::int64_t received, std::int64_t expected) {
            progress.emplace_back(received, expected);
        },
        [&](graphics::Image::Ptr image, std::shared_ptr<const foundation::Data>,
            const std::optional<foundation::Error>& error, bool finished) {
            if (!finished) {
                EXPECT_TRUE(foundation::Thread::isMainThread());
                EXPECT_NE(image, nullptr);
                ++partials;
                gate.open();
                return;
            }
            foundation::DispatchQueue::main()->async([&final, image, error] {
                final.image = image;
                final.error = error;
                ++final.calls;
            });
        });
    ASSERT_TRUE(runUntil([&] { return final.calls == 1; }));
    EXPECT_GE(partials, 1);
    ASSERT_NE(final.image, nullptr);
    EXPECT_EQ(final.image->size().width * final.image->scale(), 160);
    RunLoop::main().runUntilIdle();
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.front(), std::make_pair(std::int64_t{0}, std::int64_t{-1}));
    EXPECT_EQ(progress.back(), std::make_pair(static_cast<std::int64_t>(photo.size()),
                                              static_cast<std::int64_t>(photo.size())));
}

TEST_F(ImageDownloaderTest, LastInFirstOutRunsTheNewestQueuedDownloadFirst) {
    downloader->setMaxConcurrentDownloads(1);
    downloader->executionOrder = SDImageDownloadOrder::lastInFirstOut;
    downloader->setSuspended(true);
    Outcome outcomes[3];
    const char* names[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
        downloader->downloadImageWithURL(url(std::string("/order/") + names[i]), 0, nullptr,
                                         record(outcomes[i]));
    }
    downloader->setSuspended(false);
    ASSERT_TRUE(
        runUntil([&] { return outcomes[0].calls + outcomes[1].calls + outcomes[2].calls == 3; }));
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, "cba");
}

TEST_F(ImageDownloaderTest, RequestsCarryTheHeadersAndTimeOut) {
    std::vector<double> timeouts;
    downloader->setOperationFactory([&](net::URLRequest request, SDImageDownloadOptions options,
                                        SDWebImageDownloaderProgressBlock progress,
                                        SDWebImageDownloaderCompletedBlock completed,
                                        SDWebImageNoParamsBlock cancelled) {
        timeouts.push_back(request.timeoutInterval());
        return std::make_shared<SDWebImageDownloaderOperation>(std::move(request), options,
                                                               progress, completed, cancelled);
    });
    const struct {
        std::optional<std::string> accept;
        double timeout;
        const char* present;
        const char* absent;
        double used;
    } cases[] = {
        {"image/*;q=0.8", 0, "image/*;q=0.8", "none", 15},
        // Without the field the network layer's own default goes out.
        {std::nullopt, 3, "", "image/*;q=0.8", 3},
    };
    for (const auto& c : cases) {
        downloader->setValue(c.accept, "Accept");
        downloader->downloadTimeout = c.timeout;
        Outcome outcome;
        downloader->downloadImageWithURL(url("/headers"), 0, nullptr, record(outcome));
        ASSERT_TRUE(runUntil([&] { return outcome.calls == 1; }));
        std::lock_guard lock(mutex);
        EXPECT_EQ(accept.find(c.absent), std::string::npos) << accept;
        EXPECT_EQ(accept.find(c.present), 0u) << accept;
        EXPECT_EQ(timeouts.back(), c.used);
    }
    Outcome none;
    EXPECT_EQ(downloader->downloadImageWithURL(std::nullopt, 0, nullptr, record(none)), nullptr);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(none.calls, 1);
    EXPECT_FALSE(none.finished);
}

// An operation that keeps the error its connection failed with.
struct RecordingOperation : SDWebImageDownloaderOperation {
    using SDWebImageDownloaderOperation::SDWebImageDownloaderOperation;
    void connectionDidFailWithError(net::URLConnection& connection,
                                    const net::URLError& error) override {
        failure = error;
        SDWebImageDownloaderOperation::connectionDidFailWithError(connection, error);
    }
    std::optional<net::URLError> failure;
};

TEST_F(ImageDownloaderTest, ARunLoopStoppedBeforeTheEndTimesOutWithTheRequestsURL) {
    // The cache key differs from the URL, as it does under a key filter.
    auto& manager = SDWebImageManager::sharedManager();
    manager->cacheKeyFilter = [](const foundation::URL&) { return std::string("photo-key"); };
    Outcome outcome;
    auto operation = std::make_shared<RecordingOperation>(net::URLRequest(*url("/gated.jpg")), 0,
                                                          nullptr, record(outcome), nullptr);
    std::atomic<RunLoop*> loop{nullptr};
    std::thread worker([&] {
        loop = &RunLoop::current();
        operation->start();
    });
    const bool started = runUntil([&] { return hits.load() == 1 && loop.load() != nullptr; });
    if (loop.load() != nullptr) {
        loop.load()->stop();
    }
    worker.join();
    manager->cacheKeyFilter = nullptr;
    ASSERT_TRUE(started);
    ASSERT_TRUE(runUntil([&] { return outcome.calls == 1; }));
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->code, net::URLErrorCode::timedOut);
    ASSERT_TRUE(operation->failure);
    EXPECT_EQ(operation->failure->failingURLString, server.url("/gated.jpg"));
    EXPECT_TRUE(operation->isFinished());
}

}  // namespace
