#pragma once

// A named stopwatch on the host's boot clock with a little user data; the ad
// fetcher times each fetch with one and the timing manager persists them.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADTiming {
  public:
    // Seconds of the boot clock.
    static double counter();

    // A nullopt category becomes "GADTiming (0x...)" with the object's address.
    explicit GADTiming(const std::optional<std::string>& category = std::nullopt);
    // From the persisted form: "category", "start", "end", "userData".
    static std::shared_ptr<GADTiming> makeWithDictionaryRepresentation(
        const foundation::Dictionary& dictionary);

    GADTiming(const GADTiming&) = delete;
    GADTiming& operator=(const GADTiming&) = delete;

    // "category", "start", "end" and, when there is some, "userData".
    foundation::Dictionary dictionaryRepresentation() const;
    // Same category, time stamps and user data; `explicitEnd` is not copied.
    std::shared_ptr<GADTiming> copy() const;
    // "GADTiming (0x...): " and the description of the dictionary form.
    std::string description() const;

    void start();
    // Only a started stopwatch ends; ending again moves the end.
    void end();
    void reset();
    // Milliseconds between start and end (or now while running, unless
    // `explicitEnd`); 0 when never started or when the end lies before the
    // start (time stamps of an earlier boot).
    std::uint64_t elapsedMilliseconds() const;
    std::string elapsedMillisecondsString() const;
    bool isActive() const;

    // User data; a null value is ignored.
    void setValue(const foundation::Value& value, const std::string& key);
    foundation::Value valueForKey(const std::string& key) const;
    void removeValueForKey(const std::string& key);
    foundation::Dictionary keysAndValues() const;

    const std::string& category() const { return category_; }
    void setCategory(const std::string& category) { category_ = category; }
    bool explicitEnd() const { return explicitEnd_; }
    void setExplicitEnd(bool explicitEnd) { explicitEnd_ = explicitEnd; }
    double startTimestamp() const;
    void setStartTimestamp(double seconds);
    double endTimestamp() const;
    void setEndTimestamp(double seconds);

  private:
    std::string category_;
    bool explicitEnd_ = false;
    mutable std::mutex timeIntervalLock_;
    double startTimestamp_ = 0;
    double endTimestamp_ = 0;
    mutable std::recursive_mutex monitor_;
    foundation::Dictionary userData_;
};
