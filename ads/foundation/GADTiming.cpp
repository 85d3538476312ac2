#include "ads/foundation/GADTiming.h"

#include <cstdio>

#include "platform/foundation/Clock.h"

namespace {

std::string addressText(const void* object) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", object);
    return buffer;
}

}  // namespace

double GADTiming::counter() {
    return foundation::Clock::boot();
}

GADTiming::GADTiming(const std::optional<std::string>& category) {
    category_ = category ? *category : "GADTiming (" + addressText(this) + ")";
}

std::shared_ptr<GADTiming> GADTiming::makeWithDictionaryRepresentation(
    const foundation::Dictionary& dictionary) {
    foundation::Value value(dictionary);
    const foundation::Value& category = value["category"];
    auto timing = std::make_shared<GADTiming>(
        category.isString() ? std::optional<std::string>(*category.asString()) : std::nullopt);
    timing->startTimestamp_ = value["start"].doubleValue();
    timing->endTimestamp_ = value["end"].doubleValue();
    if (const foundation::Dictionary* userData = value["userData"].asDictionary()) {
        timing->userData_ = *userData;
    }
    return timing;
}

foundation::Dictionary GADTiming::dictionaryRepresentation() const {
    std::lock_guard<std::recursive_mutex> monitor(monitor_);
    foundation::Dictionary dictionary;
    dictionary["category"] = category_;
    {
        std::lock_guard<std::mutex> lock(timeIntervalLock_);
        dictionary["start"] = startTimestamp_;
        dictionary["end"] = endTimestamp_;
    }
    if (!userData_.empty()) {
        dictionary["userData"] = userData_;
    }
    return dictionary;
}

std::shared_ptr<GADTiming> GADTiming::copy() const {
    return makeWithDictionaryRepresentation(dictionaryRepresentation());
}

std::string GADTiming::description() const {
    return "GADTiming (" + addressText(this) +
           "): " + foundation::Value(dictionaryRepresentation()).description();
}

void GADTiming::start() {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    startTimestamp_ = counter();
    endTimestamp_ = 0;
}

void GADTiming::end() {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    if (startTimestamp_ > 0) {
        endTimestamp_ = counter();
    }
}

void GADTiming::reset() {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    startTimestamp_ = 0;
    endTimestamp_ = 0;
}

std::uint64_t GADTiming::elapsedMilliseconds() const {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    if (startTimestamp_ <= 0) {
        return 0;
    }
    double end = endTimestamp_;
    if (end < startTimestamp_) {
        if (explicitEnd_) {
            return 0;
        }
        end = counter();
    }
    double milliseconds = (end - startTimestamp_) * 1000;
    // Time stamps restored from an earlier boot can lie after "now".
    if (milliseconds <= 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(milliseconds);
}

std::string GADTiming::elapsedMillisecondsString() const {
    return std::to_string(elapsedMilliseconds());
}

bool GADTiming::isActive() const {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    return startTimestamp_ > 0 && endTimestamp_ == 0;
}

void GADTiming::setValue(const foundation::Value& value, const std::string& key) {
    if (value.isNull()) {
        return;
    }
    std::lock_guard<std::recursive_mutex> monitor(monitor_);
    userData_[key] = value;
}

foundation::Value GADTiming::valueForKey(const std::string& key) const {
    std::lock_guard<std::recursive_mutex> monitor(monitor_);
    auto found = userData_.find(key);
    return found == userData_.end() ? foundation::Value() : found->second;
}

void GADTiming::removeValueForKey(const std::string& key) {
    std::lock_guard<std::recursive_mutex> monitor(monitor_);
    userData_.erase(key);
}

foundation::Dictionary GADTiming::keysAndValues() const {
    std::lock_guard<std::recursive_mutex> monitor(monitor_);
    return userData_;
}

double GADTiming::startTimestamp() const {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    return startTimestamp_;
}

void GADTiming::setStartTimestamp(double seconds) {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    startTimestamp_ = seconds;
}

double GADTiming::endTimestamp() const {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    return endTimestamp_;
}

void GADTiming::setEndTimestamp(double seconds) {
    std::lock_guard<std::mutex> lock(timeIntervalLock_);
    endTimestamp_ = seconds;
}
