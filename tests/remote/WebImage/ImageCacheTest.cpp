#include <gtest/gtest.h>

#include "platform/crypto/Digest.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "remote/WebImage/SDImageCache.h"
#include "remote/WebImage/SDScaledImageForKey.h"
#include "tests/support/TemporaryHome.h"

namespace {

using foundation::FileManager;
using foundation::RunLoop;

graphics::Image::Ptr makeImage(bool opaque, int width = 4, int height = 3) {
    auto bitmap = graphics::Bitmap::make(width, height, {200, 10, 10, 255});
    bitmap->setAlphaInfo(opaque ? graphics::AlphaInfo::noneSkipLast : graphics::AlphaInfo::last);
    return graphics::Image::make(bitmap);
}

TEST(ImageCacheTest, FilesAreNamedByTheDigestOfTheKeyAndItsExtension) {
    auto cache = SDImageCache::make("names");
    EXPECT_EQ(cache->diskCachePath(), foundation::ApplicationHome::caches() + "/names");
    EXPECT_EQ(SDImageCache::make("x", "/tmp/d")->diskCachePath(),
              "/tmp/d/com.morvane.SDWebImageCache.x");
    const struct {
        const char* key;
        const char* suffix;
    } cases[] = {
        {"http://h/a/b.png", ".png"},
        {"http://h/a/b", ""},
        {"http://h/a/b.png?x=1", ".png?x=1"},  // the path rule sees the query as extension
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cache->cachedFileNameForKey(c.key), crypto::Digest::md5Hex(c.key) + c.suffix)
            << c.key;
    }
}

TEST(ImageCacheTest, KeysGiveTheirScale) {
    ui::Screen::mainScreen().setScale(1);
    const struct {
        const char* key;
        double scale;
    } cases[] = {
        {"http://h/i@2x.png", 2},
        {"http://h/i@3x.png", 3},
        {"http://h/i@2x.@3x.png", 3},  // 3x wins
        {"@2x.png", 1},                // seven characters: the screen's scale
        {"http://h/i.png", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SDScaledImageForKey(c.key, makeImage(true))->scale(), c.scale) << c.key;
    }
    EXPECT_EQ(SDScaledImageForKey("k", nullptr), nullptr);
    ui::Screen::mainScreen().setScale(2);
}

TEST(ImageCacheTest, MemoryHitsAnswerAtOnceAndDiskHitsOnTheMainQueueAfterARestart) {
    const std::string key = "http://h/photo.png";
    auto image = makeImage(false);
    {
        auto cache = SDImageCache::make("restart");
        cache->storeImage(image, key);
        bool answered = false;
        EXPECT_EQ(
            cache->queryDiskCacheForKey(key,
                                        [&](graphics::Image::Ptr found, SDImageCacheSource source) {
                                            EXPECT_EQ(found, image);
                                            EXPECT_EQ(source, SDImageCacheSource::memory);
                                            answered = true;
                                        }),
            nullptr);
        EXPECT_TRUE(answered);
        cache->waitForIO();
    }
    auto cache = SDImageCache::make("restart");
    EXPECT_EQ(cache->imageFromMemoryCacheForKey(key), nullptr);
    EXPECT_TRUE(cache->diskImageExistsWithKey(key));
    std::optional<SDImageCacheSource> source;
    graphics::Image::Ptr found;
    auto operation =
        cache->queryDiskCacheForKey(key, [&](graphics::Image::Ptr i, SDImageCacheSource s) {
            found = i;
            source = s;
        });
    EXPECT_NE(operation, nullptr);
    EXPECT_FALSE(source);  // never before the main queue runs
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return source.has_value(); }, 10));
    EXPECT_EQ(*source, SDImageCacheSource::disk);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->size().width * found->scale(), 4);
    EXPECT_NE(cache->imageFromMemoryCacheForKey(key), nullptr);

    bool missed = false;
    cache->queryDiskCacheForKey("http://h/none", [&](graphics::Image::Ptr i, SDImageCacheSource s) {
        missed = i == nullptr && s == SDImageCacheSource::disk;
    });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return missed; }, 10));
}

TEST(ImageCacheTest, AFileStoredUnderTheBareNameIsFoundForAKeyWithAnExtension) {
    auto cache = SDImageCache::make("bare");
    const std::string key = "http://h/a.png";
    FileManager::defaultManager().createDirectory(cache->diskCachePath());
    FileManager::defaultManager().createFile(
        cache->diskCachePath() + "/" + crypto::Digest::md5Hex(key),
        *graphics::PNGCodec::encode(*makeImage(false)->bitmap()));
    EXPECT_TRUE(cache->diskImageExistsWithKey(key));
    EXPECT_NE(cache->imageFromDiskCacheForKey(key), nullptr);
}

TEST(ImageCacheTest, TheStoredBytesFollowTheDataAndTheAlpha) {
    auto cache = SDImageCache::make("encode");
    const auto png = *graphics::PNGCodec::encode(*makeImage(false, 2, 2)->bitmap());
    const foundation::Data notPNG = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const struct {
        const char* name;
        bool opaque;
        const foundation::Data* data;
        bool recalculate;
        std::uint8_t firstByte;
        bool unchanged;
    } cases[] = {
        {"png bytes kept", false, &png, false, 0x89, true},
        {"png bytes re-encoded", true, &png, true, 0x89, false},
        {"other bytes re-encoded as jpeg", false, &notPNG, true, 0xFF, false},
        {"opaque without data", true, nullptr, true, 0xFF, false},
        {"alpha without data", false, nullptr, true, 0x89, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string key = std::string("http://h/") + c.name;
        cache->storeImage(makeImage(c.opaque), c.recalculate, c.data, key, true);
        cache->waitForIO();
        const auto written =
            FileManager::defaultManager().contentsAtPath(cache->defaultCachePathForKey(key));
        ASSERT_TRUE(written);
        EXPECT_EQ(written->front(), c.firstByte);
        EXPECT_EQ(c.data != nullptr && *written == *c.data, c.unchanged);
    }
}

TEST(ImageCacheTest, StoredFilesAreMarkedExcludedFromBackupWhileTheCacheAsks) {
    if (!testing_support::keepsExtendedAttributes(foundation::ApplicationHome::caches())) {
        GTEST_SKIP() << "the file system keeps no extended attributes";
    }
    auto cache = SDImageCache::make("backup");
    const std::string key = "http://h/backup.png";
    for (const bool exclude : {true, false}) {
        SCOPED_TRACE(exclude);
        cache->shouldDisableiCloud = exclude;
        cache->storeImage(makeImage(false), key);
        cache->waitForIO();
        const std::string path = cache->defaultCachePathForKey(key);
        ASSERT_TRUE(FileManager::defaultManager().fileExists(path));
        EXPECT_EQ(FileManager::defaultManager().isExcludedFromBackup(path), exclude);
    }
}

TEST(ImageCacheTest, CleaningRemovesExpiredFilesThenTheOldestUntilUnderHalfTheSize) {
    auto cache = SDImageCache::make("clean");
    auto& files = FileManager::defaultManager();
    files.createDirectory(cache->diskCachePath());
    const double now = foundation::Date::now().timeIntervalSince1970();
    auto write = [&](const std::string& name, std::size_t size, double age) {
        const std::string path = cache->diskCachePath() + "/" + name;
        files.createFile(path, foundation::Data(size, 7));
        files.setModificationDate(path, foundation::Date::fromTimeIntervalSince1970(now - age));
        return path;
    };
    cache->maxCacheAge = 1000;
    const auto expired = write("expired", 10, 1001);
    // Five files of 300 bytes, 1500 in all, over a limit of 1000: the oldest
    // go until less than 500 bytes remain.
    cache->maxCacheSize = 1000;
    std::vector<std::string> sized;
    for (int i = 0; i < 5; ++i) {
        sized.push_back(write("f" + std::to_string(i), 300, 100 - i * 10));
    }
    bool cleaned = false;
    cache->cleanDisk([&] { cleaned = true; });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return cleaned; }, 10));
    EXPECT_FALSE(files.fileExists(expired));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(files.fileExists(sized[i])) << i;
    }
    EXPECT_TRUE(files.fileExists(sized[4]));
    EXPECT_EQ(cache->getSize(), 300u);
    EXPECT_EQ(cache->getDiskCount(), 1u);
}

TEST(ImageCacheTest, MemoryWarningsEmptyTheMemoryLevelAndRemovalsReachTheDisk) {
    auto cache = SDImageCache::make("memory");
    cache->storeImage(makeImage(false), "http://h/k.png");
    cache->waitForIO();
    foundation::NotificationCenter::defaultCenter().post(
        ui::ApplicationDidReceiveMemoryWarningNotification);
    EXPECT_EQ(cache->imageFromMemoryCacheForKey("http://h/k.png"), nullptr);
    EXPECT_EQ(cache->memCache().count(), 0u);

    int completions = 0;
    cache->removeImageForKey("", true, [&] { ++completions; });
    cache->removeImageForKey("http://h/k.png", true, [&] { ++completions; });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return completions == 1; }, 10));
    EXPECT_FALSE(cache->diskImageExistsWithKey("http://h/k.png"));
}

TEST(ImageCacheTest, TheMemoryLevelEvictsBeyondItsCostAndCount) {
    auto cache = SDImageCache::make("limits");
    cache->setMaxMemoryCountLimit(2);
    for (const char* key : {"a", "b", "c"}) {
        cache->storeImage(makeImage(false), key, false);
    }
    EXPECT_EQ(cache->imageFromMemoryCacheForKey("a"), nullptr);
    EXPECT_NE(cache->imageFromMemoryCacheForKey("c"), nullptr);
    // 4 x 3 points at scale 1 cost 12 each.
    cache->setMaxMemoryCountLimit(0);
    cache->setMaxMemoryCost(20);
    EXPECT_EQ(cache->memCache().count(), 1u);
}

}  // namespace
