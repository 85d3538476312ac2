#pragma once

// The delegate of an ad web view: decides for each navigation of the page
// whether it may load, carries out those that must not (gmsg messages, mail
// and SMS links, other applications' schemes, the publisher-toolbar
// sentinel), hands gmsg messages to its ordered handlers on the main queue
// in the order the page sent them (posting a message that no handler took
// as a notification of its name), and reports page loads. Main thread.

#include <memory>
#include <optional>
#include <vector>

#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/web/NavigationType.h"

namespace ui {
class ViewController;
}

class GADGMSGHandler;
class GADMRAIDAdSlot;
class GADOpener;
class GADWebView;

// The URL the debug dialog sends through the navigation policy to open the
// publisher toolbar; compared whole and case-sensitive.
inline constexpr const char* kGADPublisherToolbarURL = "publisherToolbar://toolbar.placeholder";
// Posted for every navigation of an ad page but the frames the page loads by
// itself; object: the web view; user info {"u": the URL, "a": the message
// name of a gmsg URL}.
inline constexpr const char* kGADDidReceiveWebActionNotification = "didReceiveWebAction";
inline constexpr const char* kGADWebViewDidFinishLoadNotification = "webViewDidFinishLoad";
inline constexpr const char* kGADWebViewDidFailLoadNotification = "webViewDidFailLoad";

class GADWebViewDelegate {
  public:
    GADWebViewDelegate();
    virtual ~GADWebViewDelegate();
    GADWebViewDelegate(const GADWebViewDelegate&) = delete;
    GADWebViewDelegate& operator=(const GADWebViewDelegate&) = delete;

    void addGMSGHandler(const std::shared_ptr<GADGMSGHandler>& handler);
    const std::vector<std::shared_ptr<GADGMSGHandler>>& gmsgHandlers() const { return handlers_; }
    const std::shared_ptr<GADOpener>& opener() const { return opener_; }
    bool hasLoadedAtLeastOnce() const { return hasLoadedAtLeastOnce_; }
    bool isFileAccessAllowed() const { return fileAccessAllowed_; }
    void setFileAccessAllowed(bool allowed) { fileAccessAllowed_ = allowed; }

    virtual std::shared_ptr<ui::ViewController> viewControllerForPresentingFromWebView(
        GADWebView& webView);
    // The slot whose ad page this delegate serves, for the MRAID script
    // interception; none for pages outside a slot.
    virtual std::shared_ptr<GADMRAIDAdSlot> MRAIDAdSlot() const { return nullptr; }

    // True lets the page load the request.
    virtual bool webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                        web::NavigationType navigationType);
    virtual void webViewDidStartLoad(GADWebView& webView) {}
    virtual void webViewDidFinishLoad(GADWebView& webView);
    virtual void webViewDidFailLoad(GADWebView& webView, const net::URLError& error);
    // Called once, after the first finished load.
    virtual void loadedFirstPage(GADWebView& webView) {}

    // Schedules, on the main queue, each handler in list order and then the
    // notification of a message that none took.
    void handleGMSGRequest(const net::URLRequest& request,
                           const std::shared_ptr<GADWebView>& webView);

  private:
    std::shared_ptr<GADOpener> opener_;
    std::vector<std::shared_ptr<GADGMSGHandler>> handlers_;
    bool hasLoadedAtLeastOnce_ = false;
    bool fileAccessAllowed_ = false;
};
