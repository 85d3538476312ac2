#include "ads/foundation/GADURLAdditions.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"

namespace {

std::string lowercased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool equalText(std::string_view a, std::string_view b, bool caseSensitive) {
    return caseSensitive ? a == b : lowercased(a) == lowercased(b);
}

}  // namespace

namespace {

constexpr const char* kVendorSDKCoreServer = "https://sdk.dezuvo.com";

std::mutex& pageURLLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

std::string& configuredPageURL() {
    static auto* url = foundation::ProcessState::withReset(new std::string, [](std::string& text) {
        std::lock_guard<std::mutex> lock(pageURLLock());
        text.clear();
    });
    return *url;
}

}  // namespace

std::string GADSDKCorePageURL() {
    std::lock_guard<std::mutex> lock(pageURLLock());
    const std::string& url = configuredPageURL();
    return url.empty() ? std::string(kVendorSDKCoreServer) + kGADSDKCorePagePath : url;
}

void GADSetSDKCorePageURL(const std::string& url) {
    std::lock_guard<std::mutex> lock(pageURLLock());
    configuredPageURL() = url;
}

const std::string& GADRAZCorePageURL() {
    static const std::string url = "http://sdk.dezuvo.com/mads/static/sdk/native/controller.html";
    return url;
}

const std::string& GADPublisherAdServerHost() {
    static const std::string host = "pubads.dezuvo.com";
    return host;
}

namespace GADNSURLUtilities {

std::optional<foundation::URL> gad_appendQueryParameters(const foundation::URL& url,
                                                         const foundation::Dictionary& parameters) {
    std::string text = url.absoluteString();
    std::string separator = url.query() && !url.query()->empty() ? "&" : "?";
    std::string tail;
    std::size_t adurl = text.find("&adurl=");
    if (adurl != std::string::npos) {
        tail = text.substr(adurl);
        text.erase(adurl);
    }
    for (const auto& [key, value] : parameters) {
        text += separator + key;
        separator = "&";
        std::string escaped =
            GADURLEncoding::gad_stringByEscapingAsURLParameter(GADDescriptionOfValue(value));
        if (!escaped.empty()) {
            text += "=" + escaped;
        }
    }
    return foundation::URL::fromString(text + tail);
}

std::optional<foundation::URL> gad_appendQueryValue(const foundation::URL& url,
                                                    const std::optional<foundation::Value>& value,
                                                    const std::string& key) {
    return gad_appendQueryParameters(url, {{key, value.value_or(foundation::Value(""))}});
}

std::optional<std::string> gad_parameterValueForKey(const foundation::URL& url,
                                                    std::string_view key) {
    if (!url.query()) {
        return std::nullopt;
    }
    for (const std::string& piece : foundation::components(*url.query(), "&")) {
        std::vector<std::string> parts = foundation::components(piece, "=");
        if (parts.size() == 2 && parts[0] == key) {
            return parts[1];
        }
    }
    return std::nullopt;
}

foundation::Dictionary gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(
    const foundation::URL& url, bool lowercaseKeys) {
    foundation::Dictionary dictionary;
    if (!url.query()) {
        return dictionary;
    }
    for (const std::string& piece :
         foundation::components(*url.query(), foundation::CharacterSet::fromCharacters("&;"))) {
        std::vector<std::string> parts = foundation::components(piece, "=");
        if (parts.size() != 2) {
            continue;
        }
        std::optional<std::string> key = foundation::removingPercentEncoding(parts[0]);
        std::optional<std::string> value = foundation::removingPercentEncoding(parts[1]);
        if (!key || !value) {
            continue;
        }
        dictionary[lowercaseKeys ? lowercased(*key) : *key] = *value;
    }
    return dictionary;
}

std::optional<std::string> gad_impressionTicket(const foundation::URL& url) {
    std::vector<std::string> components = url.pathComponents();
    if (components.size() < 4) {
        return std::nullopt;
    }
    return components[2] + "/" + components[3];
}

std::string gad_absoluteStringWithoutFragmentComponent(const foundation::URL& url) {
    std::string text = url.absoluteString();
    if (url.fragment() && url.fragment()->size() + 1 <= text.size()) {
        text.erase(text.size() - url.fragment()->size() - 1);
    }
    return text;
}

bool gad_isHostEqualToString(const foundation::URL& url, std::string_view host,
                             bool caseSensitive) {
    return url.host() && equalText(*url.host(), host, caseSensitive);
}

bool gad_isSchemeEqualToString(const foundation::URL& url, std::string_view scheme,
                               bool caseSensitive) {
    return equalText(url.scheme(), scheme, caseSensitive);
}

bool gad_isMediationURL(const foundation::URL& url) {
    return url.absoluteString().find("mediate?") != std::string::npos;
}

bool gad_isSDKJavaScriptURL(const foundation::URL& url) {
    return url.absoluteString() == GADSDKCorePageURL();
}

bool gad_isXFPURL(const foundation::URL& url) {
    return url.host() && *url.host() == GADPublisherAdServerHost();
}

}  // namespace GADNSURLUtilities
