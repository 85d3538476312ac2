#pragma once

// A native content ad (template "1"): headline and body, optional call to
// action and advertiser, main image, logo and attribution.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADNativeAd.h"

class GADNativeContentAd : public GADNativeAd {
  public:
    // Null when the tracking section is invalid, the headline or body is
    // missing, or only half of the attribution is there.
    static std::shared_ptr<GADNativeAd> make(const foundation::Dictionary& adObject);

    // The format: template "1", delivered through GADNativeContentAdLoaderDelegate.
    static const GADNativeAdClass& adClass();
    const GADNativeAdClass& nativeAdClass() const override { return adClass(); }
    void didReceiveAdForAdLoader(GADAdLoader& loader) override;

    std::string clickActionTemplateID() const override { return "1"; }
    std::optional<std::set<std::string>> assetsRequiredToBeDisplayed() const override;
    bool hasAttributionInformation() const { return attributionIconURL_ && attributionText_; }

    // These getters count their asset as displayed.
    const std::string& headline();
    const std::string& body();
    const graphics::Image::Ptr& attributionIcon();

    const std::optional<std::string>& attributionText() const { return attributionText_; }
    const graphics::Image::Ptr& image() const { return image_; }
    const graphics::Image::Ptr& logo() const { return logo_; }
    const std::optional<std::string>& callToAction() const { return callToAction_; }
    const std::optional<std::string>& advertiser() const { return advertiser_; }

  protected:
    GADNativeContentAd() = default;

    std::vector<std::pair<std::optional<foundation::URL>, std::string>> imageAssets()
        const override;
    void setImageForKey(const std::string& key, graphics::Image::Ptr image) override;

  private:
    std::optional<foundation::URL> imageURL_;
    std::optional<foundation::URL> logoURL_;
    std::optional<foundation::URL> attributionIconURL_;
    std::string headline_;
    std::string body_;
    graphics::Image::Ptr attributionIcon_;
    std::optional<std::string> attributionText_;
    graphics::Image::Ptr image_;
    graphics::Image::Ptr logo_;
    std::optional<std::string> callToAction_;
    std::optional<std::string> advertiser_;
};
