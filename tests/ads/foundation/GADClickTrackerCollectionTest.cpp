#include "ads/foundation/GADClickTrackerCollection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::URL;

// A loopback server with a redirect chain that ends in an application link,
// and a plain pixel; it counts the requests it answered.
class PingServer {
  public:
    PingServer() {
        auto& http = local.server();
        http.Get("/pixel", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_content("", "image/gif");
        });
        http.Get("/click", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_redirect(local.url("/landing"));
        });
        http.Get("/landing", [this](const httplib::Request&, httplib::Response& response) {
            ++hits;
            response.set_redirect("itms://store.example.test/app/1");
        });
        local.start();
    }
    URL url(const std::string& path) { return *URL::fromString(local.url(path)); }

    testing_support::LocalServer local;
    std::atomic<int> hits{0};
};

class RecordingTrackerDelegate : public GADClickTrackerDelegate {
  public:
    std::vector<std::string> events;
    void trackerDidRedirect(GADClickTracker&, const std::optional<URL>& url) override {
        events.push_back("redirect " + (url ? url->absoluteString() : std::string("-")));
    }
    void trackerDidFailWithError(GADClickTracker&,
                                 const std::optional<foundation::Error>&) override {
        events.push_back("fail");
    }
};

TEST(GADClickTrackerTest, FollowsWebRedirectsAndStopsAtAnApplicationLink) {
    PingServer server;
    auto delegate = std::make_shared<RecordingTrackerDelegate>();
    auto tracker = std::make_shared<GADClickTracker>();
    tracker->setDelegate(delegate);
    tracker->trackURL(server.url("/click"));
    EXPECT_EQ(ui::Application::shared().activeBackgroundTaskCount(), 1u);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return tracker->hasTracked(); }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->events,
              std::vector<std::string>{"redirect itms://store.example.test/app/1"});
    EXPECT_EQ(server.hits, 2);
    EXPECT_EQ(ui::Application::shared().activeBackgroundTaskCount(), 0u);

    // Reuse starts afresh; no URL only resets.
    tracker->trackURL(std::nullopt);
    EXPECT_FALSE(tracker->hasTracked());
    EXPECT_EQ(tracker->cachedFile(), nullptr);
}

TEST(GADClickTrackerTest, AnExpiredBackgroundTaskCancelsThePingSilently) {
    PingServer server;
    auto delegate = std::make_shared<RecordingTrackerDelegate>();
    auto tracker = std::make_shared<GADClickTracker>();
    tracker->setDelegate(delegate);
    tracker->setCacheEnabled(false);
    tracker->trackURL(server.url("/pixel"));
    EXPECT_EQ(tracker->cachedFile()->cachePolicy(),
              net::URLRequestCachePolicy::reloadIgnoringLocalCacheData);
    ui::Application::shared().expireBackgroundTasks();
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(delegate->events.empty());
    EXPECT_FALSE(tracker->hasTracked());
    EXPECT_EQ(ui::Application::shared().activeBackgroundTaskCount(), 0u);
}

TEST(GADClickTrackerCollectionTest, StartsOneTrackerPerUsableURLAndDropsThemWhenDone) {
    PingServer server;
    auto collection = std::make_shared<GADClickTrackerCollection>();
    foundation::Array urls;
    urls.push_back(foundation::Value(server.local.url("/pixel")));
    urls.push_back(foundation::Value(42));
    urls.push_back(foundation::Value("http://[broken"));
    collection->trackURLs(urls, false);
    collection->trackURLs(std::vector<URL>{server.url("/click")}, true);
    // A missing URL starts nothing: it would never report and never leave.
    collection->trackURL(std::nullopt);
    ASSERT_EQ(collection->trackers().size(), 2u);
    for (const auto& tracker : collection->trackers()) {
        const bool pixel = tracker->cachedFile()->sourceURL() == server.url("/pixel");
        EXPECT_EQ(tracker->cacheEnabled(), !pixel);
    }
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return collection->trackers().empty(); }, 10));
    EXPECT_EQ(server.hits, 3);
}

TEST(GADClickTrackerCollectionTest, CleanupKeepsTrackersStillRunning) {
    auto collection = std::make_shared<GADClickTrackerCollection>();
    auto done = std::make_shared<GADClickTracker>();
    auto running = std::make_shared<GADClickTracker>();
    auto file = GADCachedFile::make(*URL::fromString("http://127.0.0.1:9/x"));
    done->setDelegate(collection);
    done->cachedFileDownloadDidFail(*file, std::nullopt);
    collection->setTrackers({done, running});
    collection->cleanupTrackers();
    EXPECT_EQ(collection->trackers(), GADClickTrackerCollection::Trackers{running});
    EXPECT_EQ(done->delegate(), nullptr);
}

TEST(GADClickTrackerCollectionTest, TrackersWhoseBackgroundTaskExpiredLeave) {
    PingServer server;
    auto collection = std::make_shared<GADClickTrackerCollection>();
    collection->trackURL(server.url("/pixel"));
    collection->trackURL(server.url("/click"));
    ASSERT_EQ(collection->trackers().size(), 2u);
    ui::Application::shared().expireBackgroundTasks();
    EXPECT_TRUE(collection->trackers().empty());
    RunLoop::main().runUntilIdle();
}

TEST(GADClickTrackerCollectionTest, SharedInstanceIsOneAndStartsEmpty) {
    auto& shared = GADClickTrackerCollection::sharedInstance();
    EXPECT_EQ(&shared, &GADClickTrackerCollection::sharedInstance());
    EXPECT_TRUE(shared.trackers().empty());
    shared.trackURL(URL::fromString("http://127.0.0.1:9/pixel"));
    EXPECT_EQ(shared.trackers().size(), 1u);
    // Its trackers refer to it: a report reaches it.
    EXPECT_EQ((*shared.trackers().begin())->delegate().get(), &shared);
}

}  // namespace
