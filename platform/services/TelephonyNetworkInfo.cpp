#include "platform/services/TelephonyNetworkInfo.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"

namespace services {

TelephonyNetworkInfo& TelephonyNetworkInfo::shared() {
    static TelephonyNetworkInfo* info =
        foundation::ProcessState::withReset(new TelephonyNetworkInfo());
    return *info;
}

void TelephonyNetworkInfo::setCurrentRadioAccessTechnology(std::optional<std::string> technology) {
    if (technology == technology_) {
        return;
    }
    technology_ = std::move(technology);
    foundation::NotificationCenter::defaultCenter().post(
        RadioAccessTechnologyDidChangeNotification, this,
        foundation::Value::dictionary({{"technology", technology_.value_or("")}}));
}

void TelephonyNetworkInfo::reset() {
    technology_.reset();
    carrier_.reset();
}

}  // namespace services
