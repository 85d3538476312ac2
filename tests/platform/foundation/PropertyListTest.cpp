#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"

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
