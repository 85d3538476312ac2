#include "ads/foundation/GADCachedFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ads/foundation/GADMNSURLConnectionFactory.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::URL;

constexpr const char* kLastModified = "Tue, 15 Nov 1994 12:45:26 GMT";

// Writes down what a cached file tells it.
class RecordingFileDelegate : public GADCachedFileDelegate {
  public:
    std::vector<std::string> events;
    std::optional<foundation::Error> error;
    bool refuseRedirects = false;

    std::optional<foundation::Error> cachedFileShouldRedirectToURL(GADCachedFile&,
                                                                   const URL& url) override {
        events.push_back("redirect? " + url.path());
        if (refuseRedirects) {
            return foundation::Error{"test", 9, "refused"};
        }
        return std::nullopt;
    }
    void cachedFileDownloadDidEnd(GADCachedFile&) override { events.push_back("end"); }
    void cachedFileDownloadDidFail(GADCachedFile&,
                                   const std::optional<foundation::Error>& e) override {
        events.push_back(e ? "fail " + e->domain : "fail");
        error = e;
    }

    // Runs the loop until a fetch reports, then until nothing is left to do.
    bool waitForReport(std::size_t count = 1) {
        const bool reported = RunLoop::main().runUntil(
            [&] {
                std::size_t reports = 0;
                for (const auto& event : events) {
                    reports += event.starts_with("end") || event.starts_with("fail");
                }
                return reports >= count;
            },
            10);
        RunLoop::main().runUntilIdle();
        return reported;
    }
};

// A loopback server that remembers each request's path, query and
// If-Modified-Since header.
class FileServer {
  public:
    struct Seen {
        std::string path;
        std::string ifModifiedSince;
        bool hasUnique = false;
    };

    FileServer() {
        auto& http = local.server();
        http.Get("/file", [this](const httplib::Request& request, httplib::Response& response) {
            record(request);
            if (request.has_header("If-Modified-Since") && answer304) {
                response.status = 304;
                return;
            }
            response.status = status;
            if (!lastModified.empty()) {
                response.set_header("Last-Modified", lastModified);
            }
            response.set_content(body, "text/plain");
        });
        http.Get(R"(/hop(\d))",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     record(request);
                     const int hop = std::stoi(request.matches[1]);
                     response.set_redirect(hop < 2 ? "/hop" + std::to_string(hop + 1) : "/file");
                 });
        local.start();
    }

    std::vector<Seen> seen() {
        std::lock_guard lock(mutex_);
        return seen_;
    }
    URL url(const std::string& path) { return *URL::fromString(local.url(path)); }

    testing_support::LocalServer local;
    int status = 200;
    std::string body = "one";
    std::string lastModified = kLastModified;
    bool answer304 = true;

  private:
    void record(const httplib::Request& request) {
        std::lock_guard lock(mutex_);
        seen_.push_back({request.path, request.get_header_value("If-Modified-Since"),
                         request.has_param("unique")});
    }

    std::mutex mutex_;
    std::vector<Seen> seen_;
};

struct Fixture {
    FileServer server;
    std::shared_ptr<RecordingFileDelegate> delegate = std::make_shared<RecordingFileDelegate>();

    std::shared_ptr<GADCachedFile> file(const std::string& path) {
        auto made = GADCachedFile::make(server.url(path));
        made->setDelegate(delegate);
        return made;
    }
};

TEST(GADCachedFileTest, RevalidatesWithTheStoredTimeAndA304KeepsTheCopy) {
    Fixture f;
    auto file = f.file("/file");
    EXPECT_FALSE(file->fileExists());
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport());
    EXPECT_EQ(f.delegate->events, std::vector<std::string>{"end"});
    EXPECT_EQ(file->contentAsString(), "one");
    EXPECT_EQ(file->HTTPStatusCode(), 200);
    EXPECT_EQ(file->fileModificationDate(), kLastModified);

    // A new object for the same URL finds the copy and asks conditionally.
    f.server.body = "two";
    auto again = f.file("/file");
    EXPECT_EQ(again->filePath(), file->filePath());
    again->validate();
    ASSERT_TRUE(f.delegate->waitForReport(2));
    EXPECT_EQ(f.delegate->events, (std::vector<std::string>{"end", "end"}));
    EXPECT_EQ(again->HTTPStatusCode(), 304);
    EXPECT_EQ(again->contentAsString(), "one");

    const auto seen = f.server.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].ifModifiedSince, "");
    EXPECT_EQ(seen[1].ifModifiedSince, kLastModified);
}

TEST(GADCachedFileTest, WithoutLastModifiedTheWriteTimeIsSentNext) {
    Fixture f;
    f.server.lastModified.clear();
    f.server.answer304 = false;
    auto file = f.file("/file");
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport());
    const std::optional<std::string> written = file->fileModificationDate();
    ASSERT_TRUE(written);
    EXPECT_NE(*written, kLastModified);
    EXPECT_TRUE(written->ends_with(" GMT"));

    f.server.body = "two";
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport(2));
    EXPECT_EQ(f.server.seen().at(1).ifModifiedSince, *written);
    EXPECT_EQ(file->contentAsString(), "two");
}

TEST(GADCachedFileTest, FailuresKeepTheStoredCopy) {
    struct Case {
        const char* name;
        int status;
        bool stopServer;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        // A status other than 200 and 304 fails without an error.
        {"not found", 404, false, {"fail"}},
        {"server error", 500, false, {"fail"}},
        // A transport failure carries the connection's error.
        {"refused connection", 200, true, {"fail NSURLErrorDomain"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.server.answer304 = false;
        auto file = f.file("/file");
        file->validate();
        ASSERT_TRUE(f.delegate->waitForReport()) << c.name;
        f.delegate->events.clear();

        f.server.status = c.status;
        f.server.body = "two";
        if (c.stopServer) {
            f.server.local.stop();
        }
        file->validate();
        ASSERT_TRUE(f.delegate->waitForReport()) << c.name;
        EXPECT_EQ(f.delegate->events, c.expected) << c.name;
        EXPECT_EQ(file->contentAsString(), "one") << c.name;
        EXPECT_EQ(file->connection(), nullptr) << c.name;
    }
}

TEST(GADCachedFileTest, FollowsRedirectsAndARefusedOneEndsWithOneFailure) {
    Fixture f;
    auto file = f.file("/hop0");
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport());
    EXPECT_EQ(f.delegate->events, (std::vector<std::string>{"redirect? /hop1", "redirect? /hop2",
                                                            "redirect? /file", "end"}));
    EXPECT_EQ(file->HTTPDestinationURL(), f.server.url("/file"));
    EXPECT_EQ(file->contentAsString(), "one");

    Fixture refused;
    refused.delegate->refuseRedirects = true;
    auto stopped = refused.file("/hop0");
    stopped->validate();
    ASSERT_TRUE(refused.delegate->waitForReport());
    EXPECT_EQ(refused.delegate->events, (std::vector<std::string>{"redirect? /hop1", "fail test"}));
    // The refused URL is recorded before the delegate is asked.
    EXPECT_EQ(stopped->HTTPDestinationURL(), refused.server.url("/hop1"));
    EXPECT_FALSE(stopped->fileExists());
    EXPECT_EQ(refused.server.seen().size(), 1u);
}

TEST(GADCachedFileTest, CacheBusterAppendsUniqueAndStaysForLaterFetches) {
    Fixture f;
    f.server.answer304 = false;
    auto file = f.file("/file");
    file->validateWithCacheBuster();
    // A fetch is running: asking again does nothing.
    file->validate();
    file->validateWithCacheBuster();
    ASSERT_TRUE(f.delegate->waitForReport());
    EXPECT_EQ(file->cachePolicy(), net::URLRequestCachePolicy::reloadIgnoringLocalCacheData);
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport(2));
    const auto seen = f.server.seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].hasUnique);
    EXPECT_FALSE(seen[1].hasUnique);
    EXPECT_EQ(file->cachePolicy(), net::URLRequestCachePolicy::reloadIgnoringLocalCacheData);
}

TEST(GADCachedFileTest, NoConnectionFailsWithoutError) {
    class NoConnectionFactory : public GADMConnectionFactory {
      public:
        std::shared_ptr<net::URLConnection> connectionWithRequest(
            const net::URLRequest&, const std::shared_ptr<net::URLConnectionDelegate>&) override {
            return nullptr;
        }
        std::shared_ptr<net::URLConnection> connectionWithRequest(
            const net::URLRequest&, const std::shared_ptr<net::URLConnectionDelegate>&,
            bool) override {
            return nullptr;
        }
    };
    GADMNSURLConnectionFactory::setSharedFactory(std::make_shared<NoConnectionFactory>());
    auto delegate = std::make_shared<RecordingFileDelegate>();
    auto file = GADCachedFile::make(*URL::fromString("http://127.0.0.1:9/x"));
    file->setDelegate(delegate);
    file->validate();
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail"});
    EXPECT_EQ(file->connection(), nullptr);
    GADMNSURLConnectionFactory::setSharedFactory(nullptr);
}

TEST(GADCachedFileTest, FolderIsThePlainHostOrLocal) {
    const std::string caches = foundation::ApplicationHome::caches();
    struct Case {
        std::string url;
        std::string folder;
    };
    const std::vector<Case> cases = {
        {"http://ads.example.test/pixel?a=1", "ads.example.test"},
        {"http://../pixel", "@local"},
        {"http://./pixel", "@local"},
        {"file:///tmp/pixel", "@local"},
        {"data:text/plain,x", "@local"},
    };
    for (const Case& c : cases) {
        const auto url = URL::fromString(c.url);
        ASSERT_TRUE(url) << c.url;
        auto file = GADCachedFile::make(*url);
        const std::string path = file->filePath();
        EXPECT_EQ(foundation::deletingLastPathComponent(path),
                  foundation::appendingPathComponent(caches, c.folder))
            << c.url;
        // The name is stable: the same URL gives the same file.
        EXPECT_EQ(GADCachedFile::make(*url)->filePath(), path) << c.url;
    }
}

TEST(GADCachedFileTest, InvalidateDeletesAndClearForgets) {
    Fixture f;
    auto file = f.file("/file");
    file->validate();
    ASSERT_TRUE(f.delegate->waitForReport());

    file->validateWithDelegate(f.delegate, f.server.url("/file"));
    ASSERT_TRUE(f.delegate->waitForReport(2));
    // The copy was deleted first, so the fetch was not conditional.
    EXPECT_EQ(f.server.seen().at(1).ifModifiedSince, "");

    const std::string path = file->filePath();
    file->clear();
    EXPECT_EQ(file->sourceURL(), std::nullopt);
    EXPECT_EQ(file->filePath(), "");
    EXPECT_TRUE(foundation::FileManager::defaultManager().fileExists(path));

    file->setSourceURL(f.server.url("/file"));
    file->invalidate();
    EXPECT_FALSE(file->fileExists());
}

}  // namespace
