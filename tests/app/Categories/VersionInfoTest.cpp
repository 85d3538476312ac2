#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Categories/VersionInfo.h"

namespace {

// A resource folder of its own whose Info.plist holds `entries` (key/value
// lines of string entries), published through BARCODES_RESOURCES.
class InfoFixture {
  public:
    explicit InfoFixture(const std::string& name,
                         const std::vector<std::pair<std::string, std::string>>& entries) {
        folder_ = std::filesystem::path(std::getenv("BARCODES_HOME")) / ("resources-" + name);
        std::filesystem::create_directories(folder_);
        std::ofstream plist(folder_ / "Info.plist");
        plist << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
        for (const auto& [key, value] : entries) {
            plist << "<key>" << key << "</key><string>" << value << "</string>\n";
        }
        plist << "</dict>\n</plist>\n";
        plist.close();
        setenv("BARCODES_RESOURCES", folder_.c_str(), 1);
    }
    ~InfoFixture() { unsetenv("BARCODES_RESOURCES"); }

  private:
    std::filesystem::path folder_;
};

}  // namespace

TEST(VersionInfoTest, ReadsTheBundleEntries) {
    InfoFixture info("entries", {{"CFBundleName", "Barcodes"},
                                 {"CFBundleDisplayName", "Codes"},
                                 {"CFBundleShortVersionString", "2.1"},
                                 {"CFBundleVersion", "2.1"}});
    EXPECT_EQ(VersionInfo::bundleName(), "Barcodes");
    EXPECT_EQ(VersionInfo::displayName(), "Codes");
    EXPECT_EQ(VersionInfo::appVersion(), "2.1");
    EXPECT_EQ(VersionInfo::build(), "2.1");
    // Equal version and build: the version alone.
    EXPECT_EQ(VersionInfo::versionBuild(), "v2.1");
    EXPECT_EQ(VersionInfo::versionFull(), "Barcodes-v2.1");
}

TEST(VersionInfoTest, VersionBuildNamesADifferentBuild) {
    InfoFixture info("differ", {{"CFBundleName", "Barcodes"},
                                {"CFBundleShortVersionString", "2.1"},
                                {"CFBundleVersion", "345"}});
    EXPECT_EQ(VersionInfo::versionBuild(), "v2.1 (345)");
    EXPECT_EQ(VersionInfo::versionFull(), "Barcodes-v2.1 (345)");
    EXPECT_EQ(VersionInfo::displayName(), std::nullopt);
}

TEST(VersionInfoTest, MissingEntriesPrintAsNull) {
    InfoFixture info("empty", {});
    EXPECT_EQ(VersionInfo::appVersion(), std::nullopt);
    EXPECT_EQ(VersionInfo::versionBuild(), "v(null) ((null))");
    EXPECT_EQ(VersionInfo::versionFull(), "(null)-v(null) ((null))");
}

TEST(VersionInfoTest, MachineNameIsTheOperatingSystemsHardwareName) {
    struct utsname system {};
    ASSERT_EQ(uname(&system), 0);
    EXPECT_EQ(VersionInfo::machineName(), system.machine);
    EXPECT_FALSE(VersionInfo::machineName().empty());
}
