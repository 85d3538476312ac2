#pragma once

// A native ad for an application to install (template "2"): headline, call
// to action and icon, optional texts, main image, star rating and
// attribution.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADNativeAd.h"

class GADNativeAppInstallAd : public GADNativeAd {
  public:
    // Null when the tracking section is invalid, the headline, call to
    // action or icon is missing, or only half of the attribution is there.
    static std::shared_ptr<GADNativeAd> make(const foundation::Dictionary& adObject);

    // The format: template "2", delivered through GADNativeAppInstallAdLoaderDelegate.
    static const GADNativeAdClass& adClass();
    const GADNativeAdClass& nativeAdClass() const override { return adClass(); }
    void didReceiveAdForAdLoader(GADAdLoader& loader) override;

    std::string clickActionTemplateID() const override { return "2"; }
    std::optional<std::set<std::string>> assetsRequiredToBeDisplayed() const override;
    bool hasAttributionInformation() const { return attributionIconURL_ && attributionText_; }

    // These getters count their asset as displayed.
    const std::string& headline();
    const std::string& callToAction();
    const graphics::Image::Ptr& icon();
    const graphics::Image::Ptr& attributionIcon();

    const std::optional<std::string>& attributionText() const { return attributionText_; }
    const std::optional<std::string>& body() const { return body_; }
    const std::optional<std::string>& store() const { return store_; }
    const std::optional<std::string>& price() const { return price_; }
    const graphics::Image::Ptr& image() const { return image_; }
    double starRating() const { return starRating_; }

  protected:
    GADNativeAppInstallAd() = default;

    std::vector<std::pair<std::optional<foundation::URL>, std::string>> imageAssets()
        const override;
    void setImageForKey(const std::string& key, graphics::Image::Ptr image) override;

  private:
    std::optional<foundation::URL> imageURL_;
    std::optional<foundation::URL> iconURL_;
    std::optional<foundation::URL> attributionIconURL_;
    std::string headline_;
    std::string callToAction_;
    graphics::Image::Ptr icon_;
    graphics::Image::Ptr attributionIcon_;
    std::optional<std::string> attributionText_;
    std::optional<std::string> body_;
    std::optional<std::string> store_;
    std::optional<std::string> price_;
    graphics::Image::Ptr image_;
    double starRating_ = 0;
};
