#include "platform/net/URLResponse.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/foundation/StringUtilities.h"

namespace net {

namespace {

// Without the spaces and tabs around it, as HTTP header fields are read.
std::string trimmed(std::string_view text) {
    static const auto spaceOrTab = foundation::CharacterSet::fromCharacters(" \t");
    return foundation::trim(text, spaceOrTab);
}

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

URLResponse::URLResponse(foundation::URL url, std::string mimeType, long long expectedContentLength,
                         std::optional<std::string> textEncodingName)
    : url_(std::move(url)),
      mimeType_(std::move(mimeType)),
      expectedLength_(expectedContentLength),
      encoding_(std::move(textEncodingName)) {}

URLResponse URLResponse::http(foundation::URL url, int statusCode, HTTPHeaderFields headerFields,
                              std::string httpVersion) {
    std::string mime;
    std::optional<std::string> encoding;
    if (auto type = headerFields.value("Content-Type")) {
        std::string_view text(*type);
        const auto semicolon = text.find(';');
        mime = lowercased(trimmed(text.substr(0, semicolon)));
        std::string_view rest =
            semicolon == std::string_view::npos ? "" : text.substr(semicolon + 1);
        while (!rest.empty()) {
            const auto next = rest.find(';');
            const std::string parameter = trimmed(rest.substr(0, next));
            const auto equals = parameter.find('=');
            if (equals != std::string::npos &&
                lowercased(trimmed(parameter.substr(0, equals))) == "charset") {
                std::string value = trimmed(parameter.substr(equals + 1));
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                    value = value.substr(1, value.size() - 2);
                }
                encoding = lowercased(value);
            }
            rest = next == std::string_view::npos ? "" : rest.substr(next + 1);
        }
    }
    long long length = -1;
    if (auto text = headerFields.value("Content-Length")) {
        char* end = nullptr;
        const long long parsed = std::strtoll(text->c_str(), &end, 10);
        if (end != text->c_str() && parsed >= 0) {
            length = parsed;
        }
    }
    URLResponse response(std::move(url), std::move(mime), length, std::move(encoding));
    response.statusCode_ = statusCode;
    response.headers_ = std::move(headerFields);
    response.httpVersion_ = std::move(httpVersion);
    return response;
}

std::string URLResponse::suggestedFilename() const {
    std::string name = url_.lastPathComponent();
    if (name.empty() || name == "/") {
        return "index.html";
    }
    return name;
}

bool URLResponse::isRedirect() const {
    switch (statusCode_) {
        case 301:
        case 302:
        case 303:
        case 307:
        case 308:
            return headers_.contains("Location");
        default:
            return false;
    }
}

std::string URLResponse::localizedStringForStatusCode(long status) {
    switch (status) {
        case 200:
            return "no error";
        case 204:
            return "no content";
        case 301:
            return "moved permanently";
        case 302:
            return "found";
        case 304:
            return "not modified";
        case 400:
            return "bad request";
        case 401:
            return "unauthorized";
        case 403:
            return "forbidden";
        case 404:
            return "not found";
        case 408:
            return "request timed out";
        case 500:
            return "internal server error";
        case 502:
            return "bad gateway";
        case 503:
            return "service unavailable";
        case 504:
            return "gateway timed out";
        default:
            break;
    }
    if (status >= 100 && status < 200) {
        return "informational";
    }
    if (status >= 200 && status < 300) {
        return "success";
    }
    if (status >= 300 && status < 400) {
        return "redirected";
    }
    if (status >= 400 && status < 500) {
        return "client error";
    }
    if (status >= 500 && status < 600) {
        return "server error";
    }
    return "unknown";
}

}  // namespace net
