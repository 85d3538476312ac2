#include "platform/foundation/DateFormatter.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace foundation {
namespace {

icu::DateFormat::EStyle icuStyle(DateFormatter::Style style) {
    switch (style) {
        case DateFormatter::Style::Short:
            return icu::DateFormat::kShort;
        case DateFormatter::Style::Medium:
            return icu::DateFormat::kMedium;
        case DateFormatter::Style::Long:
            return icu::DateFormat::kLong;
        case DateFormatter::Style::Full:
            return icu::DateFormat::kFull;
        default:
            return icu::DateFormat::kNone;
    }
}

}  // namespace

struct DateFormatter::Formatter {
    std::unique_ptr<icu::DateFormat> format;
};

DateFormatter::DateFormatter() = default;

DateFormatter::~DateFormatter() = default;

void DateFormatter::setDateStyle(Style style) {
    std::lock_guard lock(mutex_);
    dateStyle_ = style;
    formatter_.reset();
}

void DateFormatter::setTimeStyle(Style style) {
    std::lock_guard lock(mutex_);
    timeStyle_ = style;
    formatter_.reset();
}

void DateFormatter::setDateFormat(std::string pattern) {
    std::lock_guard lock(mutex_);
    pattern_ = std::move(pattern);
    formatter_.reset();
}

void DateFormatter::setLocale(std::string identifier) {
    std::lock_guard lock(mutex_);
    locale_ = std::move(identifier);
    formatter_.reset();
}

void DateFormatter::setTimeZone(std::string identifier) {
    std::lock_guard lock(mutex_);
    timeZone_ = std::move(identifier);
    formatter_.reset();
}

DateFormatter::Formatter& DateFormatter::formatter() const {
    if (formatter_)
        return *formatter_;
    formatter_ = std::make_unique<Formatter>();
    const icu::Locale locale =
        locale_.empty() ? icu::Locale::getDefault() : icu::Locale::createFromName(locale_.c_str());
    UErrorCode status = U_ZERO_ERROR;
    if (!pattern_.empty()) {
        auto format = std::make_unique<icu::SimpleDateFormat>(
            icu::UnicodeString::fromUTF8(pattern_), locale, status);
        if (U_SUCCESS(status))
            formatter_->format = std::move(format);
    } else if (dateStyle_ != Style::None || timeStyle_ != Style::None) {
        formatter_->format.reset(icu::DateFormat::createDateTimeInstance(
            icuStyle(dateStyle_), icuStyle(timeStyle_), locale));
    }
    if (formatter_->format) {
        formatter_->format->setLenient(false);
        formatter_->format->adoptTimeZone(
            timeZone_.empty()
                ? icu::TimeZone::createDefault()
                : icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(timeZone_)));
    }
    return *formatter_;
}

std::string DateFormatter::stringFromDate(Date date) const {
    std::lock_guard lock(mutex_);
    const Formatter& f = formatter();
    if (!f.format)
        return "";
    icu::UnicodeString text;
    f.format->format(date.timeIntervalSince1970() * 1000.0, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

std::optional<Date> DateFormatter::dateFromString(std::string_view text) const {
    std::lock_guard lock(mutex_);
    const Formatter& f = formatter();
    if (!f.format)
        return std::nullopt;
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    icu::ParsePosition position(0);
    const UDate parsed = f.format->parse(input, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length())
        return std::nullopt;
    return Date::fromTimeIntervalSince1970(parsed / 1000.0);
}

}  // namespace foundation
