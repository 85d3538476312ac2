#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"
#include "remote/MoreFromDeveloper/NSArrayCache.h"
#include "remote/MoreFromDeveloper/THCacher.h"
#include "remote/MoreFromDeveloper/THMoreFromDeveloperCell.h"
#include "remote/MoreFromDeveloper/THMoreFromDeveloperModel.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::Value;

Value record(const std::string& name) {
    return Value::dictionary({{"trackName", name}});
}

std::vector<std::string> names(const Value& results) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < results.count(); ++i) {
        out.push_back(results.at(i).get("trackName").stringValue());
    }
    return out;
}

class MoreFromDeveloperTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get(
            "/lookup", [this](const httplib::Request& request, httplib::Response& response) {
                ++lookups;
                const std::string id = request.get_param_value("id");
                if (id == "broken") {
                    response.set_content("{not json", "application/json");
                } else if (id == "dev") {
                    response.set_content(
                        R"({"resultCount": 5, "results": [{"trackName": "The Developer"},
                    {"trackName": "A"}, {"trackName": "B"}, {"trackName": "C"}, {"trackName": "D"}]})",
                        "application/json");
                } else {
                    response.set_content(R"({"resultCount": 1, "results": [{"trackName": "App )" +
                                             id + R"(", "artworkUrl100": 5}]})",
                                         "application/json");
                }
            });
        server.start();
        THMoreFromDeveloperModel::setLookupService(server.url(""));
        net::Reachability::setSimulatedNetworkFlags(0);
        model = THMoreFromDeveloperModel::make();
        token = foundation::NotificationCenter::defaultCenter().addObserver(
            kMoreFromDeveloperLoadedNotification, model.get(), nullptr,
            [this](const foundation::Notification& note) {
                announced.push_back(note.userInfo.get("results"));
            });
    }
    void TearDown() override {
        foundation::NotificationCenter::defaultCenter().removeObserver(token);
        net::Reachability::setSimulatedNetworkFlags(std::nullopt);
    }
    void goOnline() {
        net::Reachability::setSimulatedNetworkFlags(2);
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return model->isReachable(); }, 10));
    }

    testing_support::LocalServer server;
    std::atomic<int> lookups{0};
    THMoreFromDeveloperModel::Ptr model;
    foundation::NotificationCenter::ObserverToken token;
    std::vector<Value> announced;
};

TEST_F(MoreFromDeveloperTest, OfflineTheArchivesAreAnnouncedOnceAndNothingIsSent) {
    NSArrayCache::storeArrayToCacheWithKey(Value::array({record("one")}), "1");
    NSArrayCache::storeArrayToCacheWithKey(Value::array({record("two"), record("three")}), "2");
    EXPECT_FALSE(model->isReachable());
    model->loadAppIds({"1", "2", "never"});
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(names(announced[0]), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_FALSE(model->loadAppId("unknown"));
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[1].count(), 3u);  // the batch of the last list
    EXPECT_EQ(lookups.load(), 0);
}

TEST_F(MoreFromDeveloperTest, OnlineLookupsAreArchivedAndAnnouncedAfterTheLastAnswer) {
    goOnline();
    model->loadAppIds({"7", "8"});
    EXPECT_EQ(model->openRequestIds().size(), 2u);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !announced.empty(); }, 20));
    EXPECT_EQ(lookups.load(), 2);
    EXPECT_EQ(names(announced[0]), (std::vector<std::string>{"App 7", "App 8"}));
    EXPECT_EQ(names(NSArrayCache::initArrayFromCacheWithKey("7")),
              (std::vector<std::string>{"App 7"}));
    const std::string url =
        THMoreFromDeveloperModel::lookupURL("42", THLookupRequestType::developer);
    EXPECT_EQ(url.rfind(server.url("/lookup?country="), 0), 0u) << url;
    EXPECT_NE(url.find("&id=42&entity=software"), std::string::npos) << url;
}

TEST_F(MoreFromDeveloperTest, OnANetworkAlreadyUpTheModelGoesOnlineWithoutAChange) {
    const std::string host = THMoreFromDeveloperModel::reachabilityHost();
    THMoreFromDeveloperModel::setReachabilityHost("127.0.0.1");
    auto local = THMoreFromDeveloperModel::make();
    THMoreFromDeveloperModel::setReachabilityHost(host);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return local->isReachable(); }, 10));
    EXPECT_TRUE(local->loadAppId("9"));
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return local->openRequestIds().empty(); }, 20));
    EXPECT_EQ(lookups.load(), 1);
}

TEST_F(MoreFromDeveloperTest, ADeveloperAnswerKeepsItsAppsWithoutTheDeveloper) {
    goOnline();
    EXPECT_TRUE(model->loadDeveloperId("dev"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !announced.empty(); }, 20));
    EXPECT_EQ(names(NSArrayCache::initArrayFromCacheWithKey("dev")),
              (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST_F(MoreFromDeveloperTest, AFailedLookupStillLetsItsBatchAndLaterOnesBeAnnounced) {
    goOnline();
    model->loadAppIds({"broken", "9"});
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return announced.size() == 1; }, 20));
    EXPECT_TRUE(model->openRequestIds().empty());
    EXPECT_EQ(names(announced[0]), (std::vector<std::string>{"App 9"}));
    model->loadAppIds({"10"});
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return announced.size() == 2; }, 20));
    EXPECT_FALSE(THCacher::removeItemsFromCacheWithKey("broken"));
    EXPECT_TRUE(THCacher::removeItemsFromCacheWithKey("10"));
}

TEST_F(MoreFromDeveloperTest, CellsShowARecordOrTheirOwnLookup) {
    auto cell = THMoreFromDeveloperCell::make(graphics::Rect(0, 0, 80, 110));
    EXPECT_EQ(cell->appNameIcon()->frame(), graphics::Rect(0, 0, 80, 80));
    EXPECT_EQ(cell->appNameLabel()->frame(), graphics::Rect(0, 90, 80, 20));
    cell->setupWithLookUpDictionary(Value::dictionary({{"trackName", 3}}));
    EXPECT_EQ(cell->appNameLabel()->text(), "");

    cell->setupWithAppId("5");
    EXPECT_EQ(cell->appNameLabel()->text(), "Loading...");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return cell->appNameLabel()->text() == "App 5"; }, 20));
    cell->setupWithAppId("broken");
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return cell->appNameLabel()->text() == "Unable to load"; }, 20));
    EXPECT_NE(cell->appNameIcon()->image(), nullptr);
}

}  // namespace
