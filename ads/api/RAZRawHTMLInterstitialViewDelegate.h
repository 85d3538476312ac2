#pragma once

// The publisher that may draw a RAZ interstitial's ads itself: asked for
// each ad that allows it, then handed the ad's HTML as a raw ad.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"

class RAZInterstitial;
class RAZRawHTMLAd;

class RAZRawHTMLInterstitialViewDelegate {
  public:
    virtual ~RAZRawHTMLInterstitialViewDelegate() = default;

    // Whether to draw this ad; nullopt (not implemented) means yes.
    virtual std::optional<bool> interstitialShouldUseCustomRenderingForAdHTML(
        RAZInterstitial&, const std::string& html, const std::optional<foundation::URL>& baseURL) {
        return std::nullopt;
    }
    virtual void interstitialRenderRawHTMLAd(RAZInterstitial& interstitial,
                                             const std::shared_ptr<RAZRawHTMLAd>& ad) = 0;
};
