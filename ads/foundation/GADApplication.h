#pragma once

// The ad component's process-wide state: the session, the application-wide
// statistics that travel with every request, the per-ad statistics waiting
// to be sent, the per-slot statistics, whether the host application is
// active, its install metadata and a small cache of prepared store sheets.
// It measures how long a user stays away after clicking an ad.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "ads/foundation/GADSession.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "platform/foundation/Cache.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Value.h"
#include "platform/services/StoreProductViewController.h"

using GADStatisticSet = std::set<std::shared_ptr<GADStatisticDictionary>>;

class GADApplication : public GADStatisticDictionaryDelegate,
                       public std::enable_shared_from_this<GADApplication> {
  public:
    using StoreProductCache =
        foundation::Cache<std::string, std::shared_ptr<services::StoreProductViewController>>;

    // The shared instance, made on first use.
    static GADApplication& sharedApplication();
    ~GADApplication() override;

    // The start-up work of the layers above this one (interception of MRAID
    // scripts allowed, the adapter classes looked up), handed over once as
    // the program loads.
    static void setEarlyActivities(std::function<void()> activities);
    // Runs the early activities once per process: when the application has
    // finished launching, or before when the first request or slot is made.
    void runEarlyActivities();
    // False only when the application has finished launching and runs in the
    // background.
    bool isAppActive();
    bool appFinishedLaunching();
    void setAppFinishedLaunching(bool finished);
    // "iTunesMetadata.plist" beside the documents folder.
    std::optional<std::string> iTunesMetadataPath() const;
    // The install metadata, read once; empty when there is none or it is not
    // a dictionary.
    foundation::Dictionary iTunesMetadata();
    // The given schemes and the component's own, lower-cased; values that
    // are not texts are dropped.
    static std::set<std::string> normalizedWebViewNavigationSchemes(
        const foundation::Array& schemes);

    const GADSession& currentSession() const { return session_; }
    // The application-wide statistics: "session_id", "preqs", "pclick",
    // "seq_num", "basets", "currts" and the slots' request counters.
    const std::shared_ptr<GADStatisticDictionary>& statistics() const { return statistics_; }

    // Per-ad statistics that changed since they were last sent, handed over
    // once: the set is emptied.
    GADStatisticSet pendingAdStatistics();
    // Statistics of a request that was not sent go back to the pending set.
    void didNotSendAdStatistics(const GADStatisticSet& statistics);
    // GADStatisticDictionaryDelegate: ad statistics that change become pending.
    std::shared_ptr<foundation::TaskQueue> notificationQueue() override;
    void didUpdateStatisticDictionary(
        const std::shared_ptr<GADStatisticDictionary>& dictionary) override;

    // The slot's statistics, made on first use.
    std::shared_ptr<GADStatisticDictionary> slotStatisticsForSlotID(const std::string& slotID);
    // Every slot's statistics by slot identifier.
    foundation::Dictionary slotStatisticsDictionary();

    // Request counters; none of them notifies.
    void incrementTotalAdRequestCount();
    void decrementTotalAdRequestCount();
    void incrementTotalAdClickCount();
    void incrementSequenceNumber();
    // Raises "seq_num" and answers the current "preqs" as text.
    std::string nextSequenceNumberAsString();
    // Now less "basets"; 0 before the first request.
    std::uint64_t timeSinceFirstAdRequestInMilliseconds();
    // Stamps and counts the next request of a slot and answers a copy of the
    // statistics: a mediating slot's request lowers "preqs".
    foundation::Dictionary nextRequestStatisticsDictionaryForSlot(bool slotIsMediating);

    // The statistics of the ad whose click takes the user away; on the
    // return their "tclickcurr" and the return time go into "tclick".
    void willLeaveApplicationDueToClickOnAd(const std::shared_ptr<GADStatisticDictionary>& ad);
    void didBecomeActive();

    // Store sheets prepared for a product; a size of 0 drops the cache.
    void setDiscardableStoreProductViewControllerAppCacheMaxSize(std::size_t size);
    // The controller stored for the product, given out once.
    std::shared_ptr<services::StoreProductViewController>
    cachedStoreProductViewControllerForProductID(const std::optional<std::string>& productID);
    void finishedUsingStoreProductViewController(
        const std::shared_ptr<services::StoreProductViewController>& controller,
        const std::optional<std::string>& productID);

    // As in a new process: a new session and fresh statistics.
    void reset();

  private:
    GADApplication();
    void initialize();
    void observeBecomingActive();

    std::mutex lock_;
    bool appFinishedLaunching_ = false;
    std::mutex earlyActivitiesLock_;
    bool earlyActivitiesDone_ = false;
    std::optional<foundation::Dictionary> iTunesMetadata_;
    GADSession session_;
    std::shared_ptr<GADStatisticDictionary> statistics_;
    std::shared_ptr<foundation::DispatchQueue> notificationSerialQueue_;
    std::shared_ptr<foundation::DispatchQueue> statisticsSerialQueue_;
    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    GADStatisticSet adStatistics_;
    std::map<std::string, std::shared_ptr<GADStatisticDictionary>> slotStatistics_;
    std::shared_ptr<GADStatisticDictionary> backgroundingAd_;
    std::unique_ptr<StoreProductCache> storeProductCache_;
    foundation::NotificationCenter::ObserverToken appBecameActiveObserver_;
};
