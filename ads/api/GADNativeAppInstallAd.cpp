#include "ads/api/GADNativeAppInstallAd.h"

#include "ads/api/GADAdLoader.h"
#include "ads/api/GADAdLoaderDelegate.h"

#include "ads/foundation/GADDictionaryAdditions.h"

std::shared_ptr<GADNativeAd> GADNativeAppInstallAd::make(const foundation::Dictionary& adObject) {
    std::shared_ptr<GADNativeAppInstallAd> ad(new GADNativeAppInstallAd());
    if (!ad->initWithDictionary(adObject)) {
        return nullptr;
    }
    const auto headline = stringForKey(adObject, "headline");
    const auto callToAction = stringForKey(adObject, "call_to_action");
    ad->iconURL_ = imageURLForKey(adObject, "app_icon");
    const auto attribution = attributionForKey(adObject);
    if (!headline || !callToAction || !ad->iconURL_ || !attribution) {
        return nullptr;
    }
    ad->headline_ = *headline;
    ad->callToAction_ = *callToAction;
    ad->attributionText_ = attribution->text;
    ad->attributionIconURL_ = attribution->iconURL;
    ad->body_ = stringForKey(adObject, "body");
    ad->store_ = stringForKey(adObject, "store");
    ad->price_ = stringForKey(adObject, "price");
    ad->imageURL_ = imageURLForKey(adObject, "image");
    if (const auto rating = GADObjectValidation::gad_objectForKey(adObject, "rating",
                                                                  foundation::Value::Type::Real)) {
        ad->starRating_ = rating->doubleValue();
    }
    return ad;
}

const GADNativeAdClass& GADNativeAppInstallAd::adClass() {
    static const GADNativeAdClass kClass{
        "GADNativeAppInstallAd",
        "GADNativeAppInstallAdLoaderDelegate",
        &make,
        {{"format", 2}},
        [](const GADAdLoaderDelegate& delegate) {
            return dynamic_cast<const GADNativeAppInstallAdLoaderDelegate*>(&delegate) != nullptr;
        }};
    return kClass;
}

void GADNativeAppInstallAd::didReceiveAdForAdLoader(GADAdLoader& loader) {
    if (const auto delegate =
            std::dynamic_pointer_cast<GADNativeAppInstallAdLoaderDelegate>(loader.delegate())) {
        delegate->adLoaderDidReceiveNativeAppInstallAd(
            loader, std::static_pointer_cast<GADNativeAppInstallAd>(shared_from_this()));
    }
}

std::optional<std::set<std::string>> GADNativeAppInstallAd::assetsRequiredToBeDisplayed() const {
    std::set<std::string> assets{"headline", "callToAction", "icon"};
    if (attributionIconURL_) {
        assets.insert("attributionIcon");
    }
    return assets;
}

const std::string& GADNativeAppInstallAd::headline() {
    markAssetAsRead("headline");
    return headline_;
}

const std::string& GADNativeAppInstallAd::callToAction() {
    markAssetAsRead("callToAction");
    return callToAction_;
}

const graphics::Image::Ptr& GADNativeAppInstallAd::icon() {
    markAssetAsRead("icon");
    return icon_;
}

const graphics::Image::Ptr& GADNativeAppInstallAd::attributionIcon() {
    markAssetAsRead("attributionIcon");
    return attributionIcon_;
}

std::vector<std::pair<std::optional<foundation::URL>, std::string>>
GADNativeAppInstallAd::imageAssets() const {
    return {{imageURL_, "image"}, {iconURL_, "icon"}, {attributionIconURL_, "attributionIcon"}};
}

void GADNativeAppInstallAd::setImageForKey(const std::string& key, graphics::Image::Ptr image) {
    if (key == "image") {
        image_ = std::move(image);
    } else if (key == "icon") {
        icon_ = std::move(image);
    } else if (key == "attributionIcon") {
        attributionIcon_ = std::move(image);
    }
}
