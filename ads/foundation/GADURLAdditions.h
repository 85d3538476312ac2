#pragma once

// URL helpers: appending query parameters (keeping "adurl" last), reading
// query values, the impression ticket of a click URL, and comparisons.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

// The SDK-core page's path on its server.
inline constexpr const char* kGADSDKCorePagePath = "/mads/static/sdk/native/sdk-core-v40.html";
// The address of the SDK-core page: the vendor's unless another was set.
std::string GADSDKCorePageURL();
// Points the component at another SDK-core page (and so at another ad
// server); an empty text restores the vendor's. Any thread.
void GADSetSDKCorePageURL(const std::string& url);
// The address of the vendor's RAZ core page, which reports RAZ activity.
const std::string& GADRAZCorePageURL();
// The host of the vendor's publisher ad server.
const std::string& GADPublisherAdServerHost();

namespace GADNSURLUtilities {

// The URL with each key appended (unescaped) and, when its value text is not
// empty, "=" and the value escaped; before any "&adurl=" tail. nullopt when
// the result is no valid URL.
std::optional<foundation::URL> gad_appendQueryParameters(const foundation::URL& url,
                                                         const foundation::Dictionary& parameters);
// One parameter; no value appends the key alone.
std::optional<foundation::URL> gad_appendQueryValue(const foundation::URL& url,
                                                    const std::optional<foundation::Value>& value,
                                                    const std::string& key);
// The value of the first "key=value" piece of the query, not decoded.
std::optional<std::string> gad_parameterValueForKey(const foundation::URL& url,
                                                    std::string_view key);
// The query split at "&" and ";", pairs decoded; pairs that do not decode are
// dropped and later keys win.
foundation::Dictionary gad_dictionaryFromQueryParametersAndConvertKeysToLowercase(
    const foundation::URL& url, bool lowercaseKeys);
// The third and fourth path components ("/" counts as the first) joined by "/".
std::optional<std::string> gad_impressionTicket(const foundation::URL& url);
std::string gad_absoluteStringWithoutFragmentComponent(const foundation::URL& url);
bool gad_isHostEqualToString(const foundation::URL& url, std::string_view host, bool caseSensitive);
bool gad_isSchemeEqualToString(const foundation::URL& url, std::string_view scheme,
                               bool caseSensitive);
bool gad_isMediationURL(const foundation::URL& url);
bool gad_isSDKJavaScriptURL(const foundation::URL& url);
bool gad_isXFPURL(const foundation::URL& url);

}  // namespace GADNSURLUtilities
