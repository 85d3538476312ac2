#include "remote/WebImage/SDWebImagePrefetcher.h"

#include "platform/foundation/Date.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"

const SDWebImagePrefetcher::Ptr& SDWebImagePrefetcher::sharedImagePrefetcher() {
    static const Ptr* const prefetcher = foundation::ProcessState::withReset(
        new Ptr(make()), [](const Ptr& prefetcher) { prefetcher->cancelPrefetching(); });
    return *prefetcher;
}

SDWebImagePrefetcher::Ptr SDWebImagePrefetcher::make() {
    return make(SDWebImageManager::make());
}

SDWebImagePrefetcher::Ptr SDWebImagePrefetcher::make(SDWebImageManager::Ptr manager) {
    return Ptr(new SDWebImagePrefetcher(std::move(manager)));
}

SDWebImagePrefetcher::SDWebImagePrefetcher(SDWebImageManager::Ptr manager)
    : prefetcherQueue(foundation::DispatchQueue::main()), manager_(std::move(manager)) {
    setMaxConcurrentDownloads(kDefaultMaxConcurrentDownloads);
}

int SDWebImagePrefetcher::maxConcurrentDownloads() const {
    return manager_->imageDownloader()->maxConcurrentDownloads();
}

void SDWebImagePrefetcher::setMaxConcurrentDownloads(int count) {
    manager_->imageDownloader()->setMaxConcurrentDownloads(count);
}

void SDWebImagePrefetcher::prefetchURLs(std::vector<foundation::URL> urls, ProgressBlock progress,
                                        CompletionBlock completion) {
    cancelPrefetching();
    bool empty = false;
    {
        std::lock_guard lock(mutex_);
        startedTime_ = foundation::Date::now().timeIntervalSinceReferenceDate();
        urls_ = std::move(urls);
        empty = urls_.empty();
        progressBlock_ = progress;
        completionBlock_ = completion;
    }
    if (empty) {
        if (completion) {
            completion(0, 0);
        }
        return;
    }
    const int limit = maxConcurrentDownloads();
    for (int started = 0; started < limit && startNext(); ++started) {
    }
}

void SDWebImagePrefetcher::startPrefetchingAtIndex(std::size_t index) {
    std::optional<foundation::URL> url;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        if (index >= urls_.size()) {
            return;
        }
        ++requestedCount_;
        url = urls_[index];
        generation = generation_;
    }
    load(*url, generation);
}

// Starts the first URL not yet requested. The index is taken when the start
// runs, not when it was scheduled: a load answered at once from memory must
// not have the next URL started twice.
bool SDWebImagePrefetcher::startNext() {
    std::optional<foundation::URL> url;
    std::size_t index = 0;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        if (requestedCount_ >= urls_.size()) {
            return false;
        }
        index = static_cast<std::size_t>(requestedCount_++);
        url = urls_[index];
        generation = generation_;
    }
    load(*url, generation);
    return true;
}

void SDWebImagePrefetcher::load(const foundation::URL& url, std::uint64_t generation) {
    auto self = shared_from_this();
    manager_->downloadImageWithURL(
        url, options, nullptr,
        [self, url, generation](graphics::Image::Ptr image, const std::optional<foundation::Error>&,
                                SDImageCacheSource, bool finished,
                                const std::optional<foundation::URL>&) {
            if (finished) {
                self->loadFinished(url, image != nullptr, generation);
            }
        });
}

void SDWebImagePrefetcher::loadFinished(const foundation::URL& url, bool gotImage,
                                        std::uint64_t generation) {
    ProgressBlock progress;
    std::uint64_t finished = 0;
    std::uint64_t total = 0;
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_) {
            return;
        }
        finished = ++finishedCount_;
        total = urls_.size();
        progress = progressBlock_;
        if (!gotImage) {
            ++skippedCount_;
        }
    }
    if (progress) {
        progress(finished, total);
    }
    if (auto owner = delegate.lock()) {
        owner->imagePrefetcherDidPrefetchURL(*this, url, finished, total);
    }
    CompletionBlock completion;
    std::uint64_t skipped = 0;
    bool more = false;
    bool ended = false;
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_) {
            return;
        }
        more = urls_.size() > requestedCount_;
        if (!more && finishedCount_ == requestedCount_) {
            ended = true;
            finished = finishedCount_;
            skipped = skippedCount_;
            completion = std::move(completionBlock_);
            completionBlock_ = nullptr;
            progressBlock_ = nullptr;
        }
    }
    if (more) {
        auto self = shared_from_this();
        prefetcherQueue->async([self, generation] {
            bool current = false;
            {
                std::lock_guard lock(self->mutex_);
                current = generation == self->generation_;
            }
            if (current) {
                self->startNext();
            }
        });
    } else if (ended) {
        reportStatus();
        if (completion) {
            completion(finished, skipped);
        }
    }
}

void SDWebImagePrefetcher::reportStatus() {
    std::uint64_t total = 0;
    std::uint64_t skipped = 0;
    {
        std::lock_guard lock(mutex_);
        total = urls_.size() - skippedCount_;
        skipped = skippedCount_;
    }
    if (auto owner = delegate.lock()) {
        owner->imagePrefetcherDidFinish(*this, total, skipped);
    }
}

void SDWebImagePrefetcher::cancelPrefetching() {
    {
        std::lock_guard lock(mutex_);
        urls_.clear();
        requestedCount_ = 0;
        skippedCount_ = 0;
        finishedCount_ = 0;
        ++generation_;
    }
    manager_->cancelAll();
}

std::vector<foundation::URL> SDWebImagePrefetcher::prefetchURLs() const {
    std::lock_guard lock(mutex_);
    return urls_;
}

std::uint64_t SDWebImagePrefetcher::requestedCount() const {
    std::lock_guard lock(mutex_);
    return requestedCount_;
}

std::uint64_t SDWebImagePrefetcher::skippedCount() const {
    std::lock_guard lock(mutex_);
    return skippedCount_;
}

std::uint64_t SDWebImagePrefetcher::finishedCount() const {
    std::lock_guard lock(mutex_);
    return finishedCount_;
}

double SDWebImagePrefetcher::startedTime() const {
    std::lock_guard lock(mutex_);
    return startedTime_;
}
