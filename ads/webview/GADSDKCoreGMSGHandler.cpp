#include "ads/webview/GADSDKCoreGMSGHandler.h"

#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"

namespace {

GADSDKCoreGMSGHandler::AdMaker& installedAdMaker() {
    static auto* const maker = foundation::ProcessState::withReset(
        new GADSDKCoreGMSGHandler::AdMaker(), [](auto& made) { made = nullptr; });
    return *maker;
}

std::string requestIDOf(const GADNotification& note) {
    const auto found = note.parameters().find("request_id");
    return found != note.parameters().end() ? found->second.stringValue() : std::string();
}

// The object the parameter's JSON text holds: nullopt for an absent key;
// false in `ok` when the text is no JSON object.
std::optional<foundation::Dictionary> decodedObject(const GADNotification& note,
                                                    const std::string& key, bool& ok) {
    const auto found = note.parameters().find(key);
    if (found == note.parameters().end()) {
        return std::nullopt;
    }
    std::optional<foundation::Value> decoded =
        GADJSONAdditions::gad_decodedJSONObjectError(found->second.stringValue());
    if (!decoded || !decoded->asDictionary()) {
        ok = false;
        return std::nullopt;
    }
    return *decoded->asDictionary();
}

}  // namespace

void GADSDKCoreGMSGHandler::setAdMaker(AdMaker maker) {
    installedAdMaker() = std::move(maker);
}

const std::map<std::string, GADSDKCoreGMSGHandler::Action>&
GADSDKCoreGMSGHandler::actionSelectorDictionary() {
    static const auto* actions = new std::map<std::string, Action>{
        {"loadAdURL", &GADSDKCoreGMSGHandler::didReceiveloadAdURLAction},
        {"loadAd", &GADSDKCoreGMSGHandler::didReceiveLoadAdAction},
        {"invalidRequest", &GADSDKCoreGMSGHandler::didReceiveInvalidAdRequestAction},
        {"loadSdkConstants", &GADSDKCoreGMSGHandler::didReceiveloadSDKConstantsAction},
    };
    return *actions;
}

bool GADSDKCoreGMSGHandler::handleRequest(const net::URLRequest& request,
                                          const std::shared_ptr<GADWebView>&) {
    if (!request.url()) {
        return false;
    }
    std::optional<GADNotification> note = GADNotification::withNotificationURL(*request.url());
    if (!note) {
        return false;
    }
    const auto& actions = actionSelectorDictionary();
    const auto action = actions.find(note->name());
    if (action == actions.end()) {
        return false;
    }
    (this->*(action->second))(*note);
    return true;
}

void GADSDKCoreGMSGHandler::tellDelegate(
    std::function<void(GADSDKCoreGMSGHandlerDelegate&, GADSDKCoreGMSGHandler&)> call) {
    std::shared_ptr<GADSDKCoreGMSGHandlerDelegate> delegate = delegate_.lock();
    if (!delegate) {
        return;
    }
    std::weak_ptr<GADSDKCoreGMSGHandlerDelegate> weakDelegate = delegate;
    std::weak_ptr<GADSDKCoreGMSGHandler> weakSelf = weak_from_this();
    foundation::DispatchQueue::main()->async([weakDelegate, weakSelf, call = std::move(call)] {
        auto delegate = weakDelegate.lock();
        auto self = weakSelf.lock();
        if (delegate && self) {
            call(*delegate, *self);
        }
    });
}

void GADSDKCoreGMSGHandler::didReceiveloadAdURLAction(const GADNotification& note) {
    tellDelegate([parameters = note.parameters(), requestID = requestIDOf(note)](
                     GADSDKCoreGMSGHandlerDelegate& delegate, GADSDKCoreGMSGHandler& self) {
        delegate.SDKCoreGMSGHandlerLoadAdParameters(self, parameters, requestID);
    });
}

void GADSDKCoreGMSGHandler::didReceiveLoadAdAction(const GADNotification& note) {
    bool ok = true;
    std::optional<foundation::Dictionary> headers = decodedObject(note, "header", ok);
    std::optional<foundation::Dictionary> adDictionary = decodedObject(note, "ad", ok);
    const AdMaker& makeAd = installedAdMaker();
    if (!makeAd) {
        foundation::Log::write("ads", "a finished ad from the SDK-core page has no ad maker");
    }
    if (!ok || !makeAd) {
        didReceiveInvalidAdRequestAction(note);
        return;
    }
    std::shared_ptr<GADAd> ad = makeAd(adDictionary.value_or(foundation::Dictionary()));
    tellDelegate([ad, headers, requestID = requestIDOf(note)](
                     GADSDKCoreGMSGHandlerDelegate& delegate, GADSDKCoreGMSGHandler& self) {
        delegate.SDKCoreGMSGHandlerLoadAd(self, ad, headers, requestID);
    });
}

void GADSDKCoreGMSGHandler::didReceiveInvalidAdRequestAction(const GADNotification& note) {
    tellDelegate([parameters = note.parameters(), requestID = requestIDOf(note)](
                     GADSDKCoreGMSGHandlerDelegate& delegate, GADSDKCoreGMSGHandler& self) {
        delegate.SDKCoreGMSGHandlerDidReceiveInvalidAdParameters(self, parameters, requestID);
    });
}

void GADSDKCoreGMSGHandler::didReceiveloadSDKConstantsAction(const GADNotification& note) {
    tellDelegate([parameters = note.parameters()](GADSDKCoreGMSGHandlerDelegate& delegate,
                                                  GADSDKCoreGMSGHandler& self) {
        delegate.SDKCoreGMSGHandlerLoadSDKConstants(self, parameters);
    });
}
