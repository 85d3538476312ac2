#include "ads/foundation/GADURLConnection.h"

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADHeaderParser.h"
#include "ads/foundation/GADMNSURLConnectionFactory.h"
#include "ads/foundation/GADStringAdditions.h"
#include "ads/foundation/GADURLAdditions.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"

GADURLConnection::MemoryCache& GADURLConnection::memoryCache() {
    static MemoryCache* const cache = [] {
        auto* made = new MemoryCache();
        made->setCountLimit(kMemoryCacheCountLimit);
        return foundation::ProcessState::withReset(
            made, [](MemoryCache& memory) { memory.removeAllObjects(); });
    }();
    return *cache;
}

void GADURLConnection::clearCache() {
    memoryCache().removeAllObjects();
}

std::string GADURLConnection::defaultCachePath() {
    return foundation::appendingPathComponent(foundation::ApplicationHome::caches(), "ZiZez");
}

std::string GADURLConnection::cacheKeyForURL(const foundation::URL& url) {
    const std::optional<std::string> slotName =
        GADNSURLUtilities::gad_parameterValueForKey(url, "slotname");
    const std::string text =
        slotName ? url.host().value_or("") + url.path() + *slotName : url.absoluteString();
    return GADStringNumberAdditions::gad_MD5String(text).value_or("");
}

GADURLConnection::~GADURLConnection() {
    stop();
}

bool GADURLConnection::startWithURL(const foundation::URL& url,
                                    const std::weak_ptr<GADURLConnectionDelegate>& delegate,
                                    foundation::Error* error) {
    return startWithURL(url, std::nullopt, std::nullopt, delegate, error);
}

bool GADURLConnection::startWithURL(const foundation::URL& url,
                                    const std::optional<foundation::Data>& data,
                                    const std::optional<std::string>& type,
                                    const std::weak_ptr<GADURLConnectionDelegate>& delegate,
                                    foundation::Error* error) {
    if (inProgress_) {
        if (error) {
            const std::string message =
                foundation::format("Ignoring -- Currently loading %@",
                                   sourceURL_ ? sourceURL_->absoluteString() : std::string());
            *error = foundation::Error{kGADErrorDomain, kGADErrorNetworkError, message};
        }
        return false;
    }
    delegate_ = delegate;
    sourceURL_ = url;
    destinationURL_ = url;
    if (allowCache_) {
        if (auto cached = cachedResponseForURL(url)) {
            deliverCachedResponse(*cached);
            return true;
        }
    }
    connection_ = connectionFactory().connectionWithRequest(requestForURL(url, data, type),
                                                            shared_from_this(), false);
    if (!connection_) {
        if (auto live = delegate_.lock()) {
            live->connectionLoadDidFail(*this, std::nullopt, -1);
        }
        return true;
    }
    receivedData_.clear();
    connection_->start();
    inProgress_ = true;
    return true;
}

void GADURLConnection::stop() {
    if (connection_) {
        connection_->cancel();
    }
    connection_.reset();
    sourceURL_.reset();
    destinationURL_.reset();
    response_.reset();
    receivedData_.clear();
    inProgress_ = false;
}

void GADURLConnection::cancel() {
    delegate_.reset();
    stop();
}

GADMConnectionFactory& GADURLConnection::connectionFactory() const {
    return *GADMNSURLConnectionFactory::sharedFactory();
}

net::URLRequest GADURLConnection::requestForURL(const foundation::URL& url,
                                                const std::optional<foundation::Data>& data,
                                                const std::optional<std::string>& type) const {
    net::URLRequest request(url);
    const std::optional<std::string> userAgent = GADDevice::currentDevice().userAgentString();
    if (userAgent && !userAgent->empty()) {
        request.setValue(*userAgent, "User-Agent");
    }
    if (data && type) {
        request.setHTTPMethod("POST");
        request.setHTTPBody(*data);
        request.setValue(std::to_string(data->size()), "Content-Length");
        request.setValue(*type, "Content-Type");
    }
    return request;
}

std::shared_ptr<const GADCachedURLResponse> GADURLConnection::cachedResponseForURL(
    const foundation::URL& url) const {
    const std::string key = cacheKeyForURL(url);
    auto cached = memoryCache().objectForKey(key);
    if (!cached) {
        return nullptr;
    }
    if ((*cached)->expirationDate() > foundation::Date::now()) {
        return *cached;
    }
    memoryCache().removeObjectForKey(key);
    return nullptr;
}

bool GADURLConnection::tryToStoreResponseAndData() {
    // Only a successful answer may stand in for later ones: an error page
    // kept for its max-age would be served as the next ad.
    if (!response_ || !response_->isHTTP() || !sourceURL_ || response_->statusCode() < 200 ||
        response_->statusCode() >= 300) {
        return false;
    }
    const std::optional<foundation::Date> expiry = GADHeaderParser::gad_expirationDate(*response_);
    if (!expiry || *expiry <= foundation::Date::now()) {
        return false;
    }
    memoryCache().setObject(cacheKeyForURL(*sourceURL_),
                            std::make_shared<const GADCachedURLResponse>(*response_, receivedData_,
                                                                         *expiry, destinationURL_));
    return true;
}

void GADURLConnection::deliverCachedResponse(const GADCachedURLResponse& cached) {
    // The delegate judges the answer it is given, so the stored response
    // replaces the live one while the cached body is delivered.
    response_ = cached.response();
    if (auto delegate = delegate_.lock()) {
        delegate->connectionLoadDidReceiveCachedResponse(*this, cached.response());
        delegate->connectionLoadDidFinish(*this, foundation::stringFromUTF8(cached.data()),
                                          cached.destinationURL());
    }
}

std::optional<net::URLRequest> GADURLConnection::connectionWillSendRequest(
    net::URLConnection&, const net::URLRequest& request, const net::URLResponse* redirectResponse) {
    if (!redirectResponse) {
        return request;
    }
    auto self = shared_from_this();
    auto delegate = delegate_.lock();
    std::optional<foundation::Error> refusal;
    if (delegate && request.url()) {
        refusal = delegate->connectionShouldRedirectToURL(*this, *request.url());
    }
    if (refusal) {
        // One failure and nothing after it: the transfer ends here.
        stop();
        delegate->connectionLoadDidFail(*this, refusal, -1);
        return std::nullopt;
    }
    destinationURL_ = request.url();
    if (delegate) {
        delegate->connectionLoadDidReceiveRedirectResponse(*this, *redirectResponse);
    }
    return request;
}

void GADURLConnection::connectionDidReceiveResponse(net::URLConnection&,
                                                    const net::URLResponse& response) {
    auto self = shared_from_this();
    response_ = response;
    receivedData_.clear();
    auto delegate = delegate_.lock();
    if (!delegate || !delegate->connectionLoadShouldUseCachedResponse(*this, response)) {
        return;
    }
    allowCache_ = true;
    if (!sourceURL_) {
        return;
    }
    if (auto cached = cachedResponseForURL(*sourceURL_)) {
        deliverCachedResponse(*cached);
        stop();
    }
}

void GADURLConnection::connectionDidReceiveData(net::URLConnection&, const foundation::Data& data) {
    receivedData_.insert(receivedData_.end(), data.begin(), data.end());
}

void GADURLConnection::connectionDidFinishLoading(net::URLConnection&) {
    auto self = shared_from_this();
    if (allowCache_) {
        tryToStoreResponseAndData();
    }
    if (auto delegate = delegate_.lock()) {
        delegate->connectionLoadDidFinish(*this, foundation::stringFromUTF8(receivedData_),
                                          destinationURL_);
    }
    stop();
}

void GADURLConnection::connectionDidFailWithError(net::URLConnection&, const net::URLError& error) {
    auto self = shared_from_this();
    const long status = response_ && response_->isHTTP() ? response_->statusCode() : -1;
    if (auto delegate = delegate_.lock()) {
        delegate->connectionLoadDidFail(*this, static_cast<const foundation::Error&>(error),
                                        status);
    }
    stop();
}
