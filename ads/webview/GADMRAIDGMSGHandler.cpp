#include "ads/webview/GADMRAIDGMSGHandler.h"

#include <algorithm>

#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADMRAIDPicture.h"
#include "ads/webview/GADMRAIDResizeProperties.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Log.h"

namespace {

constexpr const char* kMRAIDMessage = "mraid";

using SubAction = void (GADMRAIDGMSGHandler::*)(const GADNotification&,
                                                const std::shared_ptr<GADWebView>&);

const std::map<std::string, SubAction>& subActionSelectorDictionary() {
    static const std::map<std::string, SubAction> actions = {
        {"resize", &GADMRAIDGMSGHandler::actionResize},
        {"storePicture", &GADMRAIDGMSGHandler::actionStorePicture},
        {"createCalendarEvent", &GADMRAIDGMSGHandler::actionCreateCalendarEvent},
    };
    return actions;
}

std::string parameter(const GADNotification& note, const std::string& key) {
    const auto found = note.parameters().find(key);
    return found == note.parameters().end() ? std::string() : found->second.stringValue();
}

}  // namespace

bool GADMRAIDGMSGHandler::handleRequest(const net::URLRequest& request,
                                        const std::shared_ptr<GADWebView>& webView) {
    const auto note =
        request.url() ? GADNotification::withNotificationURL(*request.url()) : std::nullopt;
    if (!note || note->name() != kMRAIDMessage) {
        return false;
    }
    didReceiveMRAIDNotification(*note, webView);
    return true;
}

void GADMRAIDGMSGHandler::didReceiveMRAIDNotification(const GADNotification& note,
                                                      const std::shared_ptr<GADWebView>& webView) {
    const auto found = subActionSelectorDictionary().find(parameter(note, "a"));
    if (found != subActionSelectorDictionary().end()) {
        (this->*found->second)(note, webView);
    }
}

void GADMRAIDGMSGHandler::actionResize(const GADNotification& note,
                                       const std::shared_ptr<GADWebView>& webView) {
    const auto properties =
        GADMRAIDResizeProperties::MRAIDResizePropertiesWithDictionary(note.parameters());
    if (properties) {
        const graphics::Size screen = GADDevice::currentDevice().standardizedScreenBounds().size;
        if (!properties->hasUsableValues(std::max(screen.width, screen.height))) {
            foundation::Log::write("ads", "Refused an MRAID resize to unusable values: " +
                                              foundation::Value(note.parameters()).description());
            refuseResize(webView,
                         "The resize size and offset must be numbers, the size above 0, "
                         "none beyond the screen.");
            return;
        }
    }
    if (opener_) {
        opener_->openWebAppWithSize(properties ? properties->size : graphics::Size{},
                                    properties ? properties->offset : graphics::Vector{});
    }
    // The request changes no view, so the ad hears that it stays as it was.
    refuseResize(webView, "The ad cannot be resized here.");
}

void GADMRAIDGMSGHandler::refuseResize(const std::shared_ptr<GADWebView>& webView,
                                       const std::string& message) {
    GADNotificationCenter::defaultCenter().postJSNotification(
        kGADMRAIDErrorEvent, foundation::Dictionary{{"action", "resize"}, {"message", message}},
        webView);
}

void GADMRAIDGMSGHandler::actionStorePicture(const GADNotification& note,
                                             const std::shared_ptr<GADWebView>&) {
    const auto url = foundation::URL::fromString(parameter(note, "iurl"));
    if (!url || url->scheme().empty()) {
        return;
    }
    const std::string key = url->absoluteString();
    if (pendingPictureDownloads_.count(key)) {
        return;
    }
    auto picture = std::make_shared<GADMRAIDPicture>(*url);
    picture->setDelegate(shared_from_this());
    pendingPictureDownloads_[key] = picture;
    picture->storeInPhotoAlbum();
}

void GADMRAIDGMSGHandler::actionCreateCalendarEvent(const GADNotification& note,
                                                    const std::shared_ptr<GADWebView>&) {
    if (opener_) {
        opener_->openCalendarWithDictionary(note.parameters());
    }
}

void GADMRAIDGMSGHandler::MRAIDPictureDidStorePictureWithURL(GADMRAIDPicture&,
                                                             const foundation::URL& url) {
    pendingPictureDownloads_.erase(url.absoluteString());
}

void GADMRAIDGMSGHandler::MRAIDPictureFailedToStorePictureWithURL(GADMRAIDPicture&,
                                                                  const foundation::URL& url,
                                                                  const std::string&) {
    pendingPictureDownloads_.erase(url.absoluteString());
}
