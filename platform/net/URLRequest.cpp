#include "platform/net/URLRequest.h"

#include <algorithm>
#include <cctype>

namespace net {

URLRequest::URLRequest(foundation::URL url, URLRequestCachePolicy cachePolicy,
                       foundation::TimeInterval timeoutInterval)
    : url_(std::move(url)), cachePolicy_(cachePolicy), timeout_(timeoutInterval) {}

URLRequest URLRequest::withString(std::string_view text) {
    URLRequest request;
    request.url_ = foundation::URL::fromString(text);
    return request;
}

void URLRequest::setHTTPMethod(std::string_view method) {
    method_.assign(method);
    std::transform(method_.begin(), method_.end(), method_.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (method_.empty()) {
        method_ = "GET";
    }
}

void URLRequest::setValue(std::optional<std::string> value, std::string_view field) {
    if (value) {
        headers_.set(field, std::move(*value));
    } else {
        headers_.remove(field);
    }
}

}  // namespace net
