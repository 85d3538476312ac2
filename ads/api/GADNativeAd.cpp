#include "ads/api/GADNativeAd.h"

#include "ads/api/GADNativeAdDelegate.h"
#include "ads/api/GADNativeAdLoadDelegate.h"
#include "ads/api/GADNativeAdTables.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/foundation/GADDictionaryAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/net/URLConnection.h"

namespace {

using foundation::Value;
using GADObjectValidation::gad_objectForKey;

constexpr const char* kSupportURLKey = "native_ad_support_url";
constexpr const char* kVendorSupportURL =
    "http://media.dezuvo.com/mads/static/mad/sdk/native/native_ads.html";

std::set<std::string> stringSet(const std::optional<Value>& array) {
    std::set<std::string> strings;
    if (array) {
        for (const auto& item : *array->asArray()) {
            if (item.isString()) {
                strings.insert(*item.asString());
            }
        }
    }
    return strings;
}

}  // namespace

std::optional<foundation::Dictionary> GADNativeAd::firstAdObjectInAdConfigurationDictionary(
    const foundation::Dictionary& configuration) {
    const auto ads = gad_objectForKey(configuration, "ads", Value::Type::Array);
    if (!ads || ads->count() == 0 || !ads->at(0).isDictionary()) {
        return std::nullopt;
    }
    return *ads->at(0).asDictionary();
}

const GADNativeAdClass* GADNativeAd::classFromAdConfigurationDictionary(
    const foundation::Dictionary& configuration) {
    const auto adObject = firstAdObjectInAdConfigurationDictionary(configuration);
    if (!adObject || !stringForKey(*adObject, "type")) {
        return nullptr;
    }
    const auto found = adObject->find("template_id");
    if (found == adObject->end() || !(found->second.isNumber() || found->second.isString())) {
        return nullptr;
    }
    return GADNativeAdClassForFormat(*stringForKey(*adObject, "type"),
                                     Value(found->second.stringValue()).integerValue());
}

foundation::URL GADNativeAd::supportHTMLURL() {
    const auto stored = foundation::UserDefaults::standard().objectForKey(kSupportURLKey);
    if (stored.isString()) {
        if (auto url = foundation::URL::fromString(*stored.asString())) {
            return *url;
        }
    }
    return *foundation::URL::fromString(kVendorSupportURL);
}

GADNativeAd::~GADNativeAd() = default;

bool GADNativeAd::initWithDictionary(const foundation::Dictionary& adObject) {
    adConfiguration_ = adObject;
    const auto tracking = dictionaryForKey(adObject, "tracking_urls_and_actions");
    if (!tracking) {
        return false;
    }
    const auto clickURL = stringForKey(*tracking, "dezuvo_click_tracking_url");
    if (!clickURL || clickURL->empty()) {
        return false;
    }
    dezuvoClickTrackingURL_ = *clickURL;
    thirdPartyClickTrackingURLs_ = stringSet(
        gad_objectForKey(*tracking, "third_party_click_tracking_urls", Value::Type::Array));
    impressionTrackingURLs_ =
        stringSet(gad_objectForKey(*tracking, "impression_tracking_urls", Value::Type::Array));
    if (const auto actions = gad_objectForKey(*tracking, "click_actions", Value::Type::Array)) {
        clickActions_ = *actions->asArray();
    }
    return true;
}

std::optional<std::string> GADNativeAd::stringForKey(const foundation::Dictionary& object,
                                                     std::string_view key) {
    const auto value = gad_objectForKey(object, key, Value::Type::String);
    return value ? std::optional(*value->asString()) : std::nullopt;
}

std::optional<foundation::Dictionary> GADNativeAd::dictionaryForKey(
    const foundation::Dictionary& object, std::string_view key) {
    const auto value = gad_objectForKey(object, key, Value::Type::Dictionary);
    return value ? std::optional(*value->asDictionary()) : std::nullopt;
}

std::optional<foundation::URL> GADNativeAd::imageURLForKey(const foundation::Dictionary& object,
                                                           std::string_view key) {
    const auto image = dictionaryForKey(object, key);
    const auto text = image ? stringForKey(*image, "url") : std::nullopt;
    return text ? foundation::URL::fromString(*text) : std::nullopt;
}

std::optional<GADNativeAd::Attribution> GADNativeAd::attributionForKey(
    const foundation::Dictionary& object) {
    Attribution attribution;
    if (const auto section = dictionaryForKey(object, "attribution")) {
        attribution.text = stringForKey(*section, "text");
        attribution.iconURL = imageURLForKey(*section, "image");
    }
    if (attribution.text.has_value() != attribution.iconURL.has_value()) {
        return std::nullopt;
    }
    return attribution;
}

std::set<std::string> GADNativeAd::requiredAssets() const {
    return assetsRequiredToBeDisplayed().value_or(std::set<std::string>{});
}

bool GADNativeAd::requiredAssetsWereDisplayed(const std::string& refusal) const {
    const auto required = assetsRequiredToBeDisplayed();
    if (!required) {
        return true;
    }
    for (const auto& asset : *required) {
        if (!readAssets_.contains(asset)) {
            GADMacros::pubLog(refusal);
            return false;
        }
    }
    return true;
}

void GADNativeAd::performClickOnAsset(const std::string& asset) {
    if (!requiredAssetsWereDisplayed(
            "All required assets must be displayed before performing clicks.")) {
        return;
    }
    foundation::Dictionary payload{
        {"ad", Value(adConfiguration_)},
        {"click", Value::dictionary({{"template", clickActionTemplateID()}, {"asset", asset}})}};
    const auto json = GADJSONAdditions::gad_JSONStringPretty(payload, false);
    if (!json || !slot_ || !slot_->webView()) {
        return;
    }
    const auto webView = slot_->webView();
    webView->stringByEvaluatingJavaScriptFromString("dezuvo.vira.nativeAds.handleClick(" + *json +
                                                    ")");
}

void GADNativeAd::recordImpression() {
    if (!requiredAssetsWereDisplayed(
            "All required assets must be displayed before recording an impression.") ||
        hasRecordedImpression_) {
        return;
    }
    std::vector<foundation::URL> urls;
    for (const auto& text : impressionTrackingURLs_) {
        if (auto url = foundation::URL::fromString(text)) {
            urls.push_back(*url);
        }
    }
    GADClickTrackerCollection::sharedInstance().trackURLs(urls, false);
    hasRecordedImpression_ = true;
}

void GADNativeAd::loadAssets() {
    startingDownloads_ = true;
    for (const auto& [url, key] : imageAssets()) {
        loadImageWithURL(url, key);
    }
    startingDownloads_ = false;
    // Downloads end on later main-queue turns; when none is outstanding
    // (none was started, or every one failed at once) the outcome is told on
    // the next turn, so the loader never hears it inside its own call.
    std::weak_ptr<GADNativeAd> weakSelf = weak_from_this();
    foundation::OperationQueue::main()->addOperation([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->reportFinishedWhenComplete();
        }
    });
}

void GADNativeAd::loadImageWithURL(const std::optional<foundation::URL>& url,
                                   const std::string& key) {
    if (!url || key.empty()) {
        failedToLoadAssetWithName(key);
        return;
    }
    requestedAssets_.insert(key);
    const net::URLRequest request(*url, net::URLRequestCachePolicy::useProtocolCachePolicy, 60);
    std::weak_ptr<GADNativeAd> weakSelf = weak_from_this();
    net::URLConnection::sendAsynchronousRequest(
        request, foundation::OperationQueue::main(),
        [weakSelf, key](const net::URLConnection::Result& result) {
            const auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            graphics::Image::Ptr image;
            if (!result.error && !result.data.empty()) {
                image = graphics::Image::imageWithData(result.data);
            }
            if (!image) {
                self->failedToLoadAssetWithName(key);
                return;
            }
            self->setImageForKey(key, std::move(image));
            self->finishedLoadingAssetWithName(key);
        });
}

void GADNativeAd::finishedLoadingAssetWithName(const std::string& key) {
    completedAssets_.insert(key);
    reportFinishedWhenComplete();
}

void GADNativeAd::failedToLoadAssetWithName(const std::string& key) {
    completedAssets_.insert(key);
    if (failedToLoadRequiredAssets_ || reportedOutcome_) {
        return;
    }
    if (requiredAssets().contains(key)) {
        failedToLoadRequiredAssets_ = true;
        reportedOutcome_ = true;
        // The loader may drop this ad while it hears of it.
        const auto keepAlive = shared_from_this();
        if (const auto loader = loadingDelegate()) {
            loader->nativeAdDidFailToLoadRequiredAssets(*this);
        }
        return;
    }
    // An optional image failing last still ends the loading.
    reportFinishedWhenComplete();
}

void GADNativeAd::reportFinishedWhenComplete() {
    if (startingDownloads_ || failedToLoadRequiredAssets_ || reportedOutcome_) {
        return;
    }
    for (const auto& key : requestedAssets_) {
        if (!completedAssets_.contains(key)) {
            return;
        }
    }
    reportedOutcome_ = true;
    const auto keepAlive = shared_from_this();
    if (const auto loader = loadingDelegate()) {
        loader->nativeAdDidFinishLoadingAssets(*this);
    }
}

void GADNativeAd::adViewWillPresentScreen(GADBannerView&) {
    if (const auto listener = delegate()) {
        listener->nativeAdWillPresentScreen(*this);
    }
}

void GADNativeAd::adViewWillDismissScreen(GADBannerView&) {
    if (const auto listener = delegate()) {
        listener->nativeAdWillDismissScreen(*this);
    }
}

void GADNativeAd::adViewDidDismissScreen(GADBannerView&) {
    if (const auto listener = delegate()) {
        listener->nativeAdDidDismissScreen(*this);
    }
}

void GADNativeAd::adViewWillLeaveApplication(GADBannerView&) {
    if (const auto listener = delegate()) {
        listener->nativeAdWillLeaveApplication(*this);
    }
}
