#pragma once

// Formats and parses dates with ICU: by date and time styles or by a fixed
// pattern ("yyyy'/'MM'/'dd' 'HH':'mm':'ss", "Z", "yyyyMMdd", ...), in a locale
// (default: the process's) and a time zone (default: the local one).
// Parsing is strict. Thread-safe.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Date.h"

namespace foundation {

class DateFormatter {
  public:
    // The platform's style numbers.
    enum class Style { None = 0, Short = 1, Medium = 2, Long = 3, Full = 4 };

    DateFormatter();
    ~DateFormatter();
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;

    void setDateStyle(Style style);
    void setTimeStyle(Style style);
    // A fixed pattern replaces the styles; an empty pattern returns to them.
    void setDateFormat(std::string pattern);
    // An ICU/platform locale identifier such as "en_US" or "en_US_POSIX"; "" for the process's.
    void setLocale(std::string identifier);
    // A zone name such as "GMT", "UTC" or "Europe/Berlin"; "" for the local zone.
    void setTimeZone(std::string identifier);

    // "" when both styles are None and there is no pattern.
    std::string stringFromDate(Date date) const;
    std::optional<Date> dateFromString(std::string_view text) const;

  private:
    struct Formatter;
    Formatter& formatter() const;

    Style dateStyle_ = Style::None;
    Style timeStyle_ = Style::None;
    std::string pattern_;
    std::string locale_;
    std::string timeZone_;
    mutable std::mutex mutex_;
    mutable std::unique_ptr<Formatter> formatter_;
};

}  // namespace foundation
