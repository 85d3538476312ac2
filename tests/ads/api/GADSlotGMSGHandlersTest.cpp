#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADAppEventGMSGHandler.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADSlotSwipeToViewController.h"
#include "ads/api/GADSwipeToViewControllerGMSGHandler.h"
#include "ads/webview/GADActiveViewGMSGHandler.h"
#include "ads/webview/GADDefaultGMSGHandler.h"
#include "ads/webview/GADMRAIDGMSGHandler.h"
#include "ads/webview/GADOpenerGMSGHandler.h"
#include "ads/webview/GADWebAppGMSGHandler.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"

namespace {

net::URLRequest message(const std::string& text) {
    return net::URLRequest(*foundation::URL::fromString(text));
}

// The slot's owner, keeping the app events it hears.
class EventOwner : public GADSlotDelegate {
  public:
    void slotDidReceiveAppEvent(GADSlot&, const std::string& name,
                                const std::optional<std::string>& info) override {
        events.emplace_back(name, info);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> events;
};

}  // namespace

TEST(GADSlotGMSGHandlersTest, ABannersPageHasEveryHandlerInOrder) {
    auto slot = GADSlot::make();
    const auto& handlers = slot->webView()->delegate()->gmsgHandlers();
    ASSERT_EQ(handlers.size(), 7u);
    EXPECT_TRUE(dynamic_cast<GADOpenerGMSGHandler*>(handlers[0].get()));
    EXPECT_TRUE(dynamic_cast<GADDefaultGMSGHandler*>(handlers[1].get()));
    EXPECT_TRUE(dynamic_cast<GADActiveViewGMSGHandler*>(handlers[2].get()));
    EXPECT_TRUE(dynamic_cast<GADMRAIDGMSGHandler*>(handlers[3].get()));
    EXPECT_TRUE(dynamic_cast<GADAppEventGMSGHandler*>(handlers[4].get()));
    EXPECT_TRUE(dynamic_cast<GADWebAppGMSGHandler*>(handlers[5].get()));
    EXPECT_TRUE(dynamic_cast<GADSwipeToViewControllerGMSGHandler*>(handlers[6].get()));
    // The opener handler drives the delegate's own opener.
    EXPECT_EQ(static_cast<GADOpenerGMSGHandler&>(*handlers[0]).opener(),
              slot->webView()->delegate()->opener());
}

TEST(GADSlotGMSGHandlersTest, AppEventsReachTheSlotsOwnerWhileTheSlotLives) {
    auto slot = GADSlot::make();
    auto owner = std::make_shared<EventOwner>();
    slot->setSlotDelegate(owner);
    GADAppEventGMSGHandler handler(slot);
    const std::string appEvent = "gmsg://mobileads.dezuvo.com/appEvent";
    EXPECT_TRUE(handler.handleRequest(message(appEvent + "?name=level&info=3"), nullptr));
    EXPECT_TRUE(handler.handleRequest(message(appEvent + "?name=start"), nullptr));
    EXPECT_TRUE(handler.handleRequest(message(appEvent + "?info=3"), nullptr));  // no name
    EXPECT_EQ(owner->events, (std::vector<std::pair<std::string, std::optional<std::string>>>{
                                 {"level", "3"}, {"start", std::nullopt}}));
    slot.reset();
    EXPECT_TRUE(handler.handleRequest(message(appEvent + "?name=late"), nullptr));
    EXPECT_EQ(owner->events.size(), 2u);
}

TEST(GADSlotGMSGHandlersTest, SwipeMessagesSetTheAdsSwipeSettings) {
    auto slot = GADSlot::make();
    auto ad = std::make_shared<GADAd>();
    ad->setSwipeToViewControllerConfigurations(foundation::Value(foundation::Dictionary{}));
    slot->finishedLoadingAdResponse(ad);
    GADSwipeToViewControllerGMSGHandler handler(slot);
    const auto settings = slot->swipeToViewController()->configurations();
    ASSERT_TRUE(settings);
    const std::string enable = "gmsg://mobileads.dezuvo.com/enableSwipeToViewController";
    struct Case {
        std::string query;
        int direction;
        bool draggable;
    };
    const std::vector<Case> cases = {
        {"?swipe_direction=top_to_bottom&ad_draggable=1", 1, true},
        {"?swipe_direction=bottom_to_top&ad_draggable=true", 2, false},
        // Compared exactly.
        {"?swipe_direction=Bottom_To_Top&ad_draggable=1", 0, true},
        {"", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_TRUE(handler.handleRequest(message(enable + c.query), nullptr));
        EXPECT_EQ(settings->swipeDirection(), c.direction);
        EXPECT_EQ(settings->adDraggable(), c.draggable);
    }
    handler.handleRequest(message(enable + "?swipe_direction=top_to_bottom&ad_draggable=1"),
                          nullptr);
    EXPECT_TRUE(handler.handleRequest(
        message("gmsg://mobileads.dezuvo.com/disableSwipeToViewController"), nullptr));
    EXPECT_EQ(settings->swipeDirection(), 0);
    EXPECT_FALSE(settings->adDraggable());
}
