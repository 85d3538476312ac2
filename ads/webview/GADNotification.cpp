#include "ads/webview/GADNotification.h"

#include "ads/foundation/GADURLAdditions.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/StringUtilities.h"

namespace {

// The decoded path without its first "/"; nullopt when there is no name.
std::optional<std::string> messageName(const foundation::URL& url) {
    std::string path = url.percentEncodedPath();
    if (path.size() > 1 && path.ends_with("/")) {
        path.pop_back();
    }
    std::optional<std::string> decoded = foundation::removingPercentEncoding(path);
    if (!decoded || !decoded->starts_with("/") || decoded->size() < 2) {
        return std::nullopt;
    }
    return decoded->substr(1);
}

}  // namespace

bool GADNotification::isNotificationURL(const foundation::URL& url) {
    return foundation::lowercase(url.scheme()) == "gmsg";
}

std::optional<GADNotification> GADNotification::withNotificationURL(const foundation::URL& url) {
    if (!isNotificationURL(url)) {
        return std::nullopt;
    }
    std::optional<std::string> name = messageName(url);
    if (!name) {
        return std::nullopt;
    }
    return GADNotification(
        std::move(*name),
        GADNSURLUtilities::gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(url, false));
}

std::optional<GADNotification> GADNotification::withName(std::string name,
                                                         foundation::Dictionary parameters) {
    if (name.empty()) {
        return std::nullopt;
    }
    return GADNotification(std::move(name), std::move(parameters));
}

std::string GADNotification::description() const {
    return foundation::format("<GADNotification: %p> name:%@ parameters:%@",
                              static_cast<const void*>(this), name_,
                              foundation::Value(parameters_));
}
