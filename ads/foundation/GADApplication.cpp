#include "ads/foundation/GADApplication.h"

#include "ads/foundation/GADMacros.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/PropertyList.h"
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

}  // namespace

GADApplication& GADApplication::sharedApplication() {
    static GADApplication* application = new GADApplication;
    return *application;
}

void GADApplication::runEarlyActivities() {
    std::call_once(earlyActivities_, [] {});
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

void GADApplication::reset() {
    std::lock_guard<std::mutex> lock(lock_);
    appFinishedLaunching_ = false;
    iTunesMetadata_.reset();
}
