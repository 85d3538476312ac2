#include "ads/foundation/GADSlotStatistics.h"

#include "platform/foundation/StringUtilities.h"

namespace {

constexpr const char* kAdapterTiming = "adapter";
constexpr const char* kAdapterDuration = "adapter_duration";
constexpr const char* kAdapterExit = "adapter_exit";

std::optional<std::string> joined(const foundation::Value& list) {
    const foundation::Array* array = list.asArray();
    if (!array || array->empty()) {
        return std::nullopt;
    }
    std::vector<std::string> pieces;
    for (const foundation::Value& piece : *array) {
        pieces.push_back(piece.stringValue());
    }
    return foundation::join(pieces, ",");
}

}  // namespace

GADSlotStatistics::GADSlotStatistics()
    : GADStatistics(GADStatisticsCore::make(), GADTimingManager::make()) {}

void GADSlotStatistics::setIdentifier(const std::string& identifier) {
    if (identifier_ == identifier) {
        return;
    }
    identifier_ = identifier;
    core()->setIdentifier(identifier);
    timingManager()->setIdentifier(identifier);
}

void GADSlotStatistics::startTimingAdapter() {
    startTimingNamed(kAdapterTiming, true);
}

void GADSlotStatistics::endTimingAdapterWithExitCode(std::int64_t exitCode) {
    endTimingNamed(kAdapterTiming);
    std::shared_ptr<GADTiming> timing = timingNamed(kAdapterTiming);
    core()->appendValue(timing ? timing->elapsedMillisecondsString() : "0", kAdapterDuration);
    core()->appendValue(std::to_string(exitCode), kAdapterExit);
}

void GADSlotStatistics::resetTimingAdapters() {
    core()->removeObjectForKey(kAdapterExit);
    core()->removeObjectForKey(kAdapterDuration);
}

std::optional<std::string> GADSlotStatistics::adapterExitCodesParameter() const {
    return joined(core()->objectForKey(kAdapterExit));
}

std::optional<std::string> GADSlotStatistics::adapterDurationsParameter() const {
    return joined(core()->objectForKey(kAdapterDuration));
}
