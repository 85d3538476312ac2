#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "platform/store/StoreError.h"
#include "tests/platform/store/TestModel.h"

namespace {

using store_test::openContext;
using store_test::storePath;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A store of a few hundred items with data, a few pages long.
void writeStore(const std::filesystem::path& path) {
    auto context = openContext(path);
    ASSERT_TRUE(context);
    for (int i = 0; i < 300; ++i) {
        auto item = context->insertNewObject("Item");
        item->setValue("item " + std::to_string(i), "name");
        item->setValue(foundation::Data(200, static_cast<std::uint8_t>(i)), "blob");
    }
    ASSERT_TRUE(context->save(nullptr));
}

TEST(StoreFile, DamagedOrForeignFilesGiveAClearErrorAndStayUntouched) {
    struct Case {
        const char* rule;
        std::function<void(const std::filesystem::path&)> make;
    };
    std::vector<Case> cases = {
        {"not a database", [](const auto& p) { writeFile(p, std::string(5000, 'x')); }},
        {"truncated store",
         [](const auto& p) {
             writeStore(p);
             auto bytes = readFile(p);
             writeFile(p, bytes.substr(0, bytes.size() / 2));
         }},
        {"header overwritten",
         [](const auto& p) {
             writeStore(p);
             auto bytes = readFile(p);
             bytes.replace(0, 16, "garbage garbage!");
             writeFile(p, bytes);
         }},
        {"database of another program",
         [](const auto& p) {
             sqlite3* db = nullptr;
             sqlite3_open(p.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE people (name TEXT)", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         }},
    };
    for (const auto& c : cases) {
        auto path = storePath();
        std::filesystem::remove(path);
        c.make(path);
        auto before = readFile(path);
        foundation::Error error;
        EXPECT_FALSE(openContext(path, &error)) << c.rule;
        EXPECT_EQ(error.domain, store::kErrorDomain) << c.rule;
        EXPECT_EQ(error.code, store::kFileReadCorruptFileError) << c.rule;
        EXPECT_NE(error.localizedDescription.find("test.dat"), std::string::npos) << c.rule;
        EXPECT_EQ(readFile(path), before) << c.rule << ": the file must be kept as it was";
    }
}

TEST(StoreFile, AStoreOfAnotherFormatVersionIsRefused) {
    writeStore(storePath());
    sqlite3* db = nullptr;
    sqlite3_open(storePath().c_str(), &db);
    sqlite3_exec(db, "UPDATE store_meta SET value = '99' WHERE key = 'version'", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    foundation::Error error;
    EXPECT_FALSE(openContext(storePath(), &error));
    EXPECT_EQ(error.code, store::kPersistentStoreIncompatibleSchemaError);
}

TEST(StoreFile, AnEmptyFileBecomesANewStoreAndAnExistingStoreOpensWithoutWrites) {
    writeFile(storePath(), "");
    ASSERT_TRUE(openContext(storePath()));
    writeStore(storePath());
    auto before = readFile(storePath());
    auto context = openContext(storePath());
    ASSERT_TRUE(context);
    EXPECT_EQ(context->executeFetchRequest(store::FetchRequest("Item"), nullptr)->size(), 300u);
    EXPECT_EQ(readFile(storePath()), before);
}

TEST(StoreFile, ASaveChangesOnlyWhatChanged) {
    writeStore(storePath());
    auto context = openContext(storePath());
    auto items = *context->executeFetchRequest(store::FetchRequest("Item"), nullptr);
    items[5]->setValue("renamed", "name");
    context->deleteObject(items[7]);
    ASSERT_TRUE(context->save(nullptr));
    auto reopened = openContext(storePath());
    auto again = *reopened->executeFetchRequest(store::FetchRequest("Item"), nullptr);
    ASSERT_EQ(again.size(), 299u);
    EXPECT_EQ(again[5]->valueForKey("name"), foundation::Value("renamed"));
    EXPECT_EQ(again[6]->valueForKey("blob"), foundation::Value(foundation::Data(200, 6)));
    EXPECT_EQ(again[7]->valueForKey("name"), foundation::Value("item 8"));
}

}  // namespace
