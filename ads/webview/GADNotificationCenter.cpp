#include "ads/webview/GADNotificationCenter.h"

#include <algorithm>

#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/OperationQueue.h"

namespace {

constexpr const char* kReceiveMessageFunction = "VIRA_ReceiveMessage";

}  // namespace

GADNotificationCenter& GADNotificationCenter::defaultCenter() {
    static GADNotificationCenter* const center = new GADNotificationCenter();
    return *center;
}

foundation::NotificationCenter& GADNotificationCenter::center() const {
    return foundation::NotificationCenter::defaultCenter();
}

void GADNotificationCenter::postNotificationFromURL(const foundation::URL& url,
                                                    const void* object) {
    std::optional<GADNotification> message = GADNotification::withNotificationURL(url);
    if (message) {
        center().post(message->name(), object, foundation::Value(message->parameters()));
    }
}

void GADNotificationCenter::postNotificationFromURL(const foundation::URL& url,
                                                    std::shared_ptr<const void> object,
                                                    foundation::TimeInterval delay) {
    foundation::DispatchQueue::main()->after(std::max(delay, 0.0), [this, url, object] {
        foundation::OperationQueue::main()->addOperation(
            [this, url, object] { postNotificationFromURL(url, object.get()); });
    });
}

void GADNotificationCenter::postJSNotification(
    const std::string& name, const std::optional<foundation::Dictionary>& userInfo,
    const std::shared_ptr<GADWebView>& webView) {
    const std::string command = JSCommandForNotificationName(name, userInfo);
    if (!webView) {
        return;
    }
    foundation::DispatchQueue::main()->async(
        [webView, command] { webView->stringByEvaluatingJavaScriptFromString(command); });
}

std::string GADNotificationCenter::JSCommandForNotificationName(
    const std::string& name, const std::optional<foundation::Dictionary>& userInfo) {
    const auto json = GADMacros::dictionaryToJSONString(userInfo);
    if (!json || json->empty()) {
        return std::string(kReceiveMessageFunction) + "('" + name + "');";
    }
    return std::string(kReceiveMessageFunction) + "('" + name + "', " + *json + ");";
}
