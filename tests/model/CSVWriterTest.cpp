#include <gtest/gtest.h>

#include <stdexcept>

#include "model/CSVWriter.h"
#include "tests/model/RFC4180Reader.h"

namespace {

std::string text(const foundation::Data& data) {
    return std::string(data.begin(), data.end());
}

TEST(CSVWriter, RowsAreQuotedPaddedAndJoined) {
    struct Case {
        const char* rule;
        std::uint64_t columns;
        std::vector<std::string> fields;
        std::string row;
    };
    const Case cases[] = {
        {"non-empty fields are quoted", 2, {"a", "b c"}, R"("a","b c")"},
        {"empty fields stay bare", 3, {"", "x", ""}, R"(,"x",)"},
        {"inner quotes are doubled", 1, {R"(say "hi")"}, R"("say ""hi""")"},
        {"short rows are padded", 4, {"a"}, R"("a",,,)"},
        {"long rows are written whole", 1, {"a", "b"}, R"("a","b")"},
        {"separators and breaks stay inside quotes", 1, {"a,b\r\nc"}, "\"a,b\r\nc\""},
        {"no columns and no fields give nothing", 0, {}, ""},
    };
    for (const auto& c : cases) {
        CSVWriter writer(c.columns);
        EXPECT_EQ(writer.CSVForRowWithColumns(c.fields), c.row) << c.rule;
    }
}

TEST(CSVWriter, TheFirstRowSetsAnUnsetColumnCount) {
    CSVWriter writer;
    EXPECT_EQ(writer.CSVForRowWithColumns({"a", "b", "c"}), R"("a","b","c")");
    EXPECT_EQ(writer.CSVForRowWithColumns({"d"}), R"("d",,)");
}

TEST(CSVWriter, HeaderGoesFirstAndIsReplacedAndTheDataFollowsEveryChange) {
    CSVWriter writer(2);
    writer.writeRowWithColumns({"1", "2"});
    EXPECT_FALSE(writer.headerColumns());
    EXPECT_EQ(text(*writer.data()), R"("1","2")");

    writer.setHeaderColumns({"A", "B"});
    EXPECT_EQ(text(*writer.data()), "\"A\",\"B\"\r\n\"1\",\"2\"");
    writer.writeRowWithColumns({"3"});
    writer.setHeaderColumns({"X"});
    EXPECT_EQ(text(*writer.data()), "\"X\",\r\n\"1\",\"2\"\r\n\"3\",");
    EXPECT_EQ(*writer.headerColumns(), std::vector<std::string>{"X"});
}

TEST(CSVWriter, MIMETypeTellsHeaderAndCharset) {
    CSVWriter writer;
    EXPECT_EQ(writer.MIMEType(), "text/csv; header=absent; charset=utf-8");
    writer.setHeaderColumns({"A"});
    writer.setCharset("ISO-8859-1");
    EXPECT_EQ(writer.MIMEType(), "text/csv; header=present; charset=ISO-8859-1");
}

TEST(CSVWriter, CharsetEncodesTheDataAndAnUnknownOneIsRefused) {
    CSVWriter writer;
    writer.writeRowWithColumns({"Müller"});
    EXPECT_EQ(text(*writer.data()), "\"M\xC3\xBCller\"");
    writer.setCharset("ISO-8859-1");
    EXPECT_EQ(text(*writer.data()), "\"M\xFCller\"");

    try {
        writer.setCharset("no-such-charset");
        FAIL() << "an unknown charset was taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "unknown encoding: no-such-charset");
    }
    EXPECT_EQ(writer.charset(), "ISO-8859-1");

    writer.writeRowWithColumns({"日本"});
    EXPECT_FALSE(writer.data()) << "text the charset cannot hold gives no data";
}

TEST(CSVWriter, ReadsBackFieldByFieldWithAnRFC4180Reader) {
    const std::vector<std::vector<std::string>> rows = {
        {"plain", "with,comma", R"(with "quotes")"},
        {"two\r\nlines", "bare\nline feed", "tab\there"},
        {"Grüße", "日本語", "🙂"},
        {"", "\"", ",,"},
    };
    CSVWriter writer(3);
    writer.setHeaderColumns({"One", "Two", "Three"});
    for (const auto& row : rows) {
        writer.writeRowWithColumns(row);
    }
    auto records = readRFC4180(text(*writer.data()));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), rows.size() + 1);
    EXPECT_EQ((*records)[0], (std::vector<std::string>{"One", "Two", "Three"}));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ((*records)[i + 1], rows[i]) << "row " << i;
    }
}

TEST(RFC4180Reader, RefusesMalformedText) {
    // The reader that proves the writer's output must itself be strict.
    for (const char* malformed : {"\"open", "a\"b", "\"a\"b", "a\nb", "a\rb"}) {
        EXPECT_FALSE(readRFC4180(malformed)) << malformed;
    }
    EXPECT_EQ(*readRFC4180("a,\"b\"\"\",\r\n,c\r\n"), (CSVRecords{{"a", "b\"", ""}, {"", "c"}}));
}

}  // namespace
