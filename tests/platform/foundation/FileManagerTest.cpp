#include "platform/foundation/FileManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/PathUtilities.h"
#include "tests/support/TemporaryHome.h"

using namespace foundation;

namespace {

TEST(FileManagerTest, HomeFollowsTheEnvironmentOnEveryCall) {
    const std::string home = std::getenv("BARCODES_HOME");
    EXPECT_EQ(ApplicationHome::documents(), home + "/Documents");
    EXPECT_EQ(ApplicationHome::searchPath(13), home + "/Library/Caches");
    EXPECT_EQ(ApplicationHome::searchPath(14), home + "/Library/Application Support");
    EXPECT_EQ(ApplicationHome::searchPath(1), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_directory(home + "/Library/Caches"));
    EXPECT_FALSE(std::filesystem::exists(home + "/Library/Application Support"));

    const std::string other = home + "/other";
    setenv("BARCODES_HOME", other.c_str(), 1);
    EXPECT_EQ(ApplicationHome::library(), other + "/Library");
    setenv("BARCODES_HOME", home.c_str(), 1);
}

TEST(FileManagerTest, FoldersCopiesAndRemoval) {
    FileManager& files = FileManager::defaultManager();
    const std::string root = ApplicationHome::applicationSupport() + "/QR";
    ASSERT_TRUE(files.createDirectory(root + "/deep/er"));
    EXPECT_TRUE(files.createDirectory(root));  // existing folder is fine with intermediates
    bool isDirectory = false;
    EXPECT_TRUE(files.fileExists(root, &isDirectory));
    EXPECT_TRUE(isDirectory);

    ASSERT_TRUE(files.writeAtomically(root + "/a.png", Data{1, 2, 3}));
    Error error;
    EXPECT_FALSE(files.createDirectory(root + "/a.png", true, &error));
    EXPECT_FALSE(files.copyItem(root + "/a.png", root + "/a.png", &error));
    EXPECT_EQ(error.code, FileManager::kWriteFileExistsError);
    EXPECT_TRUE(files.copyItem(root + "/a.png", root + "/deep/b.png"));
    EXPECT_EQ(files.contentsAtPath(root + "/deep/b.png"), (Data{1, 2, 3}));
    ASSERT_TRUE(files.writeAtomically(root + "/.hidden", Data{}));

    EXPECT_EQ(files.contentsOfDirectory(root),
              (std::vector<std::string>{".hidden", "a.png", "deep"}));
    EXPECT_EQ(files.enumerate(root, true),
              (std::vector<std::string>{"a.png", "deep", "deep/b.png", "deep/er"}));

    EXPECT_TRUE(files.removeItem(root + "/deep"));
    EXPECT_FALSE(files.fileExists(root + "/deep/b.png"));
    EXPECT_FALSE(files.removeItem(root + "/deep", &error));
    EXPECT_EQ(error.code, FileManager::kNoSuchFileError);
    EXPECT_FALSE(files.contentsAtPath(root + "/missing", &error));
    EXPECT_EQ(error.code, FileManager::kReadNoSuchFileError);
    EXPECT_FALSE(files.contentsOfDirectory(root + "/a.png"));
}

TEST(FileManagerTest, AttributesAndModificationDate) {
    FileManager& files = FileManager::defaultManager();
    const std::string path = ApplicationHome::caches() + "/file.bin";
    ASSERT_TRUE(files.writeAtomically(path, Data(1000, 7)));
    auto attributes = files.attributesOfItem(path);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->size, 1000u);
    EXPECT_FALSE(attributes->isDirectory);
    EXPECT_LT(std::abs(attributes->modificationDate.timeIntervalSinceNow()), 60.0);

    const Date past = Date::fromTimeIntervalSince1970(1000000000);
    ASSERT_TRUE(files.setModificationDate(path, past));
    EXPECT_EQ(files.attributesOfItem(path)->modificationDate, past);
    EXPECT_FALSE(files.attributesOfItem(path + ".missing"));
}

TEST(FileManagerTest, TheBackupExclusionMarkIsSetReadAndCleared) {
    FileManager& files = FileManager::defaultManager();
    if (!testing_support::keepsExtendedAttributes(ApplicationHome::caches())) {
        GTEST_SKIP() << "the file system keeps no extended attributes";
    }
    const std::string path = ApplicationHome::caches() + "/marked.bin";
    ASSERT_TRUE(files.writeAtomically(path, Data(3, 1)));
    EXPECT_FALSE(files.isExcludedFromBackup(path));
    EXPECT_TRUE(files.setExcludedFromBackup(path, true));
    EXPECT_TRUE(files.isExcludedFromBackup(path));
    // Clearing a mark that is not there is no error.
    EXPECT_TRUE(files.setExcludedFromBackup(path, false));
    EXPECT_TRUE(files.setExcludedFromBackup(path, false));
    EXPECT_FALSE(files.isExcludedFromBackup(path));

    Error error;
    EXPECT_FALSE(files.setExcludedFromBackup(path + ".missing", true, &error));
    EXPECT_EQ(error.code, FileManager::kNoSuchFileError);
    EXPECT_FALSE(files.isExcludedFromBackup(path + ".missing"));
}

TEST(FileManagerTest, AtomicWritesReplaceWholeAndLeaveNoTemporaries) {
    FileManager& files = FileManager::defaultManager();
    const std::string folder = ApplicationHome::documents();
    const std::string path = folder + "/bc.dat";
    const Data first(100000, 'a');
    const Data second(50, 'b');
    ASSERT_TRUE(files.writeAtomically(path, first));

    // A reader running beside the writer sees one whole version or the other.
    bool torn = false;
    std::thread reader([&] {
        for (int i = 0; i < 200; ++i) {
            const auto seen = files.contentsAtPath(path);
            if (seen && *seen != first && *seen != second)
                torn = true;
        }
    });
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(files.writeAtomically(path, i % 2 ? first : second));
    reader.join();
    EXPECT_FALSE(torn);
    EXPECT_EQ(files.contentsOfDirectory(folder), (std::vector<std::string>{"bc.dat"}));

    Error error;
    EXPECT_FALSE(files.writeAtomically(folder + "/no/such/folder/x", first, &error));
    EXPECT_EQ(error.domain, FileManager::kErrorDomain);
}

TEST(FileManagerTest, PathText) {
    EXPECT_EQ(appendingPathComponent("/a/", "/b"), "/a/b");
    EXPECT_EQ(appendingPathComponent("/", "b"), "/b");
    EXPECT_EQ(appendingPathComponent("", "b"), "b");
    EXPECT_EQ(lastPathComponent("/a/b.png/"), "b.png");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(deletingLastPathComponent("/a/b"), "/a");
    EXPECT_EQ(deletingLastPathComponent("/a"), "/");
    EXPECT_EQ(pathExtension("http://h/b.png?x=1"), "png?x=1");
    EXPECT_EQ(pathExtension("/a.d/b"), "");
    EXPECT_EQ(pathExtension(".hidden"), "");
    EXPECT_EQ(deletingPathExtension("/a/b.tar.gz"), "/a/b.tar");
    EXPECT_EQ(standardizingPath("/a/./b/../c//"), "/a/c");
}

}  // namespace
