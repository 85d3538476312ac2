#include "ads/foundation/GADPublisherToolbarCredentials.h"

#include "platform/foundation/UserDefaults.h"

bool GADPublisherToolbarCredentials::hasToolbarCredentials() {
    return foundation::UserDefaults::standard()
        .dictionaryForKey(kGADToolbarCredentialsKey)
        .has_value();
}

std::mutex& GADPublisherToolbarCredentials::credentialsLock() {
    static std::mutex* const lock = new std::mutex;
    return *lock;
}

GADPublisherToolbarCredentials::GADPublisherToolbarCredentials()
    : credentials_(
          foundation::UserDefaults::standard().dictionaryForKey(kGADToolbarCredentialsKey)) {}

std::optional<foundation::Dictionary> GADPublisherToolbarCredentials::credentials() const {
    std::lock_guard lock(credentialsLock());
    return credentials_;
}

void GADPublisherToolbarCredentials::clearCredentials() {
    std::lock_guard lock(credentialsLock());
    auto& defaults = foundation::UserDefaults::standard();
    defaults.removeObjectForKey(kGADToolbarCredentialsKey);
    defaults.synchronize();
    credentials_.reset();
}

void GADPublisherToolbarCredentials::storeCredentials(const foundation::Dictionary& credentials) {
    std::lock_guard lock(credentialsLock());
    credentials_ = credentials;
    auto& defaults = foundation::UserDefaults::standard();
    defaults.setObject(kGADToolbarCredentialsKey, foundation::Value(credentials));
    defaults.synchronize();
}
