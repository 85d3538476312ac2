#include "platform/services/AdvertisingIdentifierManager.h"

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/UUID.h"

namespace services {

AdvertisingIdentifierManager& AdvertisingIdentifierManager::sharedManager() {
    static AdvertisingIdentifierManager* manager =
        foundation::ProcessState::withReset(new AdvertisingIdentifierManager());
    return *manager;
}

AdvertisingIdentifierManager::AdvertisingIdentifierManager()
    : madeIdentifier_(foundation::UUID().UUIDString()), identifier_(madeIdentifier_) {}

std::string AdvertisingIdentifierManager::advertisingIdentifier() const {
    std::lock_guard lock(mutex_);
    return identifier_;
}

void AdvertisingIdentifierManager::setAdvertisingIdentifier(std::string identifier) {
    std::lock_guard lock(mutex_);
    identifier_ = std::move(identifier);
}

bool AdvertisingIdentifierManager::isAdvertisingTrackingEnabled() const {
    std::lock_guard lock(mutex_);
    return trackingEnabled_;
}

void AdvertisingIdentifierManager::setAdvertisingTrackingEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    trackingEnabled_ = enabled;
}

void AdvertisingIdentifierManager::reset() {
    std::lock_guard lock(mutex_);
    identifier_ = madeIdentifier_;
    trackingEnabled_ = true;
}

}  // namespace services
