#include "platform/foundation/NotificationCenter.h"

#include <algorithm>

namespace foundation {

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* const center = new NotificationCenter();
    return *center;
}

NotificationCenter::ObserverToken NotificationCenter::addObserver(std::string name,
                                                                  const void* object,
                                                                  std::shared_ptr<TaskQueue> queue,
                                                                  Callback block) {
    // The token is a small object of its own: its address is the identity.
    auto token = std::make_shared<char>('\0');
    add(Registration{std::weak_ptr<const void>(), false, token.get(), std::move(name), object,
                     std::move(queue), std::make_shared<Callback>(std::move(block))});
    return token;
}

void NotificationCenter::add(Registration registration) {
    if (!registration.identity || !registration.callback || !*registration.callback) {
        return;
    }
    std::lock_guard lock(mutex_);
    registrations_.push_back(std::move(registration));
}

void NotificationCenter::remove(const void* identity, const std::string_view* name,
                                const void* object) {
    if (!identity) {
        return;
    }
    std::vector<Registration> removed;  // callbacks released outside the lock
    std::lock_guard lock(mutex_);
    auto keep = std::stable_partition(
        registrations_.begin(), registrations_.end(), [&](const Registration& r) {
            const bool matches = r.identity == identity &&
                                 (!name || name->empty() || r.name == *name) &&
                                 (!object || r.object == object);
            return !matches;
        });
    std::move(keep, registrations_.end(), std::back_inserter(removed));
    registrations_.erase(keep, registrations_.end());
}

bool NotificationCenter::stillRegistered(const std::shared_ptr<Callback>& callback) const {
    std::lock_guard lock(mutex_);
    return std::any_of(registrations_.begin(), registrations_.end(),
                       [&](const Registration& r) { return r.callback == callback; });
}

void NotificationCenter::post(std::string name, const void* object, Value userInfo) {
    post(Notification{std::move(name), object, std::move(userInfo)});
}

void NotificationCenter::post(const Notification& notification) {
    struct Delivery {
        std::shared_ptr<const void> observer;  // keeps a weak observer alive during its call
        std::shared_ptr<TaskQueue> queue;
        std::shared_ptr<Callback> callback;
    };
    std::vector<Delivery> deliveries;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(registrations_,
                      [](const Registration& r) { return r.weak && r.observer.expired(); });
        for (const auto& r : registrations_) {
            if (!r.name.empty() && r.name != notification.name) {
                continue;
            }
            if (r.object && r.object != notification.object) {
                continue;
            }
            Delivery delivery{nullptr, r.queue, r.callback};
            if (r.weak) {
                delivery.observer = r.observer.lock();
                if (!delivery.observer) {
                    continue;
                }
            }
            deliveries.push_back(std::move(delivery));
        }
    }
    for (auto& delivery : deliveries) {
        // An earlier observer may have removed a later one.
        if (!stillRegistered(delivery.callback)) {
            continue;
        }
        if (!delivery.queue || delivery.queue->isCurrent()) {
            (*delivery.callback)(notification);
            continue;
        }
        delivery.queue->async(
            [callback = delivery.callback, notification] { (*callback)(notification); });
    }
}

}  // namespace foundation
