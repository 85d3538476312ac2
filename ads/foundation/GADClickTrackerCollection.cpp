#include "ads/foundation/GADClickTrackerCollection.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"

GADClickTrackerCollection& GADClickTrackerCollection::sharedInstance() {
    // Held by a shared pointer that is never released, so its trackers can
    // refer to it weakly.
    static const std::shared_ptr<GADClickTrackerCollection>* const shared =
        foundation::ProcessState::withReset(
            new std::shared_ptr<GADClickTrackerCollection>(
                std::make_shared<GADClickTrackerCollection>()),
            [](const std::shared_ptr<GADClickTrackerCollection>& collection) {
                collection->reset();
            });
    return **shared;
}

GADClickTrackerCollection::~GADClickTrackerCollection() {
    reset();
}

void GADClickTrackerCollection::trackURLs(const foundation::Array& urls, bool cacheEnabled) {
    for (const foundation::Value& element : urls) {
        if (!element.isString()) {
            continue;
        }
        if (auto url = foundation::URL::fromString(element.stringValue())) {
            trackURL(url, cacheEnabled);
        }
    }
}

void GADClickTrackerCollection::trackURLs(const std::vector<foundation::URL>& urls,
                                          bool cacheEnabled) {
    for (const foundation::URL& url : urls) {
        trackURL(url, cacheEnabled);
    }
}

void GADClickTrackerCollection::trackURL(const std::optional<foundation::URL>& url,
                                         bool cacheEnabled) {
    // A tracker without a URL would never report, so it would never leave.
    if (!url) {
        return;
    }
    auto tracker = std::make_shared<GADClickTracker>();
    tracker->setDelegate(weak_from_this());
    tracker->setCacheEnabled(cacheEnabled);
    tracker->trackURL(url);
    trackers_.insert(tracker);
}

void GADClickTrackerCollection::trackerDidRedirect(GADClickTracker&,
                                                   const std::optional<foundation::URL>&) {
    scheduleCleanup();
}

void GADClickTrackerCollection::trackerDidFailWithError(GADClickTracker&,
                                                        const std::optional<foundation::Error>&) {
    scheduleCleanup();
}

void GADClickTrackerCollection::trackerDidExpire(GADClickTracker& tracker) {
    // It will never report: nothing else would let it go.
    tracker.setDelegate({});
    trackers_.erase(tracker.shared_from_this());
}

void GADClickTrackerCollection::cleanupTrackers() {
    for (auto it = trackers_.begin(); it != trackers_.end();) {
        if ((*it)->hasTracked()) {
            (*it)->setDelegate({});
            it = trackers_.erase(it);
        } else {
            ++it;
        }
    }
}

void GADClickTrackerCollection::reset() {
    const Trackers trackers = std::move(trackers_);
    trackers_.clear();
    for (const auto& tracker : trackers) {
        tracker->reset();
    }
}

void GADClickTrackerCollection::scheduleCleanup() {
    std::weak_ptr<GADClickTrackerCollection> weak = weak_from_this();
    foundation::DispatchQueue::main()->async([weak] {
        if (auto collection = weak.lock()) {
            collection->cleanupTrackers();
        }
    });
}
