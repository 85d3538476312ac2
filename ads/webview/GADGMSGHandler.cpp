#include "ads/webview/GADGMSGHandler.h"

bool GADGMSGHandler::handleRequest(const net::URLRequest& request,
                                   const std::shared_ptr<GADWebView>& webView) {
    if (!actionSelectors_ || !request.url() ||
        !GADNotification::isNotificationURL(*request.url())) {
        return false;
    }
    auto note = GADNotification::withNotificationURL(*request.url());
    if (!note) {
        return false;
    }
    const auto found = actionSelectors_->find(note->name());
    if (found == actionSelectors_->end()) {
        return false;
    }
    found->second(*this, Arguments{webView, std::move(*note)});
    return true;
}

const std::string* GADGMSGHandler::Arguments::parameter(std::string_view key) const {
    const auto& values = note.parameters();
    const auto found = values.find(key);
    return found == values.end() ? nullptr : found->second.asString();
}
