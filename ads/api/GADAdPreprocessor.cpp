#include "ads/api/GADAdPreprocessor.h"

#include "ads/api/GADNativeAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADInternalErrorAdditions.h"
#include "ads/foundation/GADStringAdditions.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/DispatchQueue.h"

namespace {

constexpr const char* kPreProcessNotification = "nativeAdPreProcess";

}  // namespace

std::shared_ptr<GADAdPreprocessor> GADAdPreprocessor::make(const std::string& adUnitID) {
    std::shared_ptr<GADAdPreprocessor> preprocessor(new GADAdPreprocessor());
    preprocessor->slot_ = GADSlot::make();
    preprocessor->slot_->setAdEventDelegate(preprocessor);
    preprocessor->slot_->setAdUnitID(adUnitID);
    return preprocessor;
}

GADAdPreprocessor::~GADAdPreprocessor() {
    GADNotificationCenter::defaultCenter().center().removeObserver(this);
}

void GADAdPreprocessor::preprocessNativeAdJSON(const std::string& nativeAdJSON,
                                               CompletionHandler handler) {
    foundation::Error decodingError;
    if (!GADJSONAdditions::gad_decodedJSONObjectError(nativeAdJSON, &decodingError)) {
        foundation::DispatchQueue::main()->async(
            [handler, decodingError] { handler(std::nullopt, nullptr, decodingError); });
        return;
    }
    // The first outcome reaches the caller on a later main-queue turn; the
    // caller's handler is dropped once it ran, so what it holds goes with it.
    struct Guard {
        bool answered = false;
        CompletionHandler handler;
    };
    const auto guard = std::make_shared<Guard>();
    guard->handler = std::move(handler);
    completionHandler_ = [guard](const std::optional<foundation::Dictionary>& configuration,
                                 const std::shared_ptr<GADSlot>& slot,
                                 const std::optional<foundation::Error>& error) {
        foundation::DispatchQueue::main()->async([guard, configuration, slot, error] {
            if (guard->answered) {
                return;
            }
            guard->answered = true;
            const CompletionHandler caller = std::move(guard->handler);
            guard->handler = nullptr;
            caller(configuration, slot, error);
        });
    };
    nativeAdJSON_ = nativeAdJSON;

    // The slot loads the support page as its ad, asking no ad server.
    const auto request = GADRequest::request();
    request->setAdditionalParameters(
        foundation::Dictionary{{"_requestUrl", GADNativeAd::supportHTMLURL().absoluteString()}});
    // The slot drops a request it refuses without a word; the caller would
    // then wait for ever, so it hears of the refusal instead.
    if (!slot_->shouldMakeRequest(request)) {
        complete(
            std::nullopt, nullptr,
            GADRequestError::errorWithCode(kGADErrorNetworkError, std::string("Couldn't load ad."))
                .error());
        return;
    }
    slot_->loadRequest(request);
}

void GADAdPreprocessor::complete(const std::optional<foundation::Dictionary>& configuration,
                                 const std::shared_ptr<GADSlot>& slot,
                                 const std::optional<foundation::Error>& error) {
    if (completionHandler_) {
        completionHandler_(configuration, slot, error);
    }
}

void GADAdPreprocessor::slotFinishedLoadingAdContent(GADSlot& slot) {
    const auto self = shared_from_this();
    const auto webView = slot.webView();
    GADNotificationCenter::defaultCenter().center().addObserver(
        self, &GADAdPreprocessor::handlePreprocessorNotification, kPreProcessNotification,
        webView.get());
    webView->stringByEvaluatingJavaScriptFromString("dezuvo.vira.nativeAds.preProcessJsonGmsg(" +
                                                    nativeAdJSON_ + ")");
    std::weak_ptr<GADAdPreprocessor> weakSelf = self;
    foundation::DispatchQueue::main()->after(kAnswerTimeout, [weakSelf] {
        if (const auto preprocessor = weakSelf.lock()) {
            preprocessor->complete(
                std::nullopt, nullptr,
                GADInternalErrorAdditions::gad_errorWithCode(2, std::string("Timed out.")));
        }
    });
}

void GADAdPreprocessor::slotDidFailToLoadAdContentWithError(GADSlot&,
                                                            const GADRequestError& error) {
    complete(std::nullopt, nullptr, error.error());
}

void GADAdPreprocessor::handlePreprocessorNotification(
    const foundation::Notification& notification) {
    const auto self = shared_from_this();
    // Only a configuration object counts as an answer.
    const std::string* success = notification.userInfo["success"].asString();
    const auto configuration =
        success ? GADJSONAdditions::gad_decodedJSONObjectError(*success) : std::nullopt;
    if (configuration && configuration->isDictionary()) {
        complete(*configuration->asDictionary(), slot_, std::nullopt);
        return;
    }
    complete(std::nullopt, nullptr,
             GADRequestError::errorWithCode(kGADErrorReceivedInvalidResponse).error());
}
