#pragma once

// Ad sizes: a standard named size, a "smart" banner that spans the screen's
// width with a height chosen by device, or a custom width and height.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/graphics/Geometry.h"

struct GADAdSize {
    graphics::Size size;
    std::uint64_t flags = 0;
};

// Flag bits.
inline constexpr std::uint64_t kGADAdSizeFlagCustom = 0x1;
inline constexpr std::uint64_t kGADAdSizeFlagFullWidth = 0x2;
inline constexpr std::uint64_t kGADAdSizeFlagSkinny = 0x4;
inline constexpr std::uint64_t kGADAdSizeFlagLandscape = 0x8;
inline constexpr std::uint64_t kGADAdSizeFlagAutoHeight = 0x10;

inline constexpr GADAdSize kGADAdSizeBanner{{320, 50}, 0};
inline constexpr GADAdSize kGADAdSizeLargeBanner{{320, 100}, 0};
inline constexpr GADAdSize kGADAdSizeMediumRectangle{{300, 250}, 0};
inline constexpr GADAdSize kGADAdSizeFullBanner{{468, 60}, 0};
inline constexpr GADAdSize kGADAdSizeLeaderboard{{728, 90}, 0};
inline constexpr GADAdSize kGADAdSizeSkyscraper{{120, 600}, 0};
inline constexpr GADAdSize kGADAdSizeSmartBannerSkinnyPortrait{{0, 0}, 0x16};
inline constexpr GADAdSize kGADAdSizeSmartBannerSkinnyLandscape{{0, 0}, 0x1e};
inline constexpr GADAdSize kGADAdSizeSmartBannerPortrait{{0, 0}, 0x12};
inline constexpr GADAdSize kGADAdSizeSmartBannerLandscape{{0, 0}, 0x1a};
inline constexpr GADAdSize kGADAdSizeInvalid{{-1, -1}, 0};

// The named size of exactly that width and height (flags 0), else a custom size.
GADAdSize GADAdSizeFromCGSize(graphics::Size size);
// The size in points on this device (smart banners from the screen width and
// the device's banner height; 0 x 0 when it cannot be had).
graphics::Size GADAdSizeGetCGSize(GADAdSize adSize);
// Width, height and flags all equal.
bool GADAdSizeIsEqualToAdSize(GADAdSize a, GADAdSize b);
bool GADAdSizeIsFullWidth(GADAdSize adSize);
bool GADAdSizeHasAutoHeight(GADAdSize adSize);
// A custom size that fits the screen, or a predefined size.
bool GADAdSizeIsValid(GADAdSize adSize);
// Both absolute values at most the screen's longer side.
bool GADAdSizeFitsScreen(double width, double height);
// A standard size or one of the four smart banners.
bool GADAdSizeIsPredefined(GADAdSize adSize);
// One of the six standard sizes with flags 0.
bool GADAdSizeIsStandard(GADAdSize adSize);
// The constant's name, or a text for a full-width, custom or other size.
std::string GADAdSizeDescription(GADAdSize adSize);
// "320x50" -> 320 x 50; 0 x 0 when the text is missing or malformed.
graphics::Size GADCGSizeFromAdSizeString(const std::optional<std::string>& text);
