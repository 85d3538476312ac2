#include <gtest/gtest.h>

#include <optional>

#include "ads/foundation/GADHeaderParser.h"
#include "platform/foundation/Clock.h"

namespace {

using GADHeaderParser::gad_dateFromHttpDateString;
using GADHeaderParser::gad_expirationDate;

// The manual clock's start, 2023-11-14 22:13:20 UTC, and two moments before.
constexpr const char* kNow = "Tue, 14 Nov 2023 22:13:20 GMT";
constexpr const char* kMinuteAgo = "Tue, 14 Nov 2023 22:12:20 GMT";
constexpr const char* kTwoMinutesAgo = "Tue, 14 Nov 2023 22:11:20 GMT";
constexpr const char* kInFiveMinutes = "Tue, 14 Nov 2023 22:18:20 GMT";

net::URLResponse responseWith(net::HTTPHeaderFields fields) {
    return net::URLResponse::http(*foundation::URL::fromString("http://ads.example/ad"), 200,
                                  std::move(fields));
}

TEST(GADHeaderParser, ExpiryFollowsPragmaCacheControlAndExpires) {
    foundation::ManualClock clock;
    struct Case {
        net::HTTPHeaderFields headers;
        std::optional<double> secondsFromNow;  // nullopt: no expiry
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{{"Cache-Control", "max-age=60"}}, 60},
        {{{"Cache-Control", "private, max-age= 30"}}, 30},
        {{{"Cache-Control", "max-age=0"}}, std::nullopt},
        {{{"Cache-Control", "max-age=-5"}}, std::nullopt},
        {{{"Date", kTwoMinutesAgo}, {"Cache-Control", "max-age=60"}}, -60},
        {{{"Date", kNow}, {"Cache-Control", "max-age=abc"}, {"Expires", kInFiveMinutes}}, 300},
        {{{"Cache-Control", "max-age=abc"}}, std::nullopt},
        {{{"Pragma", "no-cache"}, {"Cache-Control", "max-age=600"}}, std::nullopt},
        {{{"Pragma", "No-Cache"}, {"Cache-Control", "max-age=600"}}, 600},
        {{{"Cache-Control", "max-age=600, no-store"}}, std::nullopt},
        {{{"Cache-Control", "no-cache, max-age=600"}}, 600},
        {{{"Date", kNow}, {"Expires", kNow}}, std::nullopt},
        {{{"Date", kTwoMinutesAgo}, {"Expires", kMinuteAgo}}, 60},
        {{{"Expires", "0"}}, std::nullopt},
        {{{"Date", "yesterday"}, {"Cache-Control", "max-age=60"}}, std::nullopt},
    };
    const foundation::Date now = foundation::Date::now();
    for (const Case& c : cases) {
        const auto response = responseWith(c.headers);
        const std::optional<foundation::Date> expiry = gad_expirationDate(response);
        const std::string label = c.headers.empty() ? "no headers" : c.headers.fields()[0].second;
        ASSERT_EQ(expiry.has_value(), c.secondsFromNow.has_value()) << label;
        if (expiry) {
            EXPECT_DOUBLE_EQ(expiry->timeIntervalSinceDate(now), *c.secondsFromNow) << label;
        }
    }
}

TEST(GADHeaderParser, ReadsTheThreeHTTPDateForms) {
    const double expected = 784111777;  // 1994-11-06 08:49:37 UTC
    for (const char* text : {"Sun, 06 Nov 1994 08:49:37 GMT", "Sun Nov  6 08:49:37 1994",
                             "Sunday, 06-Nov-94 08:49:37 GMT"}) {
        const auto date = gad_dateFromHttpDateString(text);
        ASSERT_TRUE(date) << text;
        EXPECT_DOUBLE_EQ(date->timeIntervalSince1970(), expected) << text;
    }
    for (const char* text : {"", "0", "06/11/1994", "Sun, 06 Nov 1994"}) {
        EXPECT_FALSE(gad_dateFromHttpDateString(text)) << text;
    }
}

}  // namespace
