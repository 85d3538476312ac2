#include "ads/api/GADAdFetcher.h"

#include <cstdio>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UserDefaults.h"

namespace {

const char* const kUseHTTPSDefaultsKey = "dezuvo_gad_use_https";

// The header's value; names are matched without case as HTTP wants, an
// exact match first.
const foundation::Value* headerValue(const foundation::Dictionary& headers, std::string_view name) {
    if (auto found = headers.find(name); found != headers.end()) {
        return &found->second;
    }
    for (const auto& [key, value] : headers) {
        if (foundation::equalsIgnoringCase(key, name)) {
            return &value;
        }
    }
    return nullptr;
}

bool headerBool(const foundation::Dictionary& headers, std::string_view name) {
    const foundation::Value* value = headerValue(headers, name);
    return value && value->boolValue();
}

const std::string* headerString(const foundation::Dictionary& headers, std::string_view name) {
    const foundation::Value* value = headerValue(headers, name);
    return value ? value->asString() : nullptr;
}

// The URLs of a list split at spaces and tabs (not at line breaks); pieces
// that make no URL are skipped.
std::vector<foundation::URL> URLList(const foundation::Dictionary& headers, std::string_view name) {
    std::vector<foundation::URL> urls;
    const std::string* text = headerString(headers, name);
    if (!text) {
        return urls;
    }
    std::size_t start = 0;
    while (start <= text->size()) {
        std::size_t end = text->find_first_of(" \t", start);
        if (end == std::string::npos) {
            end = text->size();
        }
        if (auto url =
                foundation::URL::fromString(std::string_view(*text).substr(start, end - start));
            url && !url->absoluteString().empty()) {
            urls.push_back(*url);
        }
        start = end + 1;
    }
    return urls;
}

foundation::Dictionary dictionaryOfHeaders(const net::HTTPHeaderFields& fields) {
    foundation::Dictionary headers;
    for (const auto& [name, value] : fields.fields()) {
        headers.emplace(name, value);
    }
    return headers;
}

std::string timingCategory(const GADAdFetcher* fetcher) {
    char text[64];
    std::snprintf(text, sizeof text, "GADAdFetcher (%p)", static_cast<const void*>(fetcher));
    return text;
}

}  // namespace

GADAdFetcher::GADAdFetcher()
    : timer_(std::make_shared<GADTiming>(timingCategory(this))),
      adConnection_(std::make_shared<GADURLConnection>()) {}

GADAdFetcher::~GADAdFetcher() {
    cancel();
}

bool GADAdFetcher::fetchRemainingContentForAd(const std::shared_ptr<GADAd>& ad,
                                              const std::optional<foundation::Dictionary>& headers,
                                              const std::weak_ptr<GADAdFetcherDelegate>& delegate,
                                              const std::shared_ptr<GADRequest>& request,
                                              GADRequestError* error) {
    if (!ad) {
        if (error) {
            *error = GADRequestError::errorWithCode(kGADErrorInvalidArgument);
        }
        return false;
    }
    if (hasStartedFetch_) {
        if (error) {
            *error = GADRequestError::errorWithCode(
                kGADErrorNetworkError,
                std::string("Could not start fetch. This object has already been used to fetch."));
        }
        return false;
    }
    hasStartedFetch_ = true;
    markFetchStart();
    ad_ = ad;
    delegate_ = delegate;
    request_ = request;
    std::optional<foundation::URL> url;
    if (!ad_->adHTML() || ad_->adHTML()->empty()) {
        url = ad_->adURL();
    }
    return startFetchWithAdURL(url, headers, error);
}

bool GADAdFetcher::startFetchWithAdURL(const std::optional<foundation::URL>& url,
                                       const std::optional<foundation::Dictionary>& headers,
                                       GADRequestError* error) {
    // Keeps this fetcher alive while a synchronous failure reaches a delegate
    // that may drop it.
    std::shared_ptr<GADAdFetcher> keepAlive = shared_from_this();
    std::optional<foundation::Error> connectionError;
    if (url) {
        foundation::Error startError;
        if (!adConnection_->startWithURL(*url, weak_from_this(), &startError)) {
            connectionError = startError;
            if (error) {
                *error = GADRequestError::errorWithCode(
                    kGADErrorNetworkError, std::string("Failed to start ad connection."));
            }
            adConnectionHasCompleted_ = true;
        }
    } else {
        adConnectionHasCompleted_ = true;
    }
    ad_->setResponseType(kGADAdResponseTypeHTML);
    if (headers) {
        processHTTPHeaders(headers);
    }
    if (connectionError) {
        resourceFailedToLoadWithError(
            GADRequestError::errorWithCode(kGADErrorNetworkError, *connectionError));
        return false;
    }
    if (adConnectionHasCompleted_) {
        std::weak_ptr<GADAdFetcher> weakSelf = weak_from_this();
        foundation::DispatchQueue::main()->async([weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->completedURLConnection();
            }
        });
    }
    return true;
}

void GADAdFetcher::cancel() {
    delegate_.reset();
    adConnection_->cancel();
    adConnectionHasCompleted_ = true;
}

void GADAdFetcher::completedURLConnection() {
    if (!adConnectionHasCompleted_ || hasNotifiedDelegate_) {
        return;
    }
    std::shared_ptr<GADAdFetcher> keepAlive = shared_from_this();
    markFetchComplete();
    hasNotifiedDelegate_ = true;
    std::shared_ptr<GADAdFetcherDelegate> delegate = delegate_.lock();
    if (!delegate) {
        return;
    }
    if (ad_->responseType() != kGADAdResponseTypeUnclassified && ad_->adHTML() &&
        !ad_->adHTML()->empty()) {
        delegate->adFetcherDidFetchAd(*this, ad_);
        return;
    }
    const long code = ad_->responseType() != kGADAdResponseTypeUnclassified
                          ? kGADErrorNoFill
                          : kGADErrorInternalError;
    delegate->adFetcherDidFailToFetchAdWithError(
        *this, std::make_shared<GADRequestError>(GADRequestError::errorWithCode(code)));
}

void GADAdFetcher::resourceFailedToLoadWithError(const GADRequestError& error) {
    std::shared_ptr<GADAdFetcher> keepAlive = shared_from_this();
    if (std::shared_ptr<GADAdFetcherDelegate> delegate = delegate_.lock()) {
        delegate->adFetcherDidFailToFetchAdWithError(*this,
                                                     std::make_shared<GADRequestError>(error));
    }
    cancel();
}

std::uint64_t GADAdFetcher::adResponseTypeFromHeaders(const foundation::Dictionary& headers,
                                                      GADRequestError* error) const {
    std::uint64_t type = kGADAdResponseTypeHTML;
    if (headerBool(headers, "X-Vira-Mediation")) {
        type = kGADAdResponseTypeMediation;
    } else if (headerBool(headers, "X-Vira-Native")) {
        type = kGADAdResponseTypeNative;
    } else if (headerBool(headers, "X-Vira-Custom-Rendering-Allowed")) {
        type = kGADAdResponseTypeCustomRendering;
    }
    if (type == kGADAdResponseTypeMediation || type == kGADAdResponseTypeNative) {
        const std::string* contentType = headerString(headers, "Content-Type");
        if (!contentType || !contentType->starts_with("application/json")) {
            if (error) {
                *error = GADRequestError::errorWithCode(kGADErrorServerError, request_);
            }
            return kGADAdResponseTypeUnclassified;
        }
    }
    return type;
}

void GADAdFetcher::processHTTPHeaders(const std::optional<foundation::Dictionary>& maybeHeaders) {
    if (!maybeHeaders || !ad_) {
        return;
    }
    std::shared_ptr<GADAdFetcher> keepAlive = shared_from_this();
    // The ad stays alive for the table even when the failure below drops the fetcher's hold.
    std::shared_ptr<GADAd> ad = ad_;
    const foundation::Dictionary& headers = *maybeHeaders;
    GADRequestError typeError = GADRequestError::errorWithCode(kGADErrorServerError);
    ad->setResponseType(adResponseTypeFromHeaders(headers, &typeError));
    if (ad->responseType() == kGADAdResponseTypeUnclassified) {
        resourceFailedToLoadWithError(typeError);
    }

    ad->addClickURLsFromArray(URLList(headers, "X-Vira-Click-Tracking-Urls"));
    ad->addImpressionURLsFromArray(URLList(headers, "X-Vira-Tracking-Urls"));
    ad->addManualImpressionURLsFromArray(URLList(headers, "X-Vira-Manual-Tracking-Urls"));

    const std::string* activeView = headerString(headers, "X-Vira-ActiveView");
    ad->setActiveViewConfigurations(activeView ? GADMacros::readJsonIntoDictionary(*activeView)
                                               : std::nullopt);

    if (const std::string* orientation = headerString(headers, "X-Vira-Orientation")) {
        if (std::int64_t value = GADOrientationFromString(*orientation)) {
            ad->setSupportedOrientations(value);
        }
    }
    if (const std::string* timeout = headerString(headers, "X-Vira-Interstitial-Timeout");
        timeout && !timeout->empty()) {
        foundation::UserDefaults::standard().setDouble("applicationTimeout",
                                                       foundation::Value(*timeout).doubleValue());
    }
    if (const std::string* rate = headerString(headers, "X-Vira-Refresh-Rate");
        rate && !rate->empty()) {
        const double seconds = foundation::Value(*rate).doubleValue();
        if (seconds >= 0) {
            ad->setReloadInterval(seconds);
        }
    }
    const std::string* dialog = headerString(headers, "X-Vira-Debug-Dialog");
    ad->setDebugDialog(dialog ? std::optional<std::string>(*dialog) : std::nullopt);
    const std::string* adSize = headerString(headers, "X-Vira-Ad-Size");
    ad->setCustomAdSizeString(adSize ? std::optional<std::string>(*adSize) : std::nullopt);
    ad->setScrollEnabled(!headerBool(headers, "X-Vira-Disable-Activation-And-Scroll"));

    foundation::UserDefaults& defaults = foundation::UserDefaults::standard();
    if (const foundation::Value* https = headerValue(headers, "X-Vira-Use-HTTPS")) {
        defaults.setBool(kUseHTTPSDefaultsKey, https->boolValue());
    } else if (defaults.objectForKey(kUseHTTPSDefaultsKey).isNull()) {
        defaults.setBool(kUseHTTPSDefaultsKey, false);
    }

    const std::string* swipe = headerString(headers, "X-Vira-Swipe-To-View-Controller");
    if (!swipe) {
        ad->setSwipeToViewControllerConfigurations(std::nullopt);
    } else if (auto decoded = GADJSONAdditions::gad_decodedJSONObjectError(*swipe)) {
        ad->setSwipeToViewControllerConfigurations(std::move(decoded));
    }
}

void GADAdFetcher::processResponseHeaders(const net::URLResponse& response) {
    if (response.isHTTP()) {
        processHTTPHeaders(dictionaryOfHeaders(response.allHeaderFields()));
    }
}

std::optional<foundation::Error> GADAdFetcher::connectionShouldRedirectToURL(
    GADURLConnection&, const foundation::URL&) {
    return std::nullopt;
}

void GADAdFetcher::connectionLoadDidReceiveRedirectResponse(GADURLConnection&,
                                                            const net::URLResponse& response) {
    processResponseHeaders(response);
}

bool GADAdFetcher::connectionLoadShouldUseCachedResponse(GADURLConnection&,
                                                         const net::URLResponse& response) {
    processResponseHeaders(response);
    return ad_ && ad_->responseType() == kGADAdResponseTypeMediation;
}

void GADAdFetcher::connectionLoadDidReceiveCachedResponse(GADURLConnection&,
                                                          const net::URLResponse& response) {
    processResponseHeaders(response);
}

void GADAdFetcher::connectionLoadDidFinish(GADURLConnection& connection,
                                           const std::optional<std::string>& body,
                                           const std::optional<foundation::URL>& baseURL) {
    if (!ad_ || adConnectionHasCompleted_) {
        return;
    }
    const std::optional<net::URLResponse>& response = connection.response();
    if (response && response->isHTTP() && response->statusCode() >= 400) {
        connectionLoadDidFail(connection, std::nullopt, response->statusCode());
        return;
    }
    ad_->setAdHTML(body);
    ad_->setAdBaseURL(baseURL);
    adConnectionHasCompleted_ = true;
    completedURLConnection();
}

void GADAdFetcher::connectionLoadDidFail(GADURLConnection&, const std::optional<foundation::Error>&,
                                         long httpStatusCode) {
    if (!ad_ || adConnectionHasCompleted_) {
        return;
    }
    ad_->setAdHTML(std::nullopt);
    ad_->setAdBaseURL(std::nullopt);
    if (httpStatusCode == 400) {
        GADMacros::pubLog(
            "Server rejected ad parameters. Typically this is because the ad unit ID is "
            "incorrect.");
        resourceFailedToLoadWithError(
            GADRequestError::errorWithCode(kGADErrorInvalidRequest, request_));
        return;
    }
    const long code = httpStatusCode > 400 ? kGADErrorServerError : kGADErrorNetworkError;
    resourceFailedToLoadWithError(GADRequestError::errorWithCode(code, request_, httpStatusCode));
}
