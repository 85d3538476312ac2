#pragma once

// Fire-and-forget pings: one click tracker per URL, each kept alive until it
// reported, then dropped by a clean-up on the main queue that retires every
// finished tracker at once; one whose background task ran out is dropped at
// once. Main thread.

#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "ads/foundation/GADClickTracker.h"
#include "ads/foundation/GADClickTrackerDelegate.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

class GADClickTrackerCollection : public GADClickTrackerDelegate,
                                  public std::enable_shared_from_this<GADClickTrackerCollection> {
  public:
    using Trackers = std::set<std::shared_ptr<GADClickTracker>>;

    // The process's collection, made on first use.
    static GADClickTrackerCollection& sharedInstance();

    GADClickTrackerCollection() = default;
    ~GADClickTrackerCollection() override;

    // Strings are read as URLs; anything else, and a string that makes no
    // URL, is skipped.
    void trackURLs(const foundation::Array& urls, bool cacheEnabled);
    void trackURLs(const std::vector<foundation::URL>& urls, bool cacheEnabled);
    // No URL starts no tracker.
    void trackURL(const std::optional<foundation::URL>& url, bool cacheEnabled);
    void trackURL(const std::optional<foundation::URL>& url) { trackURL(url, true); }

    void trackerDidRedirect(GADClickTracker& tracker,
                            const std::optional<foundation::URL>& finalURL) override;
    void trackerDidFailWithError(GADClickTracker& tracker,
                                 const std::optional<foundation::Error>& error) override;
    void trackerDidExpire(GADClickTracker& tracker) override;
    // Drops every tracker that has tracked; the others stay.
    void cleanupTrackers();

    const Trackers& trackers() const { return trackers_; }
    void setTrackers(Trackers trackers) { trackers_ = std::move(trackers); }

    // Resets and drops every tracker.
    void reset();

  private:
    void scheduleCleanup();

    Trackers trackers_;
};
