#include "ads/foundation/GADApplication.h"

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADMacros.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/Application.h"

namespace {

// As the program loads, before any launch: hears the launch once it is done,
// so that a backgrounded application counts as inactive only after launching.
[[maybe_unused]] const bool kObservesLaunch = [] {
    foundation::NotificationCenter::defaultCenter().addObserver(
        ui::ApplicationDidFinishLaunchingNotification, nullptr, nullptr,
        [](const foundation::Notification&) {
            GADApplication& application = GADApplication::sharedApplication();
            application.setAppFinishedLaunching(true);
            application.runEarlyActivities();
        });
    return true;
}();

std::function<void()>& earlyActivities() {
    static auto* const activities = new std::function<void()>();
    return *activities;
}

}  // namespace

GADApplication& GADApplication::sharedApplication() {
    static std::shared_ptr<GADApplication>* const application = [] {
        auto* made = new std::shared_ptr<GADApplication>(new GADApplication);
        (*made)->observeBecomingActive();
        return foundation::ProcessState::withReset(
            made, [](std::shared_ptr<GADApplication>& app) { app->reset(); });
    }();
    return **application;
}

GADApplication::GADApplication()
    : notificationSerialQueue_(
          foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.application-notification")),
      statisticsSerialQueue_(
          foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.application-statistics")),
      lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.application-ivar-lock")) {
    initialize();
}

GADApplication::~GADApplication() {
    foundation::NotificationCenter::defaultCenter().removeObserver(appBecameActiveObserver_);
    statistics_->didFinishModifying();
}

void GADApplication::initialize() {
    session_ = GADSession();
    statistics_ = GADStatisticDictionary::make();
    adStatistics_.clear();
    slotStatistics_.clear();
    backgroundingAd_.reset();
    statistics_->setObject("session_id", session_.sessionIDAsString(), false);
    // The first request of a slot that is not mediating then reports 0.
    statistics_->decrementNumberForKey("preqs", false);
    storeProductCache_ = std::make_unique<StoreProductCache>();
    storeProductCache_->setCountLimit(1);
}

void GADApplication::observeBecomingActive() {
    std::weak_ptr<GADApplication> weakSelf = weak_from_this();
    appBecameActiveObserver_ = foundation::NotificationCenter::defaultCenter().addObserver(
        ui::ApplicationDidBecomeActiveNotification, nullptr, foundation::OperationQueue::main(),
        [weakSelf](const foundation::Notification&) {
            if (auto self = weakSelf.lock()) {
                self->didBecomeActive();
            }
        });
}

void GADApplication::setEarlyActivities(std::function<void()> activities) {
    earlyActivities() = std::move(activities);
}

void GADApplication::runEarlyActivities() {
    std::lock_guard<std::mutex> lock(earlyActivitiesLock_);
    if (earlyActivitiesDone_) {
        return;
    }
    earlyActivitiesDone_ = true;
    if (earlyActivities()) {
        earlyActivities()();
    }
}

bool GADApplication::isAppActive() {
    bool background = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        background =
            ui::Application::shared().applicationState() == ui::ApplicationState::background;
    });
    return !(background && appFinishedLaunching());
}

bool GADApplication::appFinishedLaunching() {
    std::lock_guard<std::mutex> lock(lock_);
    return appFinishedLaunching_;
}

void GADApplication::setAppFinishedLaunching(bool finished) {
    std::lock_guard<std::mutex> lock(lock_);
    appFinishedLaunching_ = finished;
}

std::optional<std::string> GADApplication::iTunesMetadataPath() const {
    std::string documents = foundation::ApplicationHome::documents();
    if (documents.empty()) {
        return std::nullopt;
    }
    return foundation::standardizingPath(documents + "/../iTunesMetadata.plist");
}

foundation::Dictionary GADApplication::iTunesMetadata() {
    std::lock_guard<std::mutex> lock(lock_);
    if (!iTunesMetadata_) {
        foundation::Dictionary metadata;
        if (std::optional<std::string> path = iTunesMetadataPath()) {
            std::optional<foundation::Value> value = foundation::PropertyList::readFile(*path);
            if (value && value->isDictionary()) {
                metadata = *value->asDictionary();
            }
        }
        iTunesMetadata_ = std::move(metadata);
    }
    return *iTunesMetadata_;
}

std::set<std::string> GADApplication::normalizedWebViewNavigationSchemes(
    const foundation::Array& schemes) {
    std::set<std::string> normalized = {"http", "https", "file", "about", "publishertoolbar",
                                        "gmsg"};
    for (const foundation::Value& scheme : schemes) {
        if (const std::string* text = scheme.asString()) {
            normalized.insert(foundation::lowercase(*text));
        }
    }
    return normalized;
}

GADStatisticSet GADApplication::pendingAdStatistics() {
    GADStatisticSet pending;
    notificationSerialQueue_->sync([&] { pending.swap(adStatistics_); });
    return pending;
}

void GADApplication::didNotSendAdStatistics(const GADStatisticSet& statistics) {
    notificationSerialQueue_->sync(
        [&] { adStatistics_.insert(statistics.begin(), statistics.end()); });
}

std::shared_ptr<foundation::TaskQueue> GADApplication::notificationQueue() {
    return notificationSerialQueue_;
}

void GADApplication::didUpdateStatisticDictionary(
    const std::shared_ptr<GADStatisticDictionary>& dictionary) {
    adStatistics_.insert(dictionary);
}

std::shared_ptr<GADStatisticDictionary> GADApplication::slotStatisticsForSlotID(
    const std::string& slotID) {
    std::shared_ptr<GADStatisticDictionary> statistics;
    statisticsSerialQueue_->sync([&] {
        std::shared_ptr<GADStatisticDictionary>& stored = slotStatistics_[slotID];
        if (!stored) {
            stored = GADStatisticDictionary::make();
        }
        statistics = stored;
    });
    return statistics;
}

foundation::Dictionary GADApplication::slotStatisticsDictionary() {
    foundation::Dictionary dictionary;
    statisticsSerialQueue_->sync([&] {
        for (const auto& [slotID, statistics] : slotStatistics_) {
            dictionary[slotID] = statistics->dictionary();
        }
    });
    return dictionary;
}

void GADApplication::incrementTotalAdRequestCount() {
    statistics_->incrementNumberForKey("preqs", false);
}

void GADApplication::decrementTotalAdRequestCount() {
    statistics_->decrementNumberForKey("preqs", false);
}

void GADApplication::incrementTotalAdClickCount() {
    statistics_->incrementNumberForKey("pclick", false);
}

void GADApplication::incrementSequenceNumber() {
    statistics_->incrementNumberForKey("seq_num", false);
}

std::string GADApplication::nextSequenceNumberAsString() {
    std::string requests;
    statisticsSerialQueue_->sync([&] {
        incrementSequenceNumber();
        requests = statistics_->objectForKey("preqs").stringValue();
    });
    return requests;
}

std::uint64_t GADApplication::timeSinceFirstAdRequestInMilliseconds() {
    foundation::Value first = statistics_->objectForKey("basets");
    if (!first.isNumber()) {
        return 0;
    }
    return GADAbsoluteTime::absoluteTimeInMilliseconds() - first.unsignedValue();
}

foundation::Dictionary GADApplication::nextRequestStatisticsDictionaryForSlot(
    bool slotIsMediating) {
    foundation::Dictionary next;
    statisticsSerialQueue_->sync([&] {
        std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
        statistics_->setObject("currts", now, false);
        if (statistics_->objectForKey("basets").isNull()) {
            statistics_->setObject("basets", now, false);
        }
        incrementSequenceNumber();
        if (slotIsMediating) {
            decrementTotalAdRequestCount();
        } else {
            incrementTotalAdRequestCount();
        }
        next = statistics_->dictionary();
    });
    return next;
}

void GADApplication::willLeaveApplicationDueToClickOnAd(
    const std::shared_ptr<GADStatisticDictionary>& ad) {
    statisticsSerialQueue_->async([this, ad] { backgroundingAd_ = ad; });
}

void GADApplication::didBecomeActive() {
    std::shared_ptr<GADStatisticDictionary> ad;
    statisticsSerialQueue_->sync([&] { ad = std::move(backgroundingAd_); });
    if (!ad) {
        return;
    }
    std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    foundation::Value clickTime = ad->objectForKey("tclickcurr");
    if (!clickTime.isNull()) {
        ad->addObjectToArrayWithKey(foundation::Array{clickTime, now}, "tclick", true);
    }
}

void GADApplication::setDiscardableStoreProductViewControllerAppCacheMaxSize(std::size_t size) {
    lockQueue_->sync([&] {
        if (size == 0) {
            storeProductCache_.reset();
            return;
        }
        if (!storeProductCache_) {
            storeProductCache_ = std::make_unique<StoreProductCache>();
        }
        storeProductCache_->setCountLimit(size);
    });
}

std::shared_ptr<services::StoreProductViewController>
GADApplication::cachedStoreProductViewControllerForProductID(
    const std::optional<std::string>& productID) {
    std::shared_ptr<services::StoreProductViewController> controller;
    if (!productID) {
        return controller;
    }
    lockQueue_->sync([&] {
        if (storeProductCache_) {
            controller = storeProductCache_->takeObjectForKey(*productID).value_or(nullptr);
        }
    });
    return controller;
}

void GADApplication::finishedUsingStoreProductViewController(
    const std::shared_ptr<services::StoreProductViewController>& controller,
    const std::optional<std::string>& productID) {
    if (!controller || !productID) {
        return;
    }
    lockQueue_->sync([&] {
        if (storeProductCache_) {
            storeProductCache_->setObject(*productID, controller);
        }
    });
}

void GADApplication::reset() {
    {
        std::lock_guard<std::mutex> lock(lock_);
        appFinishedLaunching_ = false;
        iTunesMetadata_.reset();
    }
    {
        std::lock_guard<std::mutex> lock(earlyActivitiesLock_);
        earlyActivitiesDone_ = false;
    }
    notificationSerialQueue_->sync([] {});
    statisticsSerialQueue_->sync([] {});
    initialize();
}
