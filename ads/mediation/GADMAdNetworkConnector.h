#pragma once

// What an adapter talks to: the network's credentials and the user's
// targeting, and the callbacks through which the adapter reports its ads and
// screen events. The base class answers the questions and ignores the
// callbacks; the banner and interstitial connectors route them to the
// waterfall manager and the glue.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdType.h"
#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "ads/mediation/GADMConfig.h"
#include "ads/mediation/GADMDelegate.h"
#include "platform/foundation/Error.h"

class GADMAdManager;

class GADMAdNetworkConnector : public std::enable_shared_from_this<GADMAdNetworkConnector> {
  public:
    // Credential that lets the adapter see the user's location when "1"; the
    // adapter never sees it.
    static constexpr const char* kShareLocationKey = "gwhirl_share_location";

    GADMAdNetworkConnector(std::shared_ptr<GADMConfig> config,
                           std::shared_ptr<GADMAdNetworkConfig> networkConfig);
    virtual ~GADMAdNetworkConnector();
    GADMAdNetworkConnector(const GADMAdNetworkConnector&) = delete;
    GADMAdNetworkConnector& operator=(const GADMAdNetworkConnector&) = delete;

    // Lifecycle, used by the manager.
    // Nothing for no type, an interstitial for the interstitial type, else a
    // banner of the type's size when that size is valid.
    void getAdFromAdapterWithType(const std::shared_ptr<GADAdType>& adType);
    void askAdapterToStopBeingDelegate();
    bool askAdapterIsBannerAnimationOK(std::int64_t animationType);

    std::shared_ptr<GADMDelegate> gadmDelegate() const { return gadmDelegate_.lock(); }
    void setGadmDelegate(const std::shared_ptr<GADMDelegate>& d) { gadmDelegate_ = d; }
    std::shared_ptr<GADMAdManager> adManager() const { return adManager_.lock(); }
    void setAdManager(const std::shared_ptr<GADMAdManager>& m) { adManager_ = m; }
    // Lets go of the manager and the glue: the adapter's later calls reach nobody.
    void detach();
    const std::shared_ptr<GADMConfig>& mediationConfig() const { return mediationConfig_; }
    const std::shared_ptr<GADMAdNetworkConfig>& networkConfig() const { return networkConfig_; }
    const std::shared_ptr<GADMAdNetworkAdapter>& adapter() const { return adapter_; }
    bool didNetworkRefresh() const { return didNetworkRefresh_; }
    bool clicked() const { return clicked_; }

    // What the adapter may ask.
    std::optional<std::string> publisherId() const;
    // The network's credentials without the share-location key.
    const foundation::Dictionary& credentials() const { return credentials_; }
    bool testMode() const;
    std::shared_ptr<GADAdNetworkExtras> networkExtras() const;
    std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() const;
    std::optional<bool> childDirectedTreatment() const;
    std::int64_t userGender() const;
    std::optional<foundation::Date> userBirthday() const;
    bool userHasLocation() const;
    double userLatitude() const;
    double userLongitude() const;
    double userLocationAccuracyInMeters() const;
    std::optional<std::string> userLocationDescription() const;
    std::optional<std::vector<std::string>> userKeywords() const;

    // What the adapter reports.
    virtual void adapterDidReceiveAdView(GADMAdNetworkAdapter& adapter,
                                         const std::shared_ptr<ui::View>& view) {}
    virtual void adapterDidFailAd(GADMAdNetworkAdapter& adapter, const foundation::Error& error) {}
    virtual void adapterDidReceiveInterstitial(GADMAdNetworkAdapter& adapter,
                                               const std::shared_ptr<void>& interstitial) {}
    virtual void adapterDidFailInterstitial(GADMAdNetworkAdapter& adapter,
                                            const foundation::Error& error) {}
    virtual void adapterClickDidOccurInBanner(GADMAdNetworkAdapter& adapter,
                                              const std::shared_ptr<ui::View>& view) {}
    virtual void adapterWillPresentFullScreenModal(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterWillDismissFullScreenModal(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterDidDismissFullScreenModal(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterWillPresentInterstitial(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterWillDismissInterstitial(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterDidDismissInterstitial(GADMAdNetworkAdapter& adapter) {}
    virtual void adapterWillLeaveApplication(GADMAdNetworkAdapter& adapter) {}

  protected:
    // Makes the adapter of the network's adapter class; run once the
    // connector is owned by a shared pointer.
    void makeAdapter();
    bool isOwnAdapter(const GADMAdNetworkAdapter& adapter) const {
        return &adapter == adapter_.get();
    }
    // Pings the templates (or the default one) with the network's ID and
    // allocation, the response's qdata and app key, and the refresh flag.
    void pingMediationURLs(const std::optional<foundation::Array>& templates,
                           const std::string& defaultURL,
                           const std::optional<std::string>& durations,
                           const std::optional<std::string>& exitCodes);
    // Once per ad: the click ping of the shown ad.
    void reportClick();
    // The impression ping carries the adapters' timings and exit codes so
    // far, which are then cleared.
    void reportImpression();
    void setDidNetworkRefresh(bool refresh) { didNetworkRefresh_ = refresh; }
    void setClicked(bool clicked) { clicked_ = clicked; }

  private:
    std::shared_ptr<GADLocation> sharedLocation() const;

    std::weak_ptr<GADMDelegate> gadmDelegate_;
    std::weak_ptr<GADMAdManager> adManager_;
    std::shared_ptr<GADMConfig> mediationConfig_;
    std::shared_ptr<GADMAdNetworkConfig> networkConfig_;
    std::shared_ptr<GADMAdNetworkAdapter> adapter_;
    bool didNetworkRefresh_ = false;
    bool clicked_ = false;
    foundation::Dictionary credentials_;
    bool shareLocation_ = false;
};
