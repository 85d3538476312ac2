#pragma once

// The native ad formats by the ad-type strings publishers ask for and by the
// "type" and "template_id" of a native response.

#include <cstdint>
#include <optional>
#include <string>

#include "ads/api/GADNativeAdClass.h"
#include "platform/foundation/Error.h"

inline constexpr const char* kGADNativeAppInstallAdTypeString = "2";
inline constexpr const char* kGADNativeContentAdTypeString = "1";

// Null, and the code-12 error when asked for, for an unknown ad type.
const GADNativeAdClass* GADNativeAdClassForAdType(
    const std::string& adType, std::optional<foundation::Error>* error = nullptr);
// Null, and the private code-3 error when asked for, for an unknown format.
const GADNativeAdClass* GADNativeAdClassForFormat(
    const std::string& type, std::int64_t templateID,
    std::optional<foundation::Error>* error = nullptr);
