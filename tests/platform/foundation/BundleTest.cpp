#include "platform/foundation/Bundle.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/StringsTable.h"

using namespace foundation;

namespace {

// Points the bundle at a resource folder made for the test.
class BundleTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = ApplicationHome::path() + "/resources";
        FileManager::defaultManager().createDirectory(folder_);
        setenv("BARCODES_RESOURCES", folder_.c_str(), 1);
    }
    void TearDown() override { unsetenv("BARCODES_RESOURCES"); }

    void write(const std::string& name, std::string_view text) {
        FileManager::defaultManager().writeAtomically(folder_ + "/" + name, dataFromString(text));
    }

    std::string folder_;
};

TEST_F(BundleTest, InfoKeysOfTheShippedBundle) {
    unsetenv("BARCODES_RESOURCES");
    const Bundle& bundle = Bundle::main();
    EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleName"), Value("Barcodes"));
    EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleDisplayName"), Value("Barcodes"));
    EXPECT_EQ(bundle.objectForInfoDictionaryKey("CFBundleShortVersionString"), Value("1.0"));
    EXPECT_FALSE(bundle.bundleIdentifier().empty());
    EXPECT_TRUE(bundle.objectForInfoDictionaryKey("NoSuchKey").isNull());
}

TEST_F(BundleTest, ResourcePaths) {
    write("beep.wav", "RIFF");
    EXPECT_EQ(Bundle::main().pathForResource("beep", "wav"), folder_ + "/beep.wav");
    EXPECT_EQ(Bundle::main().pathForResource("beep.wav"), folder_ + "/beep.wav");
    EXPECT_EQ(Bundle::main().pathForResource("beep", "mp3"), std::nullopt);
    EXPECT_EQ(Bundle::main().pathForResource("../resources/beep", "wav"), std::nullopt);
    EXPECT_EQ(Bundle::main().urlForResource("beep", "wav")->path(), folder_ + "/beep.wav");
    EXPECT_TRUE(Bundle::main().infoDictionary().isDictionary());  // no Info.plist here: empty
}

TEST_F(BundleTest, LocalizedStringsAndMissingKeys) {
    write("Localizable.strings",
          "/* Type names */\n"
          "\"Text\" = \"Texte\";\n"
          "\"Quote \\\"q\\\"\" = \"Line\\nbreak \\U00e9\";  // trailing comment\n"
          "plain = word;\n");
    const Bundle& bundle = Bundle::main();
    EXPECT_EQ(bundle.localizedString("Text"), "Texte");
    EXPECT_EQ(bundle.localizedString("Quote \"q\""), "Line\nbreak \xc3\xa9");
    EXPECT_EQ(bundle.localizedString("plain"), "word");
    EXPECT_EQ(bundle.localizedString("URI"), "URI");  // a missing key answers the key
    EXPECT_EQ(bundle.localizedString("URI", "Fallback"), "Fallback");
    EXPECT_EQ(bundle.localizedString("Text", "", "NoSuchTable"), "Text");

    write("Broken.strings", "\"a\" = \"b\"\n\"c\" = ");
    LogCapture log;
    EXPECT_EQ(bundle.localizedString("a", "", "Broken"), "a");
    EXPECT_TRUE(log.contains("[Bundle]"));
}

TEST_F(BundleTest, StringsTableInUTF16) {
    const Data utf16le{0xFF, 0xFE, '"', 0,    'k',  0,   '"', 0,   '=',
                       0,    '"',  0,   0xAC, 0x20, '"', 0,   ';', 0};
    const auto table = StringsTable::parse(utf16le);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->lookup("k"), "\xe2\x82\xac");
    EXPECT_FALSE(StringsTable::parse(dataFromString("\"unterminated")));
    EXPECT_FALSE(StringsTable::parse(dataFromString("/* open comment")));
}

}  // namespace
