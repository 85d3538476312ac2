#include "ads/foundation/GADStatistics.h"

std::shared_ptr<GADTiming> GADStatistics::timingNamed(const std::string& name) const {
    return timingManager_->timingForCategory(name);
}

void GADStatistics::startTimingNamed(const std::string& name, bool explicitEnd) {
    timingManager_->removeTimingForCategory(name);
    std::shared_ptr<GADTiming> timing = timingManager_->addTimingWithCategory(name);
    timing->setExplicitEnd(explicitEnd);
    timing->start();
}

void GADStatistics::endTimingNamed(const std::string& name) {
    if (std::shared_ptr<GADTiming> timing = timingNamed(name)) {
        timing->end();
    }
}

void GADStatistics::removeTimingNamed(const std::string& name) {
    timingManager_->removeTimingForCategory(name);
}

void GADStatistics::incrementParameterCount(const std::string& name) {
    core_->addValue(1, name);
}

void GADStatistics::resetParameterCount(const std::string& name) {
    core_->setNumber(0, name);
}

std::uint64_t GADStatistics::valueForParameter(const std::string& name) const {
    return core_->objectForKey(name).unsignedValue();
}

void GADStatistics::setFlagWithParameterName(const std::string& name) {
    core_->setNumber(1, name);
}

void GADStatistics::resetFlagWithParameterName(const std::string& name) {
    core_->removeObjectForKey(name);
}
