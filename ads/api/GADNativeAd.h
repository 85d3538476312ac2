#pragma once

// A native ad: the pieces of an ad the application lays out itself. Reads the
// ad object's tracking section, downloads the image assets and reports one
// outcome to its loader, records the impression once and performs clicks
// through the native-ads page in its slot's web view. Main thread.

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADNativeAdClass.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Image.h"

class GADAdLoader;
class GADNativeAdDelegate;
class GADNativeAdLoadDelegate;
class GADSlot;
namespace ui {
class ViewController;
}

class GADNativeAd : public GADBannerViewDelegate, public std::enable_shared_from_this<GADNativeAd> {
  public:
    // The first element of the configuration's "ads" array when it is an
    // object; nullopt otherwise.
    static std::optional<foundation::Dictionary> firstAdObjectInAdConfigurationDictionary(
        const foundation::Dictionary& configuration);
    // The format the first ad object names by "type" and "template_id" (a
    // number or a text holding one); nullptr when none.
    static const GADNativeAdClass* classFromAdConfigurationDictionary(
        const foundation::Dictionary& configuration);
    // The page holding the native-ads script: the "native_ad_support_url"
    // user default when it is a URL, else the vendor's page.
    static foundation::URL supportHTMLURL();

    ~GADNativeAd() override;

    virtual const GADNativeAdClass& nativeAdClass() const = 0;
    // Hands this ad to the loader's delegate through its format's interface.
    virtual void didReceiveAdForAdLoader(GADAdLoader& loader) = 0;
    // "" here; "2" for app-install and "1" for content ads.
    virtual std::string clickActionTemplateID() const { return ""; }
    // The getters the application must have called before clicks and
    // impressions count; nullopt for no check.
    virtual std::optional<std::set<std::string>> assetsRequiredToBeDisplayed() const {
        return std::nullopt;
    }
    std::set<std::string> requiredAssets() const;

    void performClickOnAsset(const std::string& asset);
    void recordImpression();
    void markAssetAsRead(const std::string& getterName) { readAssets_.insert(getterName); }

    // Starts every image download; ends in exactly one report to the loading
    // delegate, on a later main-queue turn when nothing is downloaded.
    void loadAssets();
    void finishedLoadingAssetWithName(const std::string& key);
    void failedToLoadAssetWithName(const std::string& key);

    // Banner events of the slot reach the application as the native ad's.
    void adViewWillPresentScreen(GADBannerView& bannerView) override;
    void adViewWillDismissScreen(GADBannerView& bannerView) override;
    void adViewDidDismissScreen(GADBannerView& bannerView) override;
    void adViewWillLeaveApplication(GADBannerView& bannerView) override;

    std::shared_ptr<GADNativeAdDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADNativeAdDelegate>& delegate) { delegate_ = delegate; }
    std::shared_ptr<GADNativeAdLoadDelegate> loadingDelegate() const {
        return loadingDelegate_.lock();
    }
    void setLoadingDelegate(const std::shared_ptr<GADNativeAdLoadDelegate>& delegate) {
        loadingDelegate_ = delegate;
    }
    std::shared_ptr<ui::ViewController> rootViewController() const {
        return rootViewController_.lock();
    }
    void setRootViewController(const std::shared_ptr<ui::ViewController>& controller) {
        rootViewController_ = controller;
    }
    const std::string& adUnitID() const { return adUnitID_; }
    void setAdUnitID(std::string adUnitID) { adUnitID_ = std::move(adUnitID); }
    const std::shared_ptr<GADSlot>& slot() const { return slot_; }
    void setSlot(std::shared_ptr<GADSlot> slot) { slot_ = std::move(slot); }

    const foundation::Dictionary& adConfiguration() const { return adConfiguration_; }
    const std::string& dezuvoClickTrackingURLString() const { return dezuvoClickTrackingURL_; }
    const std::set<std::string>& thirdPartyClickTrackingURLs() const {
        return thirdPartyClickTrackingURLs_;
    }
    const std::set<std::string>& impressionTrackingURLs() const { return impressionTrackingURLs_; }
    const foundation::Array& clickActions() const { return clickActions_; }
    // Actions on the ad's assets; empty when the ad is made.
    const foundation::Array& adAssetActions() const { return adAssetActions_; }
    foundation::Array& adAssetActions() { return adAssetActions_; }
    void setAdAssetActions(foundation::Array actions) { adAssetActions_ = std::move(actions); }
    bool failedToLoadRequiredAssets() const { return failedToLoadRequiredAssets_; }
    const std::set<std::string>& readAssets() const { return readAssets_; }
    const std::set<std::string>& requestedAssets() const { return requestedAssets_; }
    const std::set<std::string>& completedAssets() const { return completedAssets_; }

  protected:
    // Reads the tracking section; false when its click tracking URL is
    // missing or empty (the ad is then not made).
    bool initWithDictionary(const foundation::Dictionary& adObject);

    // The images to download: their URLs and the keys they are stored under.
    virtual std::vector<std::pair<std::optional<foundation::URL>, std::string>> imageAssets()
        const = 0;
    // Stores a downloaded image under its key.
    virtual void setImageForKey(const std::string& key, graphics::Image::Ptr image) = 0;

    // Typed reads of the ad object: a member of another type counts as absent.
    static std::optional<std::string> stringForKey(const foundation::Dictionary& object,
                                                   std::string_view key);
    static std::optional<foundation::URL> imageURLForKey(const foundation::Dictionary& object,
                                                         std::string_view key);
    static std::optional<foundation::Dictionary> dictionaryForKey(
        const foundation::Dictionary& object, std::string_view key);

    // The ad object's "attribution": its text and icon URL, both or neither;
    // nullopt when only one of them is there.
    struct Attribution {
        std::optional<std::string> text;
        std::optional<foundation::URL> iconURL;
    };
    static std::optional<Attribution> attributionForKey(const foundation::Dictionary& object);

  private:
    void loadImageWithURL(const std::optional<foundation::URL>& url, const std::string& key);
    bool requiredAssetsWereDisplayed(const std::string& refusal) const;
    void reportFinishedWhenComplete();

    bool hasRecordedImpression_ = false;
    bool failedToLoadRequiredAssets_ = false;
    bool startingDownloads_ = false;
    bool reportedOutcome_ = false;
    std::weak_ptr<GADNativeAdDelegate> delegate_;
    std::weak_ptr<GADNativeAdLoadDelegate> loadingDelegate_;
    std::weak_ptr<ui::ViewController> rootViewController_;
    std::string adUnitID_;
    foundation::Dictionary adConfiguration_;
    std::shared_ptr<GADSlot> slot_;
    std::set<std::string> impressionTrackingURLs_;
    std::set<std::string> thirdPartyClickTrackingURLs_;
    std::string dezuvoClickTrackingURL_;
    foundation::Array clickActions_;
    foundation::Array adAssetActions_;
    std::set<std::string> readAssets_;
    std::set<std::string> completedAssets_;
    std::set<std::string> requestedAssets_;
};
