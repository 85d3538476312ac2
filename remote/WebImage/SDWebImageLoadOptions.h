#pragma once

// Option bits of one image load through the image manager.

#include <cstdint>

using SDWebImageLoadOptions = std::uint64_t;

namespace SDWebImageLoadOption {
inline constexpr SDWebImageLoadOptions retryFailed = 1;
inline constexpr SDWebImageLoadOptions lowPriority = 2;
inline constexpr SDWebImageLoadOptions cacheMemoryOnly = 4;
inline constexpr SDWebImageLoadOptions progressiveDownload = 8;
inline constexpr SDWebImageLoadOptions refreshCached = 16;
inline constexpr SDWebImageLoadOptions continueInBackground = 32;
inline constexpr SDWebImageLoadOptions handleCookies = 64;
inline constexpr SDWebImageLoadOptions allowInvalidSSLCertificates = 128;
inline constexpr SDWebImageLoadOptions highPriority = 256;
inline constexpr SDWebImageLoadOptions delayPlaceholder = 512;
inline constexpr SDWebImageLoadOptions transformAnimatedImage = 1024;
inline constexpr SDWebImageLoadOptions avoidAutoSetImage = 2048;
}  // namespace SDWebImageLoadOption
