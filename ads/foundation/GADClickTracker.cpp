#include "ads/foundation/GADClickTracker.h"

#include "platform/foundation/StringUtilities.h"

GADClickTracker::~GADClickTracker() {
    dropCachedFile();
    endBackgroundTask();
}

void GADClickTracker::trackURL(const std::optional<foundation::URL>& url) {
    reset();
    if (!url) {
        return;
    }
    beginBackgroundTask();
    cachedFile_ = GADCachedFile::make(*url);
    cachedFile_->setDelegate(weak_from_this());
    if (!cacheEnabled_) {
        cachedFile_->setCachePolicy(net::URLRequestCachePolicy::reloadIgnoringLocalCacheData);
    }
    auto file = cachedFile_;
    file->validate();
}

void GADClickTracker::reset() {
    hasTracked_ = false;
    dropCachedFile();
    endBackgroundTask();
}

std::optional<foundation::Error> GADClickTracker::cachedFileShouldRedirectToURL(
    GADCachedFile& file, const foundation::URL& url) {
    if (foundation::lowercase(url.scheme()).starts_with("http")) {
        return std::nullopt;
    }
    cachedFileDownloadDidEnd(file);
    return foundation::Error{kGADClickTrackerErrorDomain, 0, ""};
}

void GADClickTracker::cachedFileDownloadDidEnd(GADCachedFile& file) {
    if (hasTracked_) {
        return;
    }
    hasTracked_ = true;
    auto self = shared_from_this();
    if (auto delegate = delegate_.lock()) {
        delegate->trackerDidRedirect(*this, file.HTTPDestinationURL());
    }
    endBackgroundTask();
}

void GADClickTracker::cachedFileDownloadDidFail(GADCachedFile&,
                                                const std::optional<foundation::Error>& error) {
    if (hasTracked_) {
        return;
    }
    hasTracked_ = true;
    auto self = shared_from_this();
    if (auto delegate = delegate_.lock()) {
        delegate->trackerDidFailWithError(*this, error);
    }
    endBackgroundTask();
}

void GADClickTracker::beginBackgroundTask() {
    auto self = shared_from_this();
    backgroundTask_ = ui::Application::shared().beginBackgroundTask([self] {
        self->reset();
        if (auto delegate = self->delegate()) {
            delegate->trackerDidExpire(*self);
        }
    });
}

void GADClickTracker::endBackgroundTask() {
    if (backgroundTask_ != ui::BackgroundTaskInvalid) {
        ui::Application::shared().endBackgroundTask(backgroundTask_);
        backgroundTask_ = ui::BackgroundTaskInvalid;
    }
}

void GADClickTracker::dropCachedFile() {
    if (!cachedFile_) {
        return;
    }
    auto file = std::move(cachedFile_);
    file->setDelegate({});
    file->invalidate();
}
