#include "remote/WebImage/SDImageCache.h"

#include <algorithm>
#include <array>

#include "platform/crypto/Digest.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/ProcessState.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Application.h"
#include "remote/WebImage/SDScaledImageForKey.h"
#include "remote/WebImage/UIImageForceDecode.h"
#include "remote/WebImage/UIImageMultiFormat.h"

namespace {

constexpr std::array<std::uint8_t, 8> kPNGSignature = {0x89, 0x50, 0x4E, 0x47,
                                                       0x0D, 0x0A, 0x1A, 0x0A};

bool beginsWithPNGSignature(const foundation::Data& data) {
    return data.size() >= kPNGSignature.size() &&
           std::equal(kPNGSignature.begin(), kPNGSignature.end(), data.begin());
}

bool isOpaque(const graphics::Image::Ptr& image) {
    using graphics::AlphaInfo;
    const auto info = image->bitmap() ? image->bitmap()->alphaInfo() : AlphaInfo::none;
    return info == AlphaInfo::none || info == AlphaInfo::noneSkipLast ||
           info == AlphaInfo::noneSkipFirst;
}

std::optional<foundation::Data> encode(const graphics::Image::Ptr& image, bool asPNG) {
    if (!image->bitmap()) {
        return std::nullopt;
    }
    return asPNG ? graphics::PNGCodec::encode(*image->bitmap())
                 : graphics::JPEGCodec::encode(*image->bitmap(), 1.0, 1);
}

}  // namespace

const SDImageCache::Ptr& SDImageCache::sharedImageCache() {
    static const Ptr* const cache =
        foundation::ProcessState::withReset(new Ptr(make("default", makeDiskCachePath("default"))),
                                            [](const Ptr& cache) { cache->clearMemory(); });
    return *cache;
}

SDImageCache::Ptr SDImageCache::make(const std::string& ns, std::optional<std::string> directory) {
    const std::string path =
        directory ? *directory + "/" + kNamespacePrefix + ns : makeDiskCachePath(ns);
    Ptr cache(new SDImageCache(ns, path));
    cache->observeApplication();
    return cache;
}

std::string SDImageCache::makeDiskCachePath(const std::string& ns) {
    return foundation::ApplicationHome::caches() + "/" + ns;
}

SDImageCache::SDImageCache(const std::string& ns, const std::string& diskCachePath)
    : memCache_(kNamespacePrefix + ns),
      diskCachePath_(diskCachePath),
      ioQueue_(foundation::DispatchQueue::makeSerial(kIOQueueLabel)) {}

SDImageCache::~SDImageCache() {
    for (const auto& token : observers_) {
        foundation::NotificationCenter::defaultCenter().removeObserver(token);
    }
    ioQueue_->sync([] {});
}

void SDImageCache::observeApplication() {
    auto& center = foundation::NotificationCenter::defaultCenter();
    std::weak_ptr<SDImageCache> weak = weak_from_this();
    auto on = [&](const char* name, void (*action)(SDImageCache&)) {
        observers_.push_back(center.addObserver(name, nullptr, nullptr,
                                                [weak, action](const foundation::Notification&) {
                                                    if (auto cache = weak.lock()) {
                                                        action(*cache);
                                                    }
                                                }));
    };
    on(ui::ApplicationDidReceiveMemoryWarningNotification,
       [](SDImageCache& c) { c.clearMemory(); });
    on(ui::ApplicationWillTerminateNotification, [](SDImageCache& c) { c.cleanDisk(); });
    on(ui::ApplicationDidEnterBackgroundNotification,
       [](SDImageCache& c) { c.backgroundCleanDisk(); });
}

void SDImageCache::addReadOnlyCachePath(const std::string& path) {
    std::lock_guard lock(customPathsMutex_);
    if (std::find(customPaths_.begin(), customPaths_.end(), path) == customPaths_.end()) {
        customPaths_.push_back(path);
    }
}

std::string SDImageCache::cachedFileNameForKey(const std::string& key) const {
    std::string name = crypto::Digest::md5Hex(key);
    const std::string extension = foundation::pathExtension(key);
    if (!extension.empty()) {
        name += "." + extension;
    }
    return name;
}

std::string SDImageCache::cachePathForKey(const std::string& key, const std::string& path) const {
    return path + "/" + cachedFileNameForKey(key);
}

std::string SDImageCache::defaultCachePathForKey(const std::string& key) const {
    return cachePathForKey(key, diskCachePath_);
}

std::size_t SDImageCache::costFor(const graphics::Image::Ptr& image) const {
    const auto size = image->size();
    const double cost = size.height * size.width * image->scale() * image->scale();
    return cost > 0 ? static_cast<std::size_t>(cost) : 0;
}

void SDImageCache::storeImage(const graphics::Image::Ptr& image, bool recalculateFromImage,
                              const foundation::Data* imageData, const std::string& key,
                              bool toDisk) {
    if (!image || key.empty()) {
        return;
    }
    if (shouldCacheImagesInMemory) {
        memCache_.setObject(image, key, costFor(image));
    }
    if (!toDisk) {
        return;
    }
    std::optional<foundation::Data> data;
    if (imageData != nullptr) {
        data = *imageData;
    }
    auto self = shared_from_this();
    ioQueue_->async([self, image, recalculateFromImage, data = std::move(data), key] {
        self->writeFile(image, recalculateFromImage, data, key);
    });
}

void SDImageCache::storeImage(const graphics::Image::Ptr& image, const std::string& key,
                              bool toDisk) {
    storeImage(image, true, nullptr, key, toDisk);
}

void SDImageCache::writeFile(const graphics::Image::Ptr& image, bool recalculate,
                             std::optional<foundation::Data> data, const std::string& key) {
    if (image && (!data || recalculate)) {
        const bool asPNG = (!data || data->size() < kPNGSignature.size())
                               ? !isOpaque(image)
                               : beginsWithPNGSignature(*data);
        data = encode(image, asPNG);
    }
    if (!data) {
        return;
    }
    auto& files = foundation::FileManager::defaultManager();
    if (!files.fileExists(diskCachePath_)) {
        files.createDirectory(diskCachePath_, true);
    }
    const std::string path = defaultCachePathForKey(key);
    if (files.createFile(path, *data) && shouldDisableiCloud) {
        files.setExcludedFromBackup(path, true);
    }
}

graphics::Image::Ptr SDImageCache::imageFromMemoryCacheForKey(const std::string& key) const {
    return memCache_.objectForKey(key);
}

graphics::Image::Ptr SDImageCache::imageFromDiskCacheForKey(const std::string& key) {
    if (auto image = imageFromMemoryCacheForKey(key)) {
        return image;
    }
    auto image = diskImageForKey(key);
    if (image && shouldCacheImagesInMemory) {
        memCache_.setObject(image, key, costFor(image));
    }
    return image;
}

std::optional<foundation::Data> SDImageCache::diskImageDataBySearchingAllPathsForKey(
    const std::string& key) const {
    auto& files = foundation::FileManager::defaultManager();
    auto read = [&](const std::string& path) -> std::optional<foundation::Data> {
        if (auto data = files.contentsAtPath(path)) {
            return data;
        }
        return files.contentsAtPath(foundation::deletingPathExtension(path));
    };
    if (auto data = read(defaultCachePathForKey(key))) {
        return data;
    }
    std::vector<std::string> paths;
    {
        std::lock_guard lock(customPathsMutex_);
        paths = customPaths_;
    }
    for (const auto& path : paths) {
        if (auto data = read(cachePathForKey(key, path))) {
            return data;
        }
    }
    return std::nullopt;
}

graphics::Image::Ptr SDImageCache::diskImageForKey(const std::string& key) const {
    auto data = diskImageDataBySearchingAllPathsForKey(key);
    if (!data) {
        return nullptr;
    }
    auto image = SDScaledImageForKey(key, UIImageMultiFormat::sd_imageWithData(&*data));
    return shouldDecompressImages ? UIImageForceDecode::decodedImageWithImage(image) : image;
}

std::shared_ptr<foundation::Operation> SDImageCache::queryDiskCacheForKey(
    const std::string& key, QueryCompletedBlock done) {
    if (!done) {
        return nullptr;
    }
    if (key.empty()) {
        done(nullptr, SDImageCacheSource::none);
        return nullptr;
    }
    if (auto image = imageFromMemoryCacheForKey(key)) {
        done(image, SDImageCacheSource::memory);
        return nullptr;
    }
    auto operation = std::make_shared<foundation::Operation>();
    auto self = shared_from_this();
    ioQueue_->async([self, operation, key, done = std::move(done)] {
        if (operation->isCancelled()) {
            return;
        }
        auto image = self->diskImageForKey(key);
        if (image && self->shouldCacheImagesInMemory) {
            self->memCache_.setObject(image, key, self->costFor(image));
        }
        foundation::DispatchQueue::main()->async(
            [done, image] { done(image, SDImageCacheSource::disk); });
    });
    return operation;
}

bool SDImageCache::diskImageExistsWithKey(const std::string& key) const {
    auto& files = foundation::FileManager::defaultManager();
    const std::string path = defaultCachePathForKey(key);
    return files.fileExists(path) || files.fileExists(foundation::deletingPathExtension(path));
}

void SDImageCache::diskImageExistsWithKey(const std::string& key,
                                          CheckCacheCompletionBlock completion) {
    auto self = shared_from_this();
    ioQueue_->async([self, key, completion = std::move(completion)] {
        const bool exists = self->diskImageExistsWithKey(key);
        if (completion) {
            foundation::DispatchQueue::main()->async([completion, exists] { completion(exists); });
        }
    });
}

void SDImageCache::removeImageForKey(const std::string& key, bool fromDisk,
                                     NoParamsBlock completion) {
    if (key.empty()) {
        return;
    }
    if (shouldCacheImagesInMemory) {
        memCache_.removeObjectForKey(key);
    }
    if (!fromDisk) {
        if (completion) {
            completion();
        }
        return;
    }
    auto self = shared_from_this();
    ioQueue_->async([self, key, completion = std::move(completion)] {
        foundation::FileManager::defaultManager().removeItem(self->defaultCachePathForKey(key));
        if (completion) {
            foundation::DispatchQueue::main()->async(completion);
        }
    });
}

void SDImageCache::clearDisk(NoParamsBlock completion) {
    auto self = shared_from_this();
    ioQueue_->async([self, completion = std::move(completion)] {
        auto& files = foundation::FileManager::defaultManager();
        files.removeItem(self->diskCachePath_);
        files.createDirectory(self->diskCachePath_, true);
        if (completion) {
            foundation::DispatchQueue::main()->async(completion);
        }
    });
}

void SDImageCache::cleanDisk(NoParamsBlock completion) {
    auto self = shared_from_this();
    ioQueue_->async([self, completion = std::move(completion)] {
        struct File {
            std::string path;
            foundation::FileAttributes attributes;
        };
        auto& files = foundation::FileManager::defaultManager();
        const double expiration = foundation::Date::now().timeIntervalSince1970() -
                                  static_cast<double>(self->maxCacheAge);
        std::vector<File> kept;
        std::uint64_t currentSize = 0;
        for (const auto& relative : files.enumerate(self->diskCachePath_, true)) {
            const std::string path = self->diskCachePath_ + "/" + relative;
            auto attributes = files.attributesOfItem(path);
            if (!attributes || attributes->isDirectory) {
                continue;
            }
            if (attributes->modificationDate.timeIntervalSince1970() <= expiration) {
                files.removeItem(path);
                continue;
            }
            currentSize += attributes->size;
            kept.push_back({path, *attributes});
        }
        if (self->maxCacheSize > 0 && currentSize > self->maxCacheSize) {
            const std::uint64_t target = self->maxCacheSize / 2;
            std::stable_sort(kept.begin(), kept.end(), [](const File& a, const File& b) {
                return a.attributes.modificationDate.timeIntervalSince1970() <
                       b.attributes.modificationDate.timeIntervalSince1970();
            });
            for (const auto& file : kept) {
                if (files.removeItem(file.path)) {
                    currentSize -= file.attributes.size;
                    if (currentSize < target) {
                        break;
                    }
                }
            }
        }
        if (completion) {
            foundation::DispatchQueue::main()->async(completion);
        }
    });
}

void SDImageCache::backgroundCleanDisk() {
    auto& application = ui::Application::shared();
    auto task = std::make_shared<ui::BackgroundTaskIdentifier>(ui::BackgroundTaskInvalid);
    *task = application.beginBackgroundTask([task] {
        ui::Application::shared().endBackgroundTask(*task);
        *task = ui::BackgroundTaskInvalid;
    });
    cleanDisk([task] {
        ui::Application::shared().endBackgroundTask(*task);
        *task = ui::BackgroundTaskInvalid;
    });
}

std::uint64_t SDImageCache::getSize() const {
    std::uint64_t size = 0;
    ioQueue_->sync([&] {
        auto& files = foundation::FileManager::defaultManager();
        for (const auto& relative : files.enumerate(diskCachePath_)) {
            if (auto attributes = files.attributesOfItem(diskCachePath_ + "/" + relative)) {
                size += attributes->isDirectory ? 0 : attributes->size;
            }
        }
    });
    return size;
}

std::size_t SDImageCache::getDiskCount() const {
    std::size_t count = 0;
    ioQueue_->sync([&] {
        count = foundation::FileManager::defaultManager().enumerate(diskCachePath_).size();
    });
    return count;
}

void SDImageCache::calculateSize(CalculateSizeBlock completion) const {
    auto self = shared_from_this();
    ioQueue_->async([self, completion = std::move(completion)] {
        auto& files = foundation::FileManager::defaultManager();
        std::size_t count = 0;
        std::uint64_t size = 0;
        for (const auto& relative : files.enumerate(self->diskCachePath_, true)) {
            if (auto attributes = files.attributesOfItem(self->diskCachePath_ + "/" + relative)) {
                size += attributes->isDirectory ? 0 : attributes->size;
            }
            ++count;
        }
        if (completion) {
            foundation::DispatchQueue::main()->async(
                [completion, count, size] { completion(count, size); });
        }
    });
}

void SDImageCache::waitForIO() const {
    ioQueue_->sync([] {});
}
