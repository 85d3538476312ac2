#pragma once

// What a server (or a file, or a URL protocol) answered before the body: the
// URL, MIME type, text encoding and expected length, and for HTTP the status
// code and header fields.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/URL.h"
#include "platform/net/HTTPHeaderFields.h"

namespace net {

class URLResponse {
  public:
    // initWithURL:MIMEType:expectedContentLength:textEncodingName: ; a length
    // of -1 means unknown.
    URLResponse(foundation::URL url, std::string mimeType, long long expectedContentLength,
                std::optional<std::string> textEncodingName);
    // An HTTP response: MIME type, encoding and length come from the
    // Content-Type and Content-Length fields.
    static URLResponse http(foundation::URL url, int statusCode, HTTPHeaderFields headerFields,
                            std::string httpVersion = "HTTP/1.1");

    const foundation::URL& url() const { return url_; }
    const std::string& mimeType() const { return mimeType_; }
    long long expectedContentLength() const { return expectedLength_; }
    const std::optional<std::string>& textEncodingName() const { return encoding_; }
    // The last path component of the URL, or "index.html" for none.
    std::string suggestedFilename() const;

    bool isHTTP() const { return statusCode_ != 0; }
    // 0 for a response that is not HTTP.
    int statusCode() const { return statusCode_; }
    const HTTPHeaderFields& allHeaderFields() const { return headers_; }
    std::optional<std::string> valueForHTTPHeaderField(std::string_view name) const {
        return headers_.value(name);
    }
    const std::string& httpVersion() const { return httpVersion_; }

    // The redirect statuses that carry a Location to follow.
    bool isRedirect() const;

    // The platform's text for an HTTP status code ("not found"), or for its
    // class ("client error") when the code has none of its own.
    static std::string localizedStringForStatusCode(long status);

  private:
    foundation::URL url_;
    std::string mimeType_;
    long long expectedLength_ = -1;
    std::optional<std::string> encoding_;
    int statusCode_ = 0;
    HTTPHeaderFields headers_;
    std::string httpVersion_;
};

}  // namespace net
