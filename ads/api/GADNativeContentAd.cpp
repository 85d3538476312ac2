#include "ads/api/GADNativeContentAd.h"

#include "ads/api/GADAdLoader.h"
#include "ads/api/GADAdLoaderDelegate.h"

std::shared_ptr<GADNativeAd> GADNativeContentAd::make(const foundation::Dictionary& adObject) {
    std::shared_ptr<GADNativeContentAd> ad(new GADNativeContentAd());
    if (!ad->initWithDictionary(adObject)) {
        return nullptr;
    }
    const auto headline = stringForKey(adObject, "headline");
    const auto body = stringForKey(adObject, "body");
    const auto attribution = attributionForKey(adObject);
    if (!headline || !body || !attribution) {
        return nullptr;
    }
    ad->headline_ = *headline;
    ad->body_ = *body;
    ad->attributionText_ = attribution->text;
    ad->attributionIconURL_ = attribution->iconURL;
    ad->callToAction_ = stringForKey(adObject, "call_to_action");
    ad->advertiser_ = stringForKey(adObject, "advertiser");
    ad->imageURL_ = imageURLForKey(adObject, "image");
    ad->logoURL_ = imageURLForKey(adObject, "secondary_image");
    return ad;
}

const GADNativeAdClass& GADNativeContentAd::adClass() {
    static const GADNativeAdClass kClass{
        "GADNativeContentAd",
        "GADNativeContentAdLoaderDelegate",
        &make,
        {{"format", 1}},
        [](const GADAdLoaderDelegate& delegate) {
            return dynamic_cast<const GADNativeContentAdLoaderDelegate*>(&delegate) != nullptr;
        }};
    return kClass;
}

void GADNativeContentAd::didReceiveAdForAdLoader(GADAdLoader& loader) {
    if (const auto delegate =
            std::dynamic_pointer_cast<GADNativeContentAdLoaderDelegate>(loader.delegate())) {
        delegate->adLoaderDidReceiveNativeContentAd(
            loader, std::static_pointer_cast<GADNativeContentAd>(shared_from_this()));
    }
}

std::optional<std::set<std::string>> GADNativeContentAd::assetsRequiredToBeDisplayed() const {
    std::set<std::string> assets{"headline", "body"};
    if (attributionIconURL_) {
        assets.insert("attributionIcon");
    }
    return assets;
}

const std::string& GADNativeContentAd::headline() {
    markAssetAsRead("headline");
    return headline_;
}

const std::string& GADNativeContentAd::body() {
    markAssetAsRead("body");
    return body_;
}

const graphics::Image::Ptr& GADNativeContentAd::attributionIcon() {
    markAssetAsRead("attributionIcon");
    return attributionIcon_;
}

std::vector<std::pair<std::optional<foundation::URL>, std::string>>
GADNativeContentAd::imageAssets() const {
    return {{imageURL_, "image"}, {logoURL_, "logo"}, {attributionIconURL_, "attributionIcon"}};
}

void GADNativeContentAd::setImageForKey(const std::string& key, graphics::Image::Ptr image) {
    if (key == "image") {
        image_ = std::move(image);
    } else if (key == "logo") {
        logo_ = std::move(image);
    } else if (key == "attributionIcon") {
        attributionIcon_ = std::move(image);
    }
}
