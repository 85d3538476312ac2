#include "ads/webview/GADActiveViewGMSGHandler.h"

#include <map>
#include <string>

#include "ads/webview/GADActiveViewObserver.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADWebView.h"

namespace {

using Action = void (GADActiveViewGMSGHandler::*)(const GADNotification&, GADWebView&);

const std::map<std::string, Action>& actionSelectorDictionary() {
    static const std::map<std::string, Action> actions = {
        {"visibilityChanged",
         &GADActiveViewGMSGHandler::didReceiveActiveViewVisibilityChangedNotification},
        {"untrackActiveViewUnit",
         &GADActiveViewGMSGHandler::didReceiveActiveViewUntrackActiveViewNotification},
    };
    return actions;
}

}  // namespace

bool GADActiveViewGMSGHandler::handleRequest(const net::URLRequest& request,
                                             const std::shared_ptr<GADWebView>& webView) {
    const auto note =
        request.url() ? GADNotification::withNotificationURL(*request.url()) : std::nullopt;
    if (!note || !webView) {
        return false;
    }
    const auto found = actionSelectorDictionary().find(note->name());
    if (found == actionSelectorDictionary().end()) {
        return false;
    }
    (this->*found->second)(*note, *webView);
    return true;
}

void GADActiveViewGMSGHandler::didReceiveActiveViewVisibilityChangedNotification(
    const GADNotification& note, GADWebView& webView) {
    const auto visible = note.parameters().find("isVisible");
    webView.setActiveViewVisibility(visible != note.parameters().end() &&
                                    visible->second.stringValue() == "1");
    if (auto observer = webView.activeViewObserver()) {
        observer->webViewDidChangeActiveViewVisibility(webView);
    }
}

void GADActiveViewGMSGHandler::didReceiveActiveViewUntrackActiveViewNotification(
    const GADNotification&, GADWebView& webView) {
    webView.setActiveViewUnloadPingReceived(true);
}
