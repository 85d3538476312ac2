#include "ads/api/GADSignalCollector.h"

bool GADSignalCollector::collectSignal(const std::string&, std::string&) {
    return false;
}
