#include "platform/foundation/Observable.h"

#include <algorithm>

namespace foundation {

void Observable::addObserverWithIdentity(std::weak_ptr<const void> observer, const void* identity,
                                         std::string key, Callback callback) {
    if (!identity || !callback) {
        return;
    }
    auto shared = std::make_shared<Callback>(std::move(callback));
    std::lock_guard lock(mutex_);
    for (auto& registration : registrations_) {
        if (registration.identity == identity && registration.key == key &&
            !registration.observer.expired()) {
            registration.callback = std::move(shared);
            return;
        }
    }
    std::erase_if(registrations_, [](const Registration& r) { return r.observer.expired(); });
    registrations_.push_back(
        Registration{std::move(observer), identity, std::move(key), std::move(shared)});
}

void Observable::removeObserverWithIdentity(const void* identity, std::string_view key,
                                            bool allKeys) {
    std::vector<Registration> removed;  // callbacks released outside the lock
    std::lock_guard lock(mutex_);
    auto keep = std::stable_partition(
        registrations_.begin(), registrations_.end(), [&](const Registration& r) {
            return !(r.identity == identity && (allKeys || r.key == key));
        });
    std::move(keep, registrations_.end(), std::back_inserter(removed));
    registrations_.erase(keep, registrations_.end());
}

std::size_t Observable::observerCount(std::string_view key) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        registrations_.begin(), registrations_.end(),
        [&](const Registration& r) { return r.key == key && !r.observer.expired(); }));
}

Value Observable::valueForKey(std::string_view) const {
    return Value();
}

void Observable::willChangeValueForKey(std::string_view key) {
    const bool observed = observerCount(key) > 0;
    Value old = observed ? valueForKey(key) : Value();
    std::lock_guard lock(mutex_);
    auto found = pendingOldValues_.find(key);
    if (found == pendingOldValues_.end()) {
        found = pendingOldValues_.emplace(std::string(key), std::vector<Value>()).first;
    }
    found->second.push_back(std::move(old));
}

void Observable::didChangeValueForKey(std::string_view key) {
    KeyValueChange change;
    change.key = std::string(key);
    std::vector<std::pair<std::shared_ptr<const void>, std::shared_ptr<Callback>>> targets;
    {
        std::lock_guard lock(mutex_);
        if (auto found = pendingOldValues_.find(key); found != pendingOldValues_.end()) {
            change.oldValue = std::move(found->second.back());
            found->second.pop_back();
            if (found->second.empty()) {
                pendingOldValues_.erase(found);
            }
        }
        for (const auto& registration : registrations_) {
            if (registration.key != key) {
                continue;
            }
            if (auto observer = registration.observer.lock()) {
                targets.emplace_back(std::move(observer), registration.callback);
            }
        }
        std::erase_if(registrations_, [](const Registration& r) { return r.observer.expired(); });
    }
    if (targets.empty()) {
        return;
    }
    change.newValue = valueForKey(key);
    for (const auto& [observer, callback] : targets) {
        if (stillRegistered(callback)) {
            (*callback)(change);
        }
    }
}

bool Observable::stillRegistered(const std::shared_ptr<Callback>& callback) const {
    std::lock_guard lock(mutex_);
    return std::any_of(registrations_.begin(), registrations_.end(),
                       [&](const Registration& r) { return r.callback == callback; });
}

}  // namespace foundation
