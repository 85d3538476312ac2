#include "platform/services/AdvertisingIdentifierManager.h"

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UUID.h"

namespace services {
namespace {

std::string identifierPath() {
    return foundation::ApplicationHome::library() + "/" + AdvertisingIdentifierManager::kFileName;
}

// The stored identifier, when the file holds one.
std::optional<std::string> storedIdentifier() {
    const std::optional<foundation::Data> data =
        foundation::FileManager::defaultManager().contentsAtPath(identifierPath());
    if (!data) {
        return std::nullopt;
    }
    const std::optional<foundation::UUID> uuid = foundation::UUID::fromString(
        foundation::trimWhitespaceAndNewlines(std::string(data->begin(), data->end())));
    if (!uuid) {
        foundation::Log::write(
            "services", "The stored advertising identifier is not one; a new one replaces it");
        return std::nullopt;
    }
    return uuid->UUIDString();
}

}  // namespace

AdvertisingIdentifierManager& AdvertisingIdentifierManager::sharedManager() {
    static AdvertisingIdentifierManager* manager =
        foundation::ProcessState::withReset(new AdvertisingIdentifierManager());
    return *manager;
}

std::string AdvertisingIdentifierManager::makeStoredIdentifier() {
    std::string identifier = foundation::UUID().UUIDString();
    const std::string text = identifier + "\n";
    foundation::Error error;
    if (!foundation::FileManager::defaultManager().writeAtomically(
            identifierPath(), foundation::Data(text.begin(), text.end()), &error)) {
        foundation::Log::write("services", "The advertising identifier could not be stored: " +
                                               error.localizedDescription);
    }
    return identifier;
}

std::string AdvertisingIdentifierManager::advertisingIdentifier() const {
    std::lock_guard lock(mutex_);
    if (!identifier_) {
        identifier_ = storedIdentifier();
    }
    if (!identifier_) {
        identifier_ = makeStoredIdentifier();
    }
    return *identifier_;
}

void AdvertisingIdentifierManager::setAdvertisingIdentifier(std::string identifier) {
    std::lock_guard lock(mutex_);
    identifier_ = std::move(identifier);
}

void AdvertisingIdentifierManager::resetAdvertisingIdentifier() {
    std::lock_guard lock(mutex_);
    identifier_ = makeStoredIdentifier();
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
    identifier_.reset();
    trackingEnabled_ = true;
}

}  // namespace services
