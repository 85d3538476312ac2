#include "platform/foundation/DateFormatter.h"

#include <gtest/gtest.h>

using foundation::Date;
using foundation::DateFormatter;

namespace {

// 2009-02-13 23:31:30 UTC
const Date kMoment = Date::fromTimeIntervalSince1970(1234567890);

TEST(DateFormatterTest, FixedPatterns) {
    struct Case {
        const char* pattern;
        const char* zone;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy'/'MM'/'dd' 'HH':'mm':'ss", "GMT", "2009/02/13 23:31:30"},
        {"Z", "Europe/Berlin", "+0100"},
        {"yyyy-MM-dd'T'HH:mm:ssZZZZZ", "UTC", "2009-02-13T23:31:30Z"},
        {"yyyyMMdd", "Asia/Tokyo", "20090214"},
        {"EEE, dd MMM yyyy HH:mm:ss 'GMT'", "GMT", "Fri, 13 Feb 2009 23:31:30 GMT"},
    };
    for (const auto& c : cases) {
        DateFormatter formatter;
        formatter.setLocale("en_US_POSIX");
        formatter.setTimeZone(c.zone);
        formatter.setDateFormat(c.pattern);
        EXPECT_EQ(formatter.stringFromDate(kMoment), c.expected) << c.pattern;
    }
}

TEST(DateFormatterTest, StylesAndParsing) {
    DateFormatter formatter;
    formatter.setLocale("en_US");
    formatter.setTimeZone("GMT");
    EXPECT_EQ(formatter.stringFromDate(kMoment), "");  // no styles, no pattern
    formatter.setDateStyle(DateFormatter::Style::Long);
    formatter.setTimeStyle(DateFormatter::Style::Short);
    const std::string text = formatter.stringFromDate(kMoment);
    EXPECT_NE(text.find("February 13, 2009"), std::string::npos) << text;
    EXPECT_NE(text.find("11:31"), std::string::npos) << text;

    DateFormatter parser;
    parser.setLocale("en_US_POSIX");
    parser.setTimeZone("GMT");
    parser.setDateFormat("EEE, dd MMM yyyy HH:mm:ss 'GMT'");
    EXPECT_EQ(parser.dateFromString("Fri, 13 Feb 2009 23:31:30 GMT"), kMoment);
    EXPECT_EQ(parser.dateFromString("Fri, 13 Feb 2009 23:31:30 GMT trailing"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("yesterday"), std::nullopt);
    EXPECT_EQ(parser.dateFromString(""), std::nullopt);
}

TEST(DateFormatterTest, ReferenceDates) {
    EXPECT_EQ(Date::fromTimeIntervalSinceReferenceDate(0).timeIntervalSince1970(), 978307200.0);
    EXPECT_EQ(kMoment.addingTimeInterval(10).timeIntervalSinceDate(kMoment), 10.0);
    EXPECT_LT(kMoment, Date::now());
}

}  // namespace
