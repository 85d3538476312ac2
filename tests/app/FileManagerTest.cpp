// The QR-file singleton: one instance, a second allocation refused, the file
// named in the "iPhoneVelnor" folder of Application Support.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "app/FileManager.h"

TEST(FileManagerTest, OneInstanceNamingTheQRFile) {
    auto& shared = FileManager::sharedFileManager();
    EXPECT_EQ(&FileManager::sharedFileManager(), &shared);
    const std::filesystem::path file = shared.qRFile();
    EXPECT_EQ(file.filename(), "qR.png");
    EXPECT_EQ(file.parent_path().filename(), "iPhoneVelnor");
    EXPECT_EQ(file.parent_path().parent_path().filename(), "Application Support");
    try {
        FileManager::alloc();
        FAIL() << "a second instance was made";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "Attempted to allocate a second instance of a singleton.");
    }
}
