#pragma once

#include <compare>

namespace foundation {

// A point in time as the platform keeps it: seconds (with fraction) since the
// reference date 2001-01-01 00:00:00 UTC. Plain value; formatting lives in
// DateFormatter.
class Date {
  public:
    // Seconds between 1970-01-01 and 2001-01-01 (UTC).
    static constexpr double kTimeIntervalSince1970 = 978307200.0;

    Date() = default;

    static Date now();
    static Date fromTimeIntervalSinceReferenceDate(double seconds) { return Date(seconds); }
    static Date fromTimeIntervalSince1970(double seconds) {
        return Date(seconds - kTimeIntervalSince1970);
    }

    double timeIntervalSinceReferenceDate() const { return seconds_; }
    double timeIntervalSince1970() const { return seconds_ + kTimeIntervalSince1970; }
    double timeIntervalSinceDate(const Date& other) const { return seconds_ - other.seconds_; }
    double timeIntervalSinceNow() const { return seconds_ - now().seconds_; }
    Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;

  private:
    explicit Date(double seconds) : seconds_(seconds) {}

    double seconds_ = 0.0;
};

}  // namespace foundation
