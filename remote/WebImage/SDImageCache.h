#pragma once

// Downloaded images kept in two levels: a memory cache and a folder of image
// files, one per key, named by the MD5 of the key. Disk work runs in order on
// one serial I/O queue; answers come back on the main queue.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/Operation.h"
#include "platform/graphics/Image.h"
#include "remote/WebImage/AutoPurgeCache.h"
#include "remote/WebImage/SDImageCacheSource.h"

class SDImageCache : public std::enable_shared_from_this<SDImageCache> {
  public:
    using Ptr = std::shared_ptr<SDImageCache>;
    using QueryCompletedBlock = std::function<void(graphics::Image::Ptr, SDImageCacheSource)>;
    using NoParamsBlock = std::function<void()>;
    using CheckCacheCompletionBlock = std::function<void(bool)>;
    using CalculateSizeBlock = std::function<void(std::size_t fileCount, std::uint64_t totalSize)>;

    static constexpr const char* kNamespacePrefix = "com.morvane.SDWebImageCache.";
    static constexpr const char* kIOQueueLabel = "com.morvane.SDWebImageCache";
    static constexpr std::int64_t kDefaultMaxCacheAge = 60 * 60 * 24 * 7;

    // The process's cache, namespace "default"; lives for the process.
    static const Ptr& sharedImageCache();
    // initWithNamespace:diskCacheDirectory: ; without a directory, the
    // namespace's folder under Caches.
    static Ptr make(const std::string& ns, std::optional<std::string> directory = std::nullopt);
    static std::string makeDiskCachePath(const std::string& ns);
    ~SDImageCache();

    const std::string& diskCachePath() const { return diskCachePath_; }
    void addReadOnlyCachePath(const std::string& path);

    // Nothing for a null image or an empty key. The memory level takes the
    // image at once; the file is written later on the I/O queue.
    void storeImage(const graphics::Image::Ptr& image, bool recalculateFromImage,
                    const foundation::Data* imageData, const std::string& key, bool toDisk);
    void storeImage(const graphics::Image::Ptr& image, const std::string& key, bool toDisk = true);

    graphics::Image::Ptr imageFromMemoryCacheForKey(const std::string& key) const;
    // Memory first, then the disk read on the calling thread.
    graphics::Image::Ptr imageFromDiskCacheForKey(const std::string& key);
    // Answers a memory hit (or an empty key) at once and returns nullptr;
    // otherwise reads the disk on the I/O queue and answers on the main
    // queue, unless the returned operation was cancelled first.
    std::shared_ptr<foundation::Operation> queryDiskCacheForKey(const std::string& key,
                                                                QueryCompletedBlock done);
    bool diskImageExistsWithKey(const std::string& key) const;
    void diskImageExistsWithKey(const std::string& key, CheckCacheCompletionBlock completion);
    std::optional<foundation::Data> diskImageDataBySearchingAllPathsForKey(
        const std::string& key) const;
    graphics::Image::Ptr diskImageForKey(const std::string& key) const;

    void removeImageForKey(const std::string& key, bool fromDisk = true,
                           NoParamsBlock completion = nullptr);

    std::size_t maxMemoryCost() const { return memCache_.totalCostLimit(); }
    void setMaxMemoryCost(std::size_t cost) { memCache_.setTotalCostLimit(cost); }
    std::size_t maxMemoryCountLimit() const { return memCache_.countLimit(); }
    void setMaxMemoryCountLimit(std::size_t limit) { memCache_.setCountLimit(limit); }
    void clearMemory() { memCache_.removeAllObjects(); }
    const AutoPurgeCache& memCache() const { return memCache_; }

    void clearDisk(NoParamsBlock completion = nullptr);
    // Removes files older than maxCacheAge, then the oldest files until the
    // folder is under half of maxCacheSize when it was over it.
    void cleanDisk(NoParamsBlock completion = nullptr);
    void backgroundCleanDisk();

    std::uint64_t getSize() const;
    std::size_t getDiskCount() const;
    void calculateSize(CalculateSizeBlock completion) const;

    std::string cachedFileNameForKey(const std::string& key) const;
    std::string cachePathForKey(const std::string& key, const std::string& path) const;
    std::string defaultCachePathForKey(const std::string& key) const;

    bool shouldDecompressImages = true;
    bool shouldCacheImagesInMemory = true;
    bool shouldDisableiCloud = true;
    std::int64_t maxCacheAge = kDefaultMaxCacheAge;
    std::uint64_t maxCacheSize = 0;

    // Blocks until the I/O queue ran everything handed to it so far.
    void waitForIO() const;

  private:
    SDImageCache(const std::string& ns, const std::string& diskCachePath);
    void observeApplication();
    void writeFile(const graphics::Image::Ptr& image, bool recalculate,
                   std::optional<foundation::Data> data, const std::string& key);
    std::size_t costFor(const graphics::Image::Ptr& image) const;

    AutoPurgeCache memCache_;
    std::string diskCachePath_;
    mutable std::mutex customPathsMutex_;
    std::vector<std::string> customPaths_;
    std::shared_ptr<foundation::DispatchQueue> ioQueue_;
    std::vector<foundation::NotificationCenter::ObserverToken> observers_;
};
