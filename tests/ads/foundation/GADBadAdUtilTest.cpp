#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "ads/foundation/GADBadAdUtil.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;

class GADBadAdUtilTest : public testing::Test {
  protected:
    void SetUp() override {
        auto& s = server.server();
        s.Post("/report", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex);
            reports.push_back(request.get_header_value("Content-Type") + " " + request.body);
            response.set_content("ok", "text/plain");
        });
        s.Post("/slow-report",
               [this](const httplib::Request& request, httplib::Response& response) {
                   std::unique_lock lock(mutex);
                   slowArrived = true;
                   released.wait(lock, [this] { return release; });
                   reports.push_back("slow " + request.body);
                   response.set_content("ok", "text/plain");
               });
        server.start();
    }
    void TearDown() override {
        releaseSlowReport();
        foundation::UserDefaults::standard().removeObjectForKey("bad_ad_report_path");
    }

    void setReportPath(const std::string& path) {
        foundation::UserDefaults::standard().setObject("bad_ad_report_path", server.url(path));
    }
    std::vector<std::string> received() {
        std::lock_guard lock(mutex);
        return reports;
    }
    bool waitForReports(std::size_t count) {
        return RunLoop::main().runUntil([&] { return received().size() >= count; }, 10);
    }
    void releaseSlowReport() {
        {
            std::lock_guard lock(mutex);
            release = true;
        }
        released.notify_all();
    }

    std::mutex mutex;
    std::condition_variable released;
    std::vector<std::string> reports;
    bool slowArrived = false;
    bool release = false;
    testing_support::LocalServer server;
};

TEST_F(GADBadAdUtilTest, PostsTheDebugHeaderAsJSON) {
    setReportPath("/report");
    auto reporter = std::make_shared<GADBadAdUtil>();
    reporter->reportBadAd("X-Debug: 1");
    ASSERT_TRUE(waitForReports(1));
    EXPECT_EQ(received()[0], R"(application/json {"debugHeader":"X-Debug: 1"})");
}

TEST_F(GADBadAdUtilTest, ANilHeaderIsSentAsNull) {
    EXPECT_EQ(std::make_shared<GADBadAdUtil>()->jsonData(std::nullopt),
              foundation::Data(std::string_view(R"({"debugHeader":null})").begin(),
                               std::string_view(R"({"debugHeader":null})").end()));
}

TEST_F(GADBadAdUtilTest, TheReportAddressFallsBackWhenTheDefaultIsEmpty) {
    auto reporter = std::make_shared<GADBadAdUtil>();
    const std::optional<foundation::URL> fixed = reporter->badAdURL();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->scheme(), "https");
    EXPECT_EQ(fixed->path(), "/s/reportAd");
    foundation::UserDefaults::standard().setObject("bad_ad_report_path", "");
    EXPECT_EQ(reporter->badAdURL(), fixed);
    setReportPath("/report");
    EXPECT_EQ(reporter->badAdURL(), foundation::URL::fromString(server.url("/report")));
}

TEST_F(GADBadAdUtilTest, ASecondReportDetachesTheFirstWhichRunsOn) {
    auto reporter = std::make_shared<GADBadAdUtil>();
    setReportPath("/slow-report");
    reporter->reportBadAd("first");
    const std::shared_ptr<GADURLConnection> first = reporter->connection();
    RunLoop::main().runUntil(
        [&] {
            std::lock_guard lock(mutex);
            return slowArrived;
        },
        10);
    setReportPath("/report");
    reporter->reportBadAd("second");
    EXPECT_NE(reporter->connection(), first);
    EXPECT_EQ(first->delegate(), nullptr);
    EXPECT_TRUE(first->isInProgress());
    ASSERT_TRUE(waitForReports(1));
    releaseSlowReport();
    ASSERT_TRUE(waitForReports(2));
    EXPECT_EQ(received(), (std::vector<std::string>{R"(application/json {"debugHeader":"second"})",
                                                    R"(slow {"debugHeader":"first"})"}));
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return !first->isInProgress(); }, 10));
}

TEST(GADBadAdUtil, OneSharedReporter) {
    EXPECT_EQ(GADBadAdUtil::sharedInstance(), GADBadAdUtil::sharedInstance());
    EXPECT_TRUE(GADBadAdUtil::sharedInstance());
}

}  // namespace
