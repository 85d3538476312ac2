#pragma once

// The publisher that may draw a RAZ banner's ads itself: asked for each ad
// that allows it, then handed the ad's HTML as a raw ad.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"

class RAZBannerView;
class RAZRawHTMLAd;

class RAZRawHTMLBannerViewDelegate {
  public:
    virtual ~RAZRawHTMLBannerViewDelegate() = default;

    // Whether to draw this ad; nullopt (not implemented) means yes.
    virtual std::optional<bool> bannerViewShouldUseCustomRenderingForAdHTML(
        RAZBannerView&, const std::string& html, const std::optional<foundation::URL>& baseURL) {
        return std::nullopt;
    }
    // A delegate that draws raw ads answers true and takes them in
    // bannerViewRenderRawHTMLAd; one that does not gets the ads drawn as
    // ordinary HTML ads.
    virtual bool respondsToRenderRawHTMLAd() const { return false; }
    virtual void bannerViewRenderRawHTMLAd(RAZBannerView&, const std::shared_ptr<RAZRawHTMLAd>&) {}
};
