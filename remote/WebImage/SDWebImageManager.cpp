#include "remote/WebImage/SDWebImageManager.h"

#include <algorithm>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/Thread.h"
#include "platform/net/URLError.h"

namespace {

// Runs `block` on the main thread and returns after it ran.
void deliver(const std::function<void()>& block) {
    foundation::DispatchQueue::runOnMainSync(block);
}

// Failures that say nothing about the URL itself: it may be tried again.
bool isTransient(const foundation::Error& error) {
    using namespace net::URLErrorCode;
    if (error.domain != net::URLErrorDomain) {
        return false;
    }
    for (long code : {notConnectedToInternet, cancelled, timedOut, -1018L, -1020L, cannotFindHost,
                      cannotConnectToHost}) {
        if (error.code == code) {
            return true;
        }
    }
    return false;
}

SDImageDownloadOptions downloaderOptions(SDWebImageLoadOptions options) {
    SDImageDownloadOptions result = 0;
    const std::pair<SDWebImageLoadOptions, SDImageDownloadOptions> table[] = {
        {SDWebImageLoadOption::lowPriority, SDImageDownloadOption::lowPriority},
        {SDWebImageLoadOption::progressiveDownload, SDImageDownloadOption::progressiveDownload},
        {SDWebImageLoadOption::refreshCached, SDImageDownloadOption::useNSURLCache},
        {SDWebImageLoadOption::continueInBackground, SDImageDownloadOption::continueInBackground},
        {SDWebImageLoadOption::handleCookies, SDImageDownloadOption::handleCookies},
        {SDWebImageLoadOption::allowInvalidSSLCertificates,
         SDImageDownloadOption::allowInvalidSSLCertificates},
        {SDWebImageLoadOption::highPriority, SDImageDownloadOption::highPriority},
    };
    for (const auto& [from, to] : table) {
        if ((options & from) != 0) {
            result |= to;
        }
    }
    return result;
}

}  // namespace

const SDWebImageManager::Ptr& SDWebImageManager::sharedManager() {
    static const Ptr* const manager = foundation::ProcessState::withReset(
        new Ptr(make()), [](const Ptr& manager) { manager->cancelAll(); });
    return *manager;
}

SDWebImageManager::Ptr SDWebImageManager::make(SDImageCache::Ptr cache,
                                               SDWebImageDownloader::Ptr downloader) {
    return Ptr(new SDWebImageManager(std::move(cache), std::move(downloader)));
}

SDWebImageManager::SDWebImageManager(SDImageCache::Ptr cache, SDWebImageDownloader::Ptr downloader)
    : imageCache_(std::move(cache)), imageDownloader_(std::move(downloader)) {}

std::string SDWebImageManager::cacheKeyForURL(const std::optional<foundation::URL>& url) const {
    if (!url) {
        return {};
    }
    return cacheKeyFilter ? cacheKeyFilter(*url) : url->absoluteString();
}

std::shared_ptr<SDWebImageCombinedOperation> SDWebImageManager::downloadImageWithURL(
    const std::string& url, SDWebImageLoadOptions options,
    SDWebImageDownloaderProgressBlock progressBlock,
    SDWebImageCompletionWithFinishedBlock completedBlock) {
    return downloadImageWithURL(foundation::URL::fromString(url), options, std::move(progressBlock),
                                std::move(completedBlock));
}

std::shared_ptr<SDWebImageCombinedOperation> SDWebImageManager::downloadImageWithURL(
    const std::optional<foundation::URL>& url, SDWebImageLoadOptions options,
    SDWebImageDownloaderProgressBlock progressBlock,
    SDWebImageCompletionWithFinishedBlock completedBlock) {
    auto operation = std::make_shared<SDWebImageCombinedOperation>();
    std::weak_ptr<SDWebImageCombinedOperation> weak = operation;
    bool failed = false;
    if (url) {
        std::lock_guard lock(failedURLsMutex_);
        failed = failedURLs_.count(url->absoluteString()) != 0;
    }
    if (!url || url->absoluteString().empty() ||
        (failed && (options & SDWebImageLoadOption::retryFailed) == 0)) {
        deliver([&] {
            if (completedBlock) {
                completedBlock(
                    nullptr,
                    foundation::Error{net::URLErrorDomain, net::URLErrorCode::fileDoesNotExist, ""},
                    SDImageCacheSource::none, true, url);
            }
        });
        return operation;
    }
    {
        std::lock_guard lock(runningMutex_);
        runningOperations_.push_back(operation);
    }
    // A load cancelled before its download starts leaves the running list at
    // once, even while its cache query is still waiting.
    std::weak_ptr<SDWebImageManager> manager = weak_from_this();
    operation->setCancelBlock([manager, weak] {
        auto self = manager.lock();
        auto strong = weak.lock();
        if (self && strong) {
            self->remove(strong);
        }
    });
    const std::string key = cacheKeyForURL(url);
    auto self = shared_from_this();
    auto cacheOperation = imageCache_->queryDiskCacheForKey(
        key, [self, weak, url = *url, options, progressBlock, completedBlock](
                 graphics::Image::Ptr image, SDImageCacheSource source) {
            self->queryDone(weak, url, options, progressBlock, completedBlock, std::move(image),
                            source);
        });
    operation->setCacheOperation(std::move(cacheOperation));
    return operation;
}

std::shared_ptr<SDWebImageCombinedOperation> SDWebImageManager::downloadWithURL(
    const std::optional<foundation::URL>& url, SDWebImageLoadOptions options,
    SDWebImageDownloaderProgressBlock progressBlock,
    SDWebImageCompletedWithFinishedBlock completedBlock) {
    return downloadImageWithURL(
        url, options, std::move(progressBlock),
        [completedBlock](graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                         SDImageCacheSource source, bool finished,
                         const std::optional<foundation::URL>&) {
            if (completedBlock) {
                completedBlock(std::move(image), error, source, finished);
            }
        });
}

void SDWebImageManager::queryDone(const std::weak_ptr<SDWebImageCombinedOperation>& weak,
                                  const foundation::URL& url, SDWebImageLoadOptions options,
                                  const SDWebImageDownloaderProgressBlock& progress,
                                  const SDWebImageCompletionWithFinishedBlock& completed,
                                  graphics::Image::Ptr cachedImage, SDImageCacheSource source) {
    auto operation = weak.lock();
    if (!operation) {
        return;
    }
    if (operation->isCancelled()) {
        remove(operation);
        return;
    }
    auto deliverIfLive = [weak, completed](
                             graphics::Image::Ptr image, std::optional<foundation::Error> error,
                             SDImageCacheSource source, bool finished, foundation::URL url) {
        deliver([&] {
            auto strong = weak.lock();
            if (strong && !strong->isCancelled() && completed) {
                completed(image, error, source, finished, url);
            }
        });
    };
    const bool refresh = (options & SDWebImageLoadOption::refreshCached) != 0;
    bool shouldDownload = !cachedImage || refresh;
    if (shouldDownload) {
        if (auto owner = delegate.lock()) {
            shouldDownload =
                owner->imageManagerShouldDownloadImageForURL(*this, url).value_or(true);
        }
    }
    if (!shouldDownload) {
        deliverIfLive(cachedImage, std::nullopt, cachedImage ? source : SDImageCacheSource::none,
                      true, url);
        remove(operation);
        return;
    }
    const bool hadCachedImage = cachedImage != nullptr;
    if (hadCachedImage && refresh) {
        deliver([&] {
            if (completed) {
                completed(cachedImage, std::nullopt, source, true, url);
            }
        });
    }
    SDImageDownloadOptions downloadOptions = downloaderOptions(options);
    if (hadCachedImage && refresh) {
        downloadOptions &= ~SDImageDownloadOption::progressiveDownload;
        downloadOptions |= SDImageDownloadOption::ignoreCachedResponse;
    }
    auto self = shared_from_this();
    auto download = imageDownloader_->downloadImageWithURL(
        url, downloadOptions, progress,
        [self, weak, url, options, completed, hadCachedImage](
            graphics::Image::Ptr image, std::shared_ptr<const foundation::Data> data,
            const std::optional<foundation::Error>& error, bool finished) {
            self->downloadDone(weak, url, options, completed, hadCachedImage, std::move(image),
                               std::move(data), error, finished);
        });
    std::weak_ptr<SDWebImageManager> manager = self;
    operation->setCancelBlock([download, manager, weak] {
        if (download) {
            download->cancel();
        }
        auto strong = weak.lock();
        auto owner = manager.lock();
        if (strong && owner) {
            owner->remove(strong);
        }
    });
}

void SDWebImageManager::downloadDone(const std::weak_ptr<SDWebImageCombinedOperation>& weak,
                                     const foundation::URL& url, SDWebImageLoadOptions options,
                                     const SDWebImageCompletionWithFinishedBlock& completed,
                                     bool hadCachedImage, graphics::Image::Ptr image,
                                     std::shared_ptr<const foundation::Data> data,
                                     const std::optional<foundation::Error>& error, bool finished) {
    auto operation = weak.lock();
    auto deliverIfLive = [weak, completed, url](graphics::Image::Ptr image,
                                                std::optional<foundation::Error> error,
                                                bool finished) {
        deliver([&] {
            auto strong = weak.lock();
            if (strong && !strong->isCancelled() && completed) {
                completed(image, error, SDImageCacheSource::none, finished, url);
            }
        });
    };
    if (operation && !operation->isCancelled()) {
        if (error) {
            // Remembered before the caller hears of it, so a load it starts
            // from its completion already sees the failure.
            if (!isTransient(*error)) {
                std::lock_guard lock(failedURLsMutex_);
                failedURLs_.insert(url.absoluteString());
            }
            deliverIfLive(nullptr, error, finished);
        } else {
            if ((options & SDWebImageLoadOption::retryFailed) != 0) {
                std::lock_guard lock(failedURLsMutex_);
                failedURLs_.erase(url.absoluteString());
            }
            const bool toDisk = (options & SDWebImageLoadOption::cacheMemoryOnly) == 0;
            const std::string key = cacheKeyForURL(url);
            auto owner = delegate.lock();
            const bool refreshed = (options & SDWebImageLoadOption::refreshCached) != 0;
            if (refreshed && hadCachedImage && !image) {
                // The server's answer came from the URL cache: the caller has the image.
            } else if (image && owner && owner->respondsToTransformDownloadedImage() &&
                       (image->images().empty() ||
                        (options & SDWebImageLoadOption::transformAnimatedImage) != 0)) {
                auto self = shared_from_this();
                // The load leaves the running list below, before this ends:
                // the block keeps it alive until its image is delivered.
                foundation::DispatchQueue::global(foundation::DispatchQueue::Priority::High)
                    ->async([self, operation, owner, image, data, key, url, toDisk, finished,
                             deliverIfLive] {
                        auto transformed =
                            owner->imageManagerTransformDownloadedImage(*self, image, url)
                                .value_or(image);
                        if (transformed && finished) {
                            const bool same = transformed == image;
                            self->imageCache_->storeImage(transformed, !same,
                                                          same && data ? data.get() : nullptr, key,
                                                          toDisk);
                        }
                        deliverIfLive(transformed, std::nullopt, finished);
                    });
            } else {
                if (image && finished) {
                    imageCache_->storeImage(image, false, data ? data.get() : nullptr, key, toDisk);
                }
                deliverIfLive(image, std::nullopt, finished);
            }
        }
    }
    if (finished && operation) {
        remove(operation);
    }
}

void SDWebImageManager::remove(const std::shared_ptr<SDWebImageCombinedOperation>& operation) {
    std::lock_guard lock(runningMutex_);
    std::erase(runningOperations_, operation);
}

void SDWebImageManager::saveImageToCache(const graphics::Image::Ptr& image,
                                         const std::optional<foundation::URL>& url) {
    if (image && url) {
        imageCache_->storeImage(image, cacheKeyForURL(url), true);
    }
}

bool SDWebImageManager::cachedImageExistsForURL(const foundation::URL& url) const {
    const std::string key = cacheKeyForURL(url);
    return imageCache_->imageFromMemoryCacheForKey(key) != nullptr ||
           imageCache_->diskImageExistsWithKey(key);
}

bool SDWebImageManager::diskImageExistsForURL(const foundation::URL& url) const {
    return imageCache_->diskImageExistsWithKey(cacheKeyForURL(url));
}

void SDWebImageManager::cachedImageExistsForURL(
    const foundation::URL& url, SDImageCache::CheckCacheCompletionBlock completion) {
    const std::string key = cacheKeyForURL(url);
    if (imageCache_->imageFromMemoryCacheForKey(key) != nullptr) {
        if (completion) {
            foundation::DispatchQueue::main()->async([completion] { completion(true); });
        }
        return;
    }
    imageCache_->diskImageExistsWithKey(key, std::move(completion));
}

void SDWebImageManager::diskImageExistsForURL(const foundation::URL& url,
                                              SDImageCache::CheckCacheCompletionBlock completion) {
    imageCache_->diskImageExistsWithKey(cacheKeyForURL(url), std::move(completion));
}

void SDWebImageManager::cancelAll() {
    std::vector<std::shared_ptr<SDWebImageCombinedOperation>> copy;
    {
        std::lock_guard lock(runningMutex_);
        copy = std::move(runningOperations_);
        runningOperations_.clear();
    }
    for (const auto& operation : copy) {
        operation->cancel();
    }
}

bool SDWebImageManager::isRunning() const {
    std::lock_guard lock(runningMutex_);
    return !runningOperations_.empty();
}
