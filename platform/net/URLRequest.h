#pragma once

// A request for a URL: method, header fields, body, cache policy and time-out,
// with properties that URL protocols attach to it for their own use.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/net/HTTPHeaderFields.h"

namespace net {

enum class URLRequestCachePolicy {
    useProtocolCachePolicy = 0,
    reloadIgnoringLocalCacheData = 1,
    returnCacheDataElseLoad = 2,
    returnCacheDataDontLoad = 3,
};

class URLRequest {
  public:
    static constexpr foundation::TimeInterval kDefaultTimeoutInterval = 60.0;

    // A request without a URL (it fails with a bad-URL error when loaded).
    URLRequest() = default;
    explicit URLRequest(
        foundation::URL url,
        URLRequestCachePolicy cachePolicy = URLRequestCachePolicy::useProtocolCachePolicy,
        foundation::TimeInterval timeoutInterval = kDefaultTimeoutInterval);
    // A request for the URL made from `text`; without a URL when the text is
    // not one.
    static URLRequest withString(std::string_view text);

    const std::optional<foundation::URL>& url() const { return url_; }
    void setURL(std::optional<foundation::URL> url) { url_ = std::move(url); }

    // "GET" unless set; stored in upper case.
    const std::string& httpMethod() const { return method_; }
    void setHTTPMethod(std::string_view method);

    const HTTPHeaderFields& allHTTPHeaderFields() const { return headers_; }
    std::optional<std::string> valueForHTTPHeaderField(std::string_view name) const {
        return headers_.value(name);
    }
    // setValue:forHTTPHeaderField: ; an empty optional removes the field.
    void setValue(std::optional<std::string> value, std::string_view field);
    void addValue(std::string_view value, std::string_view field) { headers_.add(field, value); }

    const foundation::Data& httpBody() const { return body_; }
    void setHTTPBody(foundation::Data body) { body_ = std::move(body); }

    URLRequestCachePolicy cachePolicy() const { return cachePolicy_; }
    void setCachePolicy(URLRequestCachePolicy policy) { cachePolicy_ = policy; }
    foundation::TimeInterval timeoutInterval() const { return timeout_; }
    void setTimeoutInterval(foundation::TimeInterval timeout) { timeout_ = timeout; }
    bool httpShouldHandleCookies() const { return handleCookies_; }
    void setHTTPShouldHandleCookies(bool handle) { handleCookies_ = handle; }

    // The document a sub-resource load is made for (the page's URL).
    const std::optional<foundation::URL>& mainDocumentURL() const { return mainDocumentURL_; }
    void setMainDocumentURL(std::optional<foundation::URL> url) {
        mainDocumentURL_ = std::move(url);
    }

    // propertyForKey:inRequest: / setProperty:forKey:inRequest: of URL protocols.
    const foundation::Value& property(std::string_view key) const { return properties_.get(key); }
    void setProperty(std::string key, foundation::Value value) {
        properties_.set(std::move(key), std::move(value));
    }
    void removeProperty(std::string_view key) { properties_.remove(key); }

  private:
    std::optional<foundation::URL> url_;
    std::string method_ = "GET";
    HTTPHeaderFields headers_;
    foundation::Data body_;
    URLRequestCachePolicy cachePolicy_ = URLRequestCachePolicy::useProtocolCachePolicy;
    foundation::TimeInterval timeout_ = kDefaultTimeoutInterval;
    bool handleCookies_ = true;
    std::optional<foundation::URL> mainDocumentURL_;
    foundation::Value properties_;
};

}  // namespace net
