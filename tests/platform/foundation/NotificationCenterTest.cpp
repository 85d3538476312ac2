#include "platform/foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

namespace foundation {
namespace {

struct Listener {
    std::vector<std::string> heard;
    void hear(const Notification& note) {
        heard.push_back(note.name + ":" + note.userInfo["u"].stringValue());
    }
};

TEST(NotificationCenterTest, DeliversByNameAndObjectIdentity) {
    NotificationCenter center;
    int webView = 0;
    int otherView = 0;
    auto byName = std::make_shared<Listener>();
    auto byObject = std::make_shared<Listener>();
    auto byBoth = std::make_shared<Listener>();
    auto everything = std::make_shared<Listener>();
    center.addObserver(byName, &Listener::hear, "didReceiveWebAction");
    center.addObserver(byObject, &Listener::hear, "", &webView);
    center.addObserver(byBoth, &Listener::hear, "didReceiveWebAction", &webView);
    center.addObserver(everything, &Listener::hear, "");

    center.post("didReceiveWebAction", &webView, Value::dictionary({{"u", "a"}}));
    center.post("didReceiveWebAction", &otherView, Value::dictionary({{"u", "b"}}));
    center.post("webViewDidFinishLoad", &webView, Value::dictionary({{"u", "c"}}));
    center.post("didReceiveWebAction", nullptr, Value::dictionary({{"u", "d"}}));

    EXPECT_EQ(byName->heard,
              (std::vector<std::string>{"didReceiveWebAction:a", "didReceiveWebAction:b",
                                        "didReceiveWebAction:d"}));
    EXPECT_EQ(byObject->heard,
              (std::vector<std::string>{"didReceiveWebAction:a", "webViewDidFinishLoad:c"}));
    EXPECT_EQ(byBoth->heard, (std::vector<std::string>{"didReceiveWebAction:a"}));
    EXPECT_EQ(everything->heard.size(), 4u);
}

TEST(NotificationCenterTest, AnObserverThatIsGoneIsSkipped) {
    NotificationCenter center;
    auto stays = std::make_shared<Listener>();
    auto goes = std::make_shared<Listener>();
    center.addObserver(goes, &Listener::hear, "n");
    center.addObserver(stays, &Listener::hear, "n");
    goes.reset();
    center.post("n");
    EXPECT_EQ(stays->heard.size(), 1u);
}

TEST(NotificationCenterTest, RemovalByObserverByNameAndByToken) {
    NotificationCenter center;
    auto listener = std::make_shared<Listener>();
    int object = 0;
    center.addObserver(listener, &Listener::hear, "a");
    center.addObserver(listener, &Listener::hear, "b", &object);
    int blockCalls = 0;
    auto token =
        center.addObserver("a", nullptr, nullptr, [&](const Notification&) { ++blockCalls; });

    center.removeObserver(listener.get(), "b", &object);
    center.post("b", &object);
    center.post("a");
    EXPECT_EQ(listener->heard, (std::vector<std::string>{"a:"}));
    EXPECT_EQ(blockCalls, 1);

    center.removeObserver(listener.get());
    center.removeObserver(token);
    center.post("a");
    EXPECT_EQ(listener->heard.size(), 1u);
    EXPECT_EQ(blockCalls, 1);
}

TEST(NotificationCenterTest, AnObserverRemovedByAnEarlierOneDuringAPostIsNotCalled) {
    NotificationCenter center;
    auto later = std::make_shared<Listener>();
    auto remover = std::make_shared<int>(0);
    center.addObserver(remover, "n", nullptr,
                       [&](const Notification&) { center.removeObserver(later.get()); });
    center.addObserver(later, &Listener::hear, "n");
    center.post("n");
    EXPECT_TRUE(later->heard.empty());
}

TEST(NotificationCenterTest, BlockObserversRunOnTheirQueue) {
    auto& center = NotificationCenter::defaultCenter();
    std::atomic<int> onMain{0};
    std::atomic<int> onPoster{0};
    auto mainToken = center.addObserver(
        "memoryWarning", nullptr, OperationQueue::main(),
        [&](const Notification&) { onMain += Thread::isMainThread() ? 1 : 100; });
    auto posterToken = center.addObserver(
        "memoryWarning", nullptr, nullptr,
        [&](const Notification&) { onPoster += Thread::isMainThread() ? 100 : 1; });

    std::thread([&] { center.post("memoryWarning"); }).join();
    EXPECT_EQ(onPoster.load(), 1);  // on the posting worker, before post returned
    EXPECT_EQ(onMain.load(), 0);    // waits for the main loop
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return onMain.load() > 0; }, 10.0));
    EXPECT_EQ(onMain.load(), 1);

    center.post("memoryWarning");  // posted on main: the main-queue observer runs in place
    EXPECT_EQ(onMain.load(), 2);

    center.removeObserver(mainToken);
    center.removeObserver(posterToken);
}

}  // namespace
}  // namespace foundation
