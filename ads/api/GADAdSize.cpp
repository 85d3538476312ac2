#include "ads/api/GADAdSize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

#include "ads/foundation/GADDevice.h"
#include "platform/graphics/GeometryFromString.h"

namespace {

struct NamedSize {
    GADAdSize size;
    const char* name;
};

// The name table, in the order the names are looked up.
constexpr std::array<NamedSize, 11> kNamedSizes{{
    {kGADAdSizeBanner, "kGADAdSizeBanner"},
    {kGADAdSizeLargeBanner, "kGADAdSizeLargeBanner"},
    {kGADAdSizeMediumRectangle, "kGADAdSizeMediumRectangle"},
    {kGADAdSizeFullBanner, "kGADAdSizeFullBanner"},
    {kGADAdSizeLeaderboard, "kGADAdSizeLeaderboard"},
    {kGADAdSizeSkyscraper, "kGADAdSizeSkyscraper"},
    {kGADAdSizeSmartBannerSkinnyPortrait, "kGADAdSizeSmartBannerSkinnyPortrait"},
    {kGADAdSizeSmartBannerSkinnyLandscape, "kGADAdSizeSmartBannerSkinnyLandscape"},
    {kGADAdSizeSmartBannerPortrait, "kGADAdSizeSmartBannerPortrait"},
    {kGADAdSizeSmartBannerLandscape, "kGADAdSizeSmartBannerLandscape"},
    {kGADAdSizeInvalid, "kGADAdSizeInvalid"},
}};

// The sizes GADAdSizeFromCGSize recognises, in order.
constexpr std::array<GADAdSize, 7> kRecognisedSizes{{
    kGADAdSizeInvalid,
    kGADAdSizeBanner,
    kGADAdSizeLargeBanner,
    kGADAdSizeMediumRectangle,
    kGADAdSizeFullBanner,
    kGADAdSizeLeaderboard,
    kGADAdSizeSkyscraper,
}};

bool sameSize(graphics::Size a, graphics::Size b) {
    return a.width == b.width && a.height == b.height;
}

// Smart-banner height on this device; nullopt on an idiom without one.
std::optional<double> smartBannerHeight(std::uint64_t flags) {
    GADDevice& device = GADDevice::currentDevice();
    if (device.userInterfaceIdiomIsPhone()) {
        return (flags & kGADAdSizeFlagLandscape) ? 32 : 50;
    }
    if (device.userInterfaceIdiomIsTablet()) {
        return (flags & kGADAdSizeFlagSkinny) ? 66 : 90;
    }
    return std::nullopt;
}

}  // namespace

GADAdSize GADAdSizeFromCGSize(graphics::Size size) {
    for (const GADAdSize& recognised : kRecognisedSizes) {
        if (sameSize(recognised.size, size)) {
            return recognised;
        }
    }
    return GADAdSize{size, kGADAdSizeFlagCustom};
}

graphics::Size GADAdSizeGetCGSize(GADAdSize adSize) {
    if (adSize.flags == 0 && GADAdSizeIsStandard(adSize)) {
        return adSize.size;
    }
    if (adSize.flags & kGADAdSizeFlagFullWidth) {
        std::optional<double> height = smartBannerHeight(adSize.flags);
        if (!height) {
            return {0, 0};
        }
        graphics::Rect screen = GADDevice::currentDevice().standardizedScreenBounds();
        double width =
            (adSize.flags & kGADAdSizeFlagLandscape) ? screen.size.height : screen.size.width;
        if (adSize.flags & kGADAdSizeFlagAutoHeight) {
            return {width, *height};
        }
        if (adSize.flags & kGADAdSizeFlagCustom) {
            return {width, adSize.size.height};
        }
        return {0, 0};
    }
    if (adSize.flags & kGADAdSizeFlagCustom) {
        return adSize.size;
    }
    return {0, 0};
}

bool GADAdSizeIsEqualToAdSize(GADAdSize a, GADAdSize b) {
    return sameSize(a.size, b.size) && a.flags == b.flags;
}

bool GADAdSizeIsFullWidth(GADAdSize adSize) {
    return adSize.flags & kGADAdSizeFlagFullWidth;
}

bool GADAdSizeHasAutoHeight(GADAdSize adSize) {
    return adSize.flags & kGADAdSizeFlagAutoHeight;
}

bool GADAdSizeIsValid(GADAdSize adSize) {
    if ((adSize.flags & kGADAdSizeFlagCustom) &&
        GADAdSizeFitsScreen(adSize.size.width, adSize.size.height)) {
        return true;
    }
    return GADAdSizeIsPredefined(adSize);
}

bool GADAdSizeFitsScreen(double width, double height) {
    graphics::Rect screen = GADDevice::currentDevice().standardizedScreenBounds();
    double longer = std::max(screen.size.width, screen.size.height);
    return std::fabs(width) <= longer && std::fabs(height) <= longer;
}

bool GADAdSizeIsPredefined(GADAdSize adSize) {
    if (GADAdSizeIsStandard(adSize)) {
        return true;
    }
    return sameSize(adSize.size, {0, 0}) &&
           (adSize.flags == 18 || adSize.flags == 22 || adSize.flags == 26 || adSize.flags == 30);
}

bool GADAdSizeIsStandard(GADAdSize adSize) {
    if (adSize.flags != 0) {
        return false;
    }
    for (std::size_t i = 1; i < kRecognisedSizes.size(); ++i) {
        if (sameSize(kRecognisedSizes[i].size, adSize.size)) {
            return true;
        }
    }
    return false;
}

std::string GADAdSizeDescription(GADAdSize adSize) {
    for (const NamedSize& named : kNamedSizes) {
        if (GADAdSizeIsEqualToAdSize(named.size, adSize)) {
            return named.name;
        }
    }
    char buffer[512];
    if (adSize.flags & kGADAdSizeFlagFullWidth) {
        std::snprintf(buffer, sizeof buffer, "Full width GADAdSize with height: %f",
                      adSize.size.height);
        return buffer;
    }
    if (adSize.flags & kGADAdSizeFlagCustom) {
        return "Custom GADAdSize: " + graphics::toString(adSize.size);
    }
    std::snprintf(buffer, sizeof buffer, ", %lx", static_cast<unsigned long>(adSize.flags));
    return "GADAdSize: " + graphics::toString(adSize.size) + buffer;
}

graphics::Size GADCGSizeFromAdSizeString(const std::optional<std::string>& text) {
    if (!text) {
        return {0, 0};
    }
    std::string replaced = *text;
    std::replace(replaced.begin(), replaced.end(), 'x', ',');
    return graphics::sizeFromString("{" + replaced + "}");
}
