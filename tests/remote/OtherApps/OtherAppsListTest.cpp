#include <gtest/gtest.h>

#include <atomic>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Application.h"
#include "remote/OtherApps/RIROtherAppsViewController.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;

class OtherAppsListTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto data =
            *graphics::PNGCodec::encode(*graphics::Bitmap::make(4, 4, {5, 6, 7, 255}));
        icon.assign(data.begin(), data.end());
        auto& s = server.server();
        s.Get("/lookup", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(answer, "application/json");
            ++lookups;
        });
        s.Get(R"(/icon/(\w+)\.png)", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(icon, "image/png");
        });
        server.start();
    }

    RIROtherAppsViewController::Ptr openList() {
        auto list = std::make_shared<RIROtherAppsViewController>();
        list->setDeveloperURL(server.url("/lookup?id=1&entity=software"));
        list->view();
        list->tableView()->reloadData();
        return list;
    }
    static std::string rowText(RIROtherAppsViewController& list, int row) {
        auto cell = list.cellForRowAtIndexPath(*list.tableView(), ui::IndexPath::forRow(row, 0));
        return cell->textLabel()->text() + "|" + cell->detailTextLabel()->text();
    }
    void expectLoadingRow(RIROtherAppsViewController& list) {
        EXPECT_EQ(list.numberOfRowsInSection(*list.tableView(), 0), 1);
        auto cell = list.cellForRowAtIndexPath(*list.tableView(), ui::IndexPath::forRow(0, 0));
        EXPECT_EQ(cell->textLabel()->text(), "Loading");
        auto indicator =
            std::dynamic_pointer_cast<ui::ActivityIndicatorView>(cell->accessoryView());
        ASSERT_NE(indicator, nullptr);
        EXPECT_TRUE(indicator->isAnimating());
    }

    std::string icon;
    std::string answer;
    std::atomic<int> lookups = 0;
    testing_support::LocalServer server;
};

TEST_F(OtherAppsListTest, ListsTheNamedAppsOfTheAnswerInOrder) {
    answer = R"({"resultCount": 4, "results": [
        {"trackName": "Scanner Pro - scan it all", "formattedPrice": "$0.99",
         "artworkUrl60": ")" +
             server.url("/icon/a.png") + R"(", "trackViewUrl": "https://store.example/a"},
        {"artistName": "no name here"},
        {"trackName": "Notes", "formattedPrice": 3, "artworkUrl60": 7},
        {"trackName": "Maps", "trackViewUrl": "https://store.example/m"}]})";
    auto list = openList();
    EXPECT_EQ(list->title(), "Our Apps");
    EXPECT_EQ(list->tableView()->style(), ui::TableViewStyle::grouped);
    expectLoadingRow(*list);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return list->apps().size() == 3; }, 20));
    EXPECT_EQ(list->numberOfRowsInSection(*list->tableView(), 0), 3);
    // A price that is missing or not text shows nothing.
    EXPECT_EQ(rowText(*list, 0), "Scanner Pro |$0.99");
    EXPECT_EQ(rowText(*list, 1), "Notes|");
    EXPECT_EQ(rowText(*list, 2), "Maps|");

    auto cell = list->cellForRowAtIndexPath(*list->tableView(), ui::IndexPath::forRow(0, 0));
    const auto placeholder = cell->imageView()->image();
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return cell->imageView()->image() && cell->imageView()->image() != placeholder; },
        20));
    EXPECT_EQ(cell->imageView()->image()->bitmap()->width(), 4);

    list->didSelectRowAtIndexPath(*list->tableView(), ui::IndexPath::forRow(2, 0));
    ASSERT_FALSE(ui::Application::shared().openedURLs().empty());
    EXPECT_EQ(ui::Application::shared().openedURLs().back(), "https://store.example/m");
}

TEST_F(OtherAppsListTest, AnswersThatAreNotALookupLeaveTheLoadingRow) {
    const char* answers[] = {"not json", "[1, 2]", R"({"results": "none"})",
                             R"({"results": [1, "two", null]})"};
    for (const char* text : answers) {
        SCOPED_TRACE(text);
        answer = text;
        const int served = lookups;
        auto list = openList();
        // The answer is served, then delivered on the main queue: nothing of
        // the request is left in flight when the test ends.
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return lookups > served; }, 20));
        RunLoop::main().runFor(0.2);
        expectLoadingRow(*list);
        const auto opened = ui::Application::shared().openedURLs().size();
        list->didSelectRowAtIndexPath(*list->tableView(), ui::IndexPath::forRow(0, 0));
        EXPECT_EQ(ui::Application::shared().openedURLs().size(), opened);
    }
}

TEST(OtherAppsNameTest, TheRowShowsTheNameBeforeTheFirstHyphen) {
    EXPECT_EQ(RIROtherAppsViewController::displayName("Scanner - fast"), "Scanner ");
    EXPECT_EQ(RIROtherAppsViewController::displayName("Scanner"), "Scanner");
    EXPECT_EQ(RIROtherAppsViewController::displayName("-x"), "");
}

}  // namespace
