#pragma once

// Option bits of one image download.

#include <cstdint>

using SDImageDownloadOptions = std::uint32_t;

namespace SDImageDownloadOption {
inline constexpr SDImageDownloadOptions lowPriority = 1;
inline constexpr SDImageDownloadOptions progressiveDownload = 2;
inline constexpr SDImageDownloadOptions useNSURLCache = 4;
inline constexpr SDImageDownloadOptions ignoreCachedResponse = 8;
inline constexpr SDImageDownloadOptions continueInBackground = 16;
inline constexpr SDImageDownloadOptions handleCookies = 32;
inline constexpr SDImageDownloadOptions allowInvalidSSLCertificates = 64;
inline constexpr SDImageDownloadOptions highPriority = 128;
}  // namespace SDImageDownloadOption
