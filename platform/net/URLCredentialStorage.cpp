#include "platform/net/URLCredentialStorage.h"

#include <algorithm>

#include "platform/foundation/ProcessState.h"

namespace net {

URLCredentialStorage& URLCredentialStorage::shared() {
    static URLCredentialStorage* const storage =
        foundation::ProcessState::withReset(new URLCredentialStorage());
    return *storage;
}

std::optional<URLCredential> URLCredentialStorage::defaultCredentialForProtectionSpace(
    const URLProtectionSpace& space) const {
    std::lock_guard lock(mutex_);
    const auto found =
        std::ranges::find_if(credentials_, [&](const auto& entry) { return entry.first == space; });
    if (found == credentials_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void URLCredentialStorage::setDefaultCredential(const URLCredential& credential,
                                                const URLProtectionSpace& space) {
    if (credential.persistence() == URLCredentialPersistence::none) {
        return;
    }
    std::lock_guard lock(mutex_);
    std::erase_if(credentials_, [&](const auto& entry) { return entry.first == space; });
    credentials_.emplace_back(space, credential);
}

void URLCredentialStorage::reset() {
    std::lock_guard lock(mutex_);
    credentials_.clear();
}

}  // namespace net
