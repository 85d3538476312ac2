#include "ads/webview/GADWebViewDelegate.h"

#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADActiveViewGMSGHandler.h"
#include "ads/webview/GADDefaultGMSGHandler.h"
#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADMRAIDGMSGHandler.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerGMSGHandler.h"
#include "ads/webview/GADOpenerSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/Application.h"

namespace {

std::string withoutFragment(const std::string& text) {
    return text.substr(0, text.find('#'));
}

std::shared_ptr<GADWebView> shared(GADWebView& webView) {
    return std::static_pointer_cast<GADWebView>(webView.shared_from_this());
}

// A frame the page itself loads (a tracker, a video player): a navigation
// nobody clicked whose request names another document as the main one. It is
// no action of the ad.
bool isFrameLoadOfThePage(const net::URLRequest& request, web::NavigationType navigationType) {
    return navigationType == web::NavigationType::other && request.mainDocumentURL() &&
           request.url() &&
           request.mainDocumentURL()->absoluteString() != request.url()->absoluteString();
}

}  // namespace

GADWebViewDelegate::GADWebViewDelegate() : opener_(std::make_shared<GADOpener>()) {
    addGMSGHandler(std::make_shared<GADOpenerGMSGHandler>(opener_));
    addGMSGHandler(std::make_shared<GADDefaultGMSGHandler>());
    addGMSGHandler(std::make_shared<GADActiveViewGMSGHandler>());
    addGMSGHandler(std::make_shared<GADMRAIDGMSGHandler>(opener_));
}

GADWebViewDelegate::~GADWebViewDelegate() {
    opener_->setViewController(nullptr);
    opener_->setSlot({});
    opener_->setWebView(nullptr);
}

void GADWebViewDelegate::addGMSGHandler(const std::shared_ptr<GADGMSGHandler>& handler) {
    if (handler) {
        handlers_.push_back(handler);
    }
}

std::shared_ptr<ui::ViewController> GADWebViewDelegate::viewControllerForPresentingFromWebView(
    GADWebView& webView) {
    return webView.viewController();
}

bool GADWebViewDelegate::webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                                web::NavigationType navigationType) {
    if (!request.url()) {
        return false;
    }
    const foundation::URL& url = *request.url();
    opener_->setNavigationURL(url.absoluteString());
    if (url.absoluteString() == kGADPublisherToolbarURL) {
        opener_->openPublisherToolbar(std::nullopt, webView.stringByEvaluatingJavaScriptFromString(
                                                        "document.body.innerHTML"));
        return false;
    }
    const std::string scheme = foundation::lowercase(url.scheme());
    if (const auto userAgent = request.valueForHTTPHeaderField("User-Agent")) {
        GADDevice::currentDevice().setUserAgentString(*userAgent);
    }
    opener_->setViewController(viewControllerForPresentingFromWebView(webView));
    opener_->setWebView(shared(webView));

    if (navigationType == web::NavigationType::linkClicked && url.fragment() && webView.request() &&
        webView.request()->url() &&
        withoutFragment(url.absoluteString()) ==
            withoutFragment(webView.request()->url()->absoluteString())) {
        return false;
    }
    // An MRAID ad's web links leave the ad for the in-app browser.
    if (navigationType == web::NavigationType::linkClicked && scheme.starts_with("http")) {
        if (const auto slot = opener_->slot(); slot && slot->isMRAIDEnabled()) {
            opener_->openBrowserToURL(url, kGADOrientationMaskAny);
            return false;
        }
    }

    foundation::Dictionary report{{"u", url.absoluteString()}};
    auto& center = foundation::NotificationCenter::defaultCenter();
    if (GADNotification::isNotificationURL(url)) {
        if (const auto message = GADNotification::withNotificationURL(url)) {
            report["a"] = message->name();
        }
        center.post(kGADDidReceiveWebActionNotification, &webView, report);
        handleGMSGRequest(request, shared(webView));
        return false;
    }
    if (!isFrameLoadOfThePage(request, navigationType) &&
        (navigationType != web::NavigationType::other || url.path().size() >= 2)) {
        center.post(kGADDidReceiveWebActionNotification, &webView, report);
    }
    if (scheme == "mailto") {
        opener_->openEmailComposer(url);
        return false;
    }
    if (scheme == "sms") {
        opener_->openSmsComposer(url);
        return false;
    }
    if (scheme == "file") {
        return fileAccessAllowed_;
    }
    if (scheme == "about") {
        return true;
    }
    if (scheme == "http" || scheme == "https") {
        webView.setURLForView(url, shared(webView));
        return true;
    }
    opener_->openApp(url);
    return false;
}

void GADWebViewDelegate::handleGMSGRequest(const net::URLRequest& request,
                                           const std::shared_ptr<GADWebView>& webView) {
    const auto handlers = handlers_;
    auto handled = std::make_shared<bool>(false);
    auto main = foundation::DispatchQueue::main();
    for (const auto& handler : handlers) {
        main->async([handler, request, webView, handled] {
            if (handler->handleRequest(request, webView)) {
                *handled = true;
            }
        });
    }
    main->async([request, webView, handled] {
        if (!*handled && request.url()) {
            GADNotificationCenter::defaultCenter().postNotificationFromURL(*request.url(), webView,
                                                                           0);
        }
    });
}

void GADWebViewDelegate::webViewDidFinishLoad(GADWebView& webView) {
    webView.forceRotateToOrientation(
        static_cast<int>(ui::Application::shared().statusBarOrientation()));
    webView.setDidReceiveLoadEvent(true);
    if (!hasLoadedAtLeastOnce_) {
        hasLoadedAtLeastOnce_ = true;
        foundation::NotificationCenter::defaultCenter().post(kGADWebViewDidFinishLoadNotification,
                                                             &webView);
        loadedFirstPage(webView);
    }
}

void GADWebViewDelegate::webViewDidFailLoad(GADWebView& webView, const net::URLError&) {
    foundation::NotificationCenter::defaultCenter().post(kGADWebViewDidFailLoadNotification,
                                                         &webView);
}
