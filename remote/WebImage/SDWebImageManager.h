#pragma once

// The one way remote images are loaded: from the image cache, else (or on a
// refresh) from the downloader, storing what was downloaded and remembering
// URLs that failed for good. Every completion reaches the caller on the main
// thread; a cancelled load never completes afterwards.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "remote/WebImage/SDImageCache.h"
#include "remote/WebImage/SDWebImageCombinedOperation.h"
#include "remote/WebImage/SDWebImageDownloader.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"
#include "remote/WebImage/SDWebImageManagerDelegate.h"

using SDWebImageCompletionWithFinishedBlock = std::function<void(
    graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
    SDImageCacheSource source, bool finished, const std::optional<foundation::URL>& imageURL)>;

// The older completion, without the URL.
using SDWebImageCompletedWithFinishedBlock =
    std::function<void(graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                       SDImageCacheSource source, bool finished)>;

class SDWebImageManager : public std::enable_shared_from_this<SDWebImageManager> {
  public:
    using Ptr = std::shared_ptr<SDWebImageManager>;
    using CacheKeyFilter = std::function<std::string(const foundation::URL&)>;

    // The process's manager over the shared cache and downloader.
    static const Ptr& sharedManager();
    static Ptr make(
        SDImageCache::Ptr cache = SDImageCache::sharedImageCache(),
        SDWebImageDownloader::Ptr downloader = SDWebImageDownloader::sharedDownloader());

    const SDImageCache::Ptr& imageCache() const { return imageCache_; }
    const SDWebImageDownloader::Ptr& imageDownloader() const { return imageDownloader_; }

    // The filter's key when there is a filter, else the absolute string.
    std::string cacheKeyForURL(const std::optional<foundation::URL>& url) const;

    // Never nullptr. An empty URL, or one that failed for good without
    // retryFailed, completes at once with the URL-loading error -1100.
    std::shared_ptr<SDWebImageCombinedOperation> downloadImageWithURL(
        const std::optional<foundation::URL>& url, SDWebImageLoadOptions options,
        SDWebImageDownloaderProgressBlock progressBlock,
        SDWebImageCompletionWithFinishedBlock completedBlock);
    std::shared_ptr<SDWebImageCombinedOperation> downloadImageWithURL(
        const std::string& url, SDWebImageLoadOptions options,
        SDWebImageDownloaderProgressBlock progressBlock,
        SDWebImageCompletionWithFinishedBlock completedBlock);

    // The older form of downloadImageWithURL; a null block hears nothing.
    std::shared_ptr<SDWebImageCombinedOperation> downloadWithURL(
        const std::optional<foundation::URL>& url, SDWebImageLoadOptions options,
        SDWebImageDownloaderProgressBlock progressBlock,
        SDWebImageCompletedWithFinishedBlock completedBlock);

    void saveImageToCache(const graphics::Image::Ptr& image,
                          const std::optional<foundation::URL>& url);
    bool cachedImageExistsForURL(const foundation::URL& url) const;
    bool diskImageExistsForURL(const foundation::URL& url) const;
    // The answers come on the main queue, a memory hit's too.
    void cachedImageExistsForURL(const foundation::URL& url,
                                 SDImageCache::CheckCacheCompletionBlock completion);
    void diskImageExistsForURL(const foundation::URL& url,
                               SDImageCache::CheckCacheCompletionBlock completion);

    void cancelAll();
    bool isRunning() const;

    std::weak_ptr<SDWebImageManagerDelegate> delegate;
    CacheKeyFilter cacheKeyFilter;

  private:
    SDWebImageManager(SDImageCache::Ptr cache, SDWebImageDownloader::Ptr downloader);
    void queryDone(const std::weak_ptr<SDWebImageCombinedOperation>& weak,
                   const foundation::URL& url, SDWebImageLoadOptions options,
                   const SDWebImageDownloaderProgressBlock& progress,
                   const SDWebImageCompletionWithFinishedBlock& completed,
                   graphics::Image::Ptr cachedImage, SDImageCacheSource source);
    void downloadDone(const std::weak_ptr<SDWebImageCombinedOperation>& weak,
                      const foundation::URL& url, SDWebImageLoadOptions options,
                      const SDWebImageCompletionWithFinishedBlock& completed, bool hadCachedImage,
                      graphics::Image::Ptr image, std::shared_ptr<const foundation::Data> data,
                      const std::optional<foundation::Error>& error, bool finished);
    void remove(const std::shared_ptr<SDWebImageCombinedOperation>& operation);

    SDImageCache::Ptr imageCache_;
    SDWebImageDownloader::Ptr imageDownloader_;
    mutable std::mutex failedURLsMutex_;
    std::set<std::string> failedURLs_;
    mutable std::mutex runningMutex_;
    std::vector<std::shared_ptr<SDWebImageCombinedOperation>> runningOperations_;
};
