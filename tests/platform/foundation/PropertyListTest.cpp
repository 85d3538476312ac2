#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NestingLimit.h"

using foundation::PropertyList;
using foundation::Value;

namespace {

Value sample() {
    return Value::dictionary({
        {"State",
         Value::array({Value::dictionary({{"class", "BarcodeListController"}, {"row", 3}})})},
        {"negative", -42},
        {"large", INT64_MAX},
        {"real", 2.5},
        {"flag", true},
        {"bytes", foundation::Data{0, 1, 2, 255}},
        {"when", foundation::Date::fromTimeIntervalSinceReferenceDate(123456789)},
        {"text", "Grüße & <tags>"},
        {"empty", Value::dictionary()},
    });
}

TEST(PropertyListTest, RoundTripsInBothFormats) {
    for (const auto format : {PropertyList::Format::XML, PropertyList::Format::Binary}) {
        SCOPED_TRACE(format == PropertyList::Format::XML ? "xml" : "binary");
        const auto bytes = PropertyList::write(sample(), format);
        ASSERT_TRUE(bytes);
        PropertyList::Format detected{};
        const auto back = PropertyList::parse(*bytes, &detected);
        ASSERT_TRUE(back);
        EXPECT_EQ(detected, format);
        EXPECT_EQ(*back, sample());
        EXPECT_TRUE((*back)["negative"].isInteger());
        EXPECT_TRUE((*back)["flag"].isBoolean());
    }
    // Dates are kept to the second in both formats.
    const Value precise =
        Value::array({foundation::Date::fromTimeIntervalSinceReferenceDate(5.75)});
    const Value rounded = Value::array({foundation::Date::fromTimeIntervalSinceReferenceDate(6)});
    EXPECT_EQ(PropertyList::parse(*PropertyList::write(precise, PropertyList::Format::Binary)),
              rounded);
    EXPECT_EQ(PropertyList::parse(*PropertyList::write(precise, PropertyList::Format::XML)),
              rounded);
}

TEST(PropertyListTest, XmlUsesPlatformMarkup) {
    const auto bytes = PropertyList::write(Value::dictionary({{"n", -1}, {"s", "a&b"}}),
                                           PropertyList::Format::XML);
    ASSERT_TRUE(bytes);
    const std::string xml = foundation::stringFromData(*bytes);
    EXPECT_NE(xml.find("<integer>-1</integer>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<string>a&amp;b</string>"), std::string::npos) << xml;
}

TEST(PropertyListTest, NullCannotBeWrittenAndJunkCannotBeRead) {
    foundation::Error error;
    EXPECT_FALSE(
        PropertyList::write(Value::array({1, nullptr}), PropertyList::Format::Binary, &error));
    EXPECT_EQ(error.domain, PropertyList::kErrorDomain);
    EXPECT_FALSE(PropertyList::isValid(Value::dictionary({{"a", nullptr}})));

    const std::string junk[] = {"", "not a plist",
                                "<?xml version=\"1.0\"?><plist><dict><key>a</key>",
                                std::string("bplist00\x01\x02", 10)};
    for (const auto& text : junk) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(PropertyList::parse(foundation::dataFromString(text)));
    }
    const auto binary = PropertyList::write(sample(), PropertyList::Format::Binary);
    const foundation::Data truncated(binary->begin(),
                                     binary->begin() + static_cast<long>(binary->size() / 2));
    EXPECT_FALSE(PropertyList::parse(truncated));
}

// A binary property list of the given objects (object 0 at the top), with
// 4-byte offsets and references.
foundation::Data binaryPlist(const std::vector<std::string>& objects) {
    const auto bigEndian = [](std::string& out, std::uint64_t n, int size) {
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
            out.push_back(static_cast<char>((n >> shift) & 0xFF));
    };
    std::string bytes = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    const std::uint64_t table = bytes.size();
    for (const auto offset : offsets)
        bigEndian(bytes, offset, 4);
    bytes.append(6, '\0');
    bytes += "\x04\x04";
    bigEndian(bytes, objects.size(), 8);
    bigEndian(bytes, 0, 8);
    bigEndian(bytes, table, 8);
    return foundation::dataFromString(bytes);
}

// A one-element array (marker A1) referring to object `index`.
std::string arrayOf(std::uint32_t index) {
    std::string object = "\xA1";
    for (int shift = 24; shift >= 0; shift -= 8)
        object.push_back(static_cast<char>((index >> shift) & 0xFF));
    return object;
}

// `depth` nested arrays around an integer, as the writer makes them.
Value nestedArrays(int depth) {
    Value value(1);
    for (int i = 0; i < depth; ++i)
        value = Value::array({value});
    return value;
}

TEST(PropertyListTest, BinaryStringsHoldingNullReadBack) {
    // {"k": "a\0"} with the value in UTF-16: read as it is, never an abort.
    using namespace std::string_literals;
    const auto data =
        binaryPlist({"\xD1\x00\x00\x00\x01\x00\x00\x00\x02"s, "\x51k"s, "\x62\x00\x61\x00\x00"s});
    EXPECT_EQ(PropertyList::parse(data), Value::dictionary({{"k", "a\0"s}}));
}

TEST(PropertyListTest, DamagedBinaryListsAreRefused) {
    using namespace std::string_literals;
    std::vector<std::string> chain;
    for (std::uint32_t i = 1; i < 200000; ++i)
        chain.push_back(arrayOf(i));
    chain.push_back("\xA0"s);
    // Each array refers twice to the next: 2^60 elements if followed naively.
    std::vector<std::string> fanOut;
    for (std::uint32_t i = 1; i <= 60; ++i)
        fanOut.push_back("\xA2"s + arrayOf(i).substr(1) + arrayOf(i).substr(1));
    fanOut.push_back("\x09"s);

    const std::pair<const char*, foundation::Data> damaged[] = {
        {"nested 200000 deep", binaryPlist(chain)},
        {"fan-out", binaryPlist(fanOut)},
        {"cycle", binaryPlist({arrayOf(1), arrayOf(0)})},
        {"reference past the objects", binaryPlist({arrayOf(7)})},
        {"string past its end", binaryPlist({"\x5F"
                                             "ab"s})},
        {"length that is no integer", binaryPlist({"\x4F\x09"s})},
        {"unpaired surrogate", binaryPlist({"\x61\xD8\x00"s})},
        {"number key", binaryPlist({"\xD1\x00\x00\x00\x01\x00\x00\x00\x01"s, "\x10\x01"s})},
        {"null object", binaryPlist({"\x00"s})},
        {"date that is not a number", binaryPlist({"\x33\x7F\xF8\x00\x00\x00\x00\x00\x00"s})},
    };
    for (const auto& [name, data] : damaged) {
        SCOPED_TRACE(name);
        foundation::Error error;
        EXPECT_FALSE(PropertyList::parse(data, nullptr, &error));
        EXPECT_EQ(error.code, 3840);
    }
    auto badOffset = binaryPlist({"\x09"s});
    badOffset[badOffset.size() - 32 - 1] = 0xF0;
    EXPECT_FALSE(PropertyList::parse(badOffset));
    EXPECT_EQ(PropertyList::parse(binaryPlist({"\x09"s})), Value(true));
}

TEST(PropertyListTest, NestingIsBoundedInBothFormats) {
    constexpr int limit = foundation::kMaximumNestingDepth;
    for (const auto format : {PropertyList::Format::XML, PropertyList::Format::Binary}) {
        SCOPED_TRACE(format == PropertyList::Format::XML ? "xml" : "binary");
        const auto atLimit = PropertyList::write(nestedArrays(limit), format);
        ASSERT_TRUE(atLimit);
        EXPECT_EQ(PropertyList::parse(*atLimit), nestedArrays(limit));
        EXPECT_FALSE(PropertyList::parse(*PropertyList::write(nestedArrays(limit + 1), format)));
    }
    // Two hundred thousand levels of XML, closed or not.
    for (const std::string open : {"<array>", "<dict><key>k</key>"}) {
        SCOPED_TRACE(open);
        std::string text = "<plist>";
        for (int i = 0; i < 200000; ++i)
            text += open;
        EXPECT_FALSE(PropertyList::parse(foundation::dataFromString(text)));
        for (int i = 0; i < 200000; ++i)
            text += open == "<array>" ? "</array>" : "</dict>";
        EXPECT_FALSE(PropertyList::parse(foundation::dataFromString(text + "</plist>")));
    }
}

TEST(PropertyListTest, FilesAreWrittenWhole) {
    const std::string path = foundation::ApplicationHome::library() + "/AboutInfo.plist";
    EXPECT_FALSE(PropertyList::readFile(path));
    ASSERT_TRUE(PropertyList::writeFile(sample(), path));
    EXPECT_EQ(PropertyList::readFile(path), sample());
    EXPECT_EQ(foundation::FileManager::defaultManager().contentsOfDirectory(
                  foundation::ApplicationHome::library()),
              (std::vector<std::string>{"AboutInfo.plist", "Caches", "Preferences"}));
}

}  // namespace
