#pragma once

// Loads a list of image URLs into the cache ahead of need, at low priority,
// a few at a time through an image manager, counting what finished and what
// brought no image.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/TaskQueue.h"
#include "platform/foundation/URL.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"
#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/SDWebImagePrefetcherDelegate.h"

class SDWebImagePrefetcher : public std::enable_shared_from_this<SDWebImagePrefetcher> {
  public:
    using Ptr = std::shared_ptr<SDWebImagePrefetcher>;
    using ProgressBlock =
        std::function<void(std::uint64_t finishedCount, std::uint64_t totalCount)>;
    using CompletionBlock =
        std::function<void(std::uint64_t finishedCount, std::uint64_t skippedCount)>;

    static constexpr int kDefaultMaxConcurrentDownloads = 3;

    // The process's prefetcher; lives for the process.
    static const Ptr& sharedImagePrefetcher();
    // A prefetcher over a manager of its own that shares the process's cache
    // and downloader.
    static Ptr make();
    // Limits the manager's downloader to three downloads at a time.
    static Ptr make(SDWebImageManager::Ptr manager);

    const SDWebImageManager::Ptr& manager() const { return manager_; }

    // Forwarded to the manager's downloader.
    int maxConcurrentDownloads() const;
    void setMaxConcurrentDownloads(int count);

    // Cancels what runs and starts the list, as many at once as the
    // downloader may run. An empty list completes with (0, 0) at once.
    void prefetchURLs(std::vector<foundation::URL> urls, ProgressBlock progress = nullptr,
                      CompletionBlock completion = nullptr);
    // Loads the URL at `index` (nothing past the end of the list).
    void startPrefetchingAtIndex(std::size_t index);
    // Tells the delegate that the list ended.
    void reportStatus();
    // Forgets the list and its counts and cancels every load of the manager.
    void cancelPrefetching();

    std::vector<foundation::URL> prefetchURLs() const;
    std::uint64_t requestedCount() const;
    std::uint64_t skippedCount() const;
    std::uint64_t finishedCount() const;
    // Seconds since the reference date at which the last list started.
    double startedTime() const;

    SDWebImageLoadOptions options = SDWebImageLoadOption::lowPriority;
    // Where further loads are started from; the main queue by default.
    std::shared_ptr<foundation::TaskQueue> prefetcherQueue;
    std::weak_ptr<SDWebImagePrefetcherDelegate> delegate;

  private:
    explicit SDWebImagePrefetcher(SDWebImageManager::Ptr manager);
    bool startNext();
    void load(const foundation::URL& url, std::uint64_t generation);
    void loadFinished(const foundation::URL& url, bool gotImage, std::uint64_t generation);

    const SDWebImageManager::Ptr manager_;
    mutable std::mutex mutex_;
    std::vector<foundation::URL> urls_;
    std::uint64_t requestedCount_ = 0;
    std::uint64_t skippedCount_ = 0;
    std::uint64_t finishedCount_ = 0;
    double startedTime_ = 0;
    // Counts lists, so that a start scheduled for a cancelled list is dropped.
    std::uint64_t generation_ = 0;
    ProgressBlock progressBlock_;
    CompletionBlock completionBlock_;
};
