#pragma once

// Performs the user actions of one ad web view: it keeps the context of the
// navigation that asks for them (its URL, the referring page, the web view
// and the controller to present from) and opens other applications, mail and
// message links, the browser and the publisher toolbar. Until the component's
// own screens for these exist, each action hands its URL to the application,
// which opens it with the application registered for its scheme. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

namespace services {
class EventEditViewDelegate;
}
namespace ui {
class ViewController;
}

class GADOpenerDelegate;
class GADSlot;
class GADWebView;

class GADOpener {
  public:
    const std::optional<std::string>& navigationURL() const { return navigationURL_; }
    void setNavigationURL(std::optional<std::string> url) { navigationURL_ = std::move(url); }
    const std::optional<foundation::URL>& referringURL() const { return referringURL_; }
    void setReferringURL(std::optional<foundation::URL> url) { referringURL_ = std::move(url); }
    std::shared_ptr<ui::ViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::shared_ptr<ui::ViewController>& controller) {
        viewController_ = controller;
    }
    std::shared_ptr<GADWebView> webView() const { return webView_.lock(); }
    void setWebView(const std::shared_ptr<GADWebView>& webView) { webView_ = webView; }
    // The slot that owns the ad (held weakly).
    std::shared_ptr<GADSlot> slot() const { return slot_.lock(); }
    void setSlot(const std::weak_ptr<GADSlot>& slot) { slot_ = slot; }
    // Told after each action (held weakly).
    std::shared_ptr<GADOpenerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADOpenerDelegate>& delegate) { delegate_ = delegate; }
    // An action sent the user out of the application; the web-app screen
    // reads and clears it when the application comes back.
    bool didOpenAnotherApplication() const { return didOpenAnotherApplication_; }
    void setDidOpenAnotherApplication(bool opened) { didOpenAnotherApplication_ = opened; }

    // Each answers whether the URL was opened.
    bool openApp(const foundation::URL& url);
    bool openEmailComposer(const foundation::URL& url);
    bool openSmsComposer(const foundation::URL& url);
    bool openBrowserToURL(const foundation::URL& url, int supportedOrientations);
    // The toolbar for the ad unit over the ad's HTML; there is no toolbar
    // screen here, so it is logged.
    void openPublisherToolbar(const std::optional<std::string>& adUnitID, const std::string& html);
    // An MRAID ad's resize request: it changes no view.
    void openWebAppWithSize(graphics::Size size, graphics::Vector offset);
    // The calendar-event editor over an MRAID ad's event (the parameters of
    // GADMRAIDCalendarProperties; nothing when one is missing), presented
    // once the user lets the application at the calendar and dismissed when
    // the user is done; a refusal reaches the ad's page as the event
    // "onCalendarEventCanceled". The auto-click guard does not apply.
    void openCalendarWithDictionary(const foundation::Dictionary& parameters);

  private:
    std::optional<std::string> navigationURL_;
    std::optional<foundation::URL> referringURL_;
    std::weak_ptr<ui::ViewController> viewController_;
    std::weak_ptr<GADWebView> webView_;
    std::shared_ptr<services::EventEditViewDelegate> calendarEditorDismisser_;
    std::weak_ptr<GADSlot> slot_;
    std::weak_ptr<GADOpenerDelegate> delegate_;
    bool didOpenAnotherApplication_ = false;
};
