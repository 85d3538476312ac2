#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "tests/ads/webview/RecordingWebView.h"

namespace {

using foundation::RunLoop;

foundation::URL url(const char* text) {
    return *foundation::URL::fromString(text);
}

// Records what the center delivers under one name, and removes itself.
class Observation {
  public:
    explicit Observation(const std::string& name, const void* object = nullptr) {
        token_ = foundation::NotificationCenter::defaultCenter().addObserver(
            name, object, nullptr, [this](const foundation::Notification& note) {
                notes.push_back(note);
                onMainThread.push_back(foundation::Thread::isMainThread());
                events->push_back("note");
            });
    }
    ~Observation() { foundation::NotificationCenter::defaultCenter().removeObserver(token_); }

    std::vector<foundation::Notification> notes;
    std::vector<bool> onMainThread;
    std::shared_ptr<std::vector<std::string>> events = std::make_shared<std::vector<std::string>>();

  private:
    foundation::NotificationCenter::ObserverToken token_;
};

TEST(GADNotificationCenter, TheFacadeUsesTheDefaultCenter) {
    EXPECT_EQ(&GADNotificationCenter::defaultCenter().center(),
              &foundation::NotificationCenter::defaultCenter());
}

TEST(GADNotificationCenter, PostsAMessageWithItsParametersAndObject) {
    int object = 0;
    Observation observation("click", &object);
    auto& center = GADNotificationCenter::defaultCenter();
    center.postNotificationFromURL(url("gmsg://h/click?u=a%20b&x=1"), &object);
    center.postNotificationFromURL(url("http://h/click?u=1"), &object);
    center.postNotificationFromURL(url("gmsg://h/"), &object);
    ASSERT_EQ(observation.notes.size(), 1u);
    EXPECT_EQ(observation.notes[0].object, &object);
    EXPECT_EQ(observation.notes[0].userInfo,
              foundation::Value(foundation::Dictionary{{"u", "a b"}, {"x", "1"}}));
}

TEST(GADNotificationCenter, NegativeDelayPostsOnTheMainThreadAfterQueuedOperations) {
    Observation observation("nativeAdPreProcess");
    auto events = observation.events;
    foundation::OperationQueue::main()->addOperation([events] { events->push_back("queued"); });
    auto object = std::make_shared<int>(7);
    const void* address = object.get();
    std::weak_ptr<int> weak = object;
    GADNotificationCenter::defaultCenter().postNotificationFromURL(
        url("gmsg://h/nativeAdPreProcess?a=1"), std::move(object), -5);
    EXPECT_TRUE(observation.notes.empty());
    EXPECT_FALSE(weak.expired());
    RunLoop::main().runUntil([&] { return !observation.notes.empty(); }, 10);
    EXPECT_EQ(*events, (std::vector<std::string>{"queued", "note"}));
    ASSERT_EQ(observation.notes.size(), 1u);
    EXPECT_EQ(observation.notes[0].object, address);
    EXPECT_TRUE(observation.onMainThread[0]);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weak.expired());
}

TEST(GADNotificationCenter, DelayedPostWaitsForItsTime) {
    foundation::ManualClock clock;
    Observation observation("appEvent");
    GADNotificationCenter::defaultCenter().postNotificationFromURL(url("gmsg://h/appEvent"),
                                                                   nullptr, 2);
    clock.advance(1.5);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(observation.notes.empty());
    clock.advance(0.5);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(observation.notes.size(), 1u);
}

TEST(GADNotificationCenter, BuildsTheReceiveMessageCommand) {
    struct Case {
        std::optional<foundation::Dictionary> userInfo;
        const char* command;
    };
    const Case cases[] = {
        {std::nullopt, "VIRA_ReceiveMessage('onshow');"},
        {foundation::Dictionary{}, "VIRA_ReceiveMessage('onshow', {});"},
        {foundation::Dictionary{{"version", "1.2"}, {"device", "x86_64"}},
         R"(VIRA_ReceiveMessage('onshow', {"device":"x86_64","version":"1.2"});)"},
        {foundation::Dictionary{{"when", foundation::Value(foundation::Date())}},
         "VIRA_ReceiveMessage('onshow');"},  // user info without JSON: the one-argument form
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GADNotificationCenter::JSCommandForNotificationName("onshow", c.userInfo),
                  c.command);
    }
    EXPECT_EQ(GADNotificationCenter::JSCommandForNotificationName("it's", std::nullopt),
              "VIRA_ReceiveMessage('it's');");
}

TEST(GADNotificationCenter, EvaluatesEventsInThePageOnALaterTurn) {
    auto webView = std::make_shared<RecordingWebView>();
    auto& center = GADNotificationCenter::defaultCenter();
    center.postJSNotification("openableURLs", foundation::Dictionary{{"a:", true}}, webView);
    center.postJSNotification("onhide", std::nullopt, nullptr);
    EXPECT_TRUE(webView->scripts.empty());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(webView->scripts,
              std::vector<std::string>{R"(VIRA_ReceiveMessage('openableURLs', {"a:":true});)"});
}

}  // namespace
