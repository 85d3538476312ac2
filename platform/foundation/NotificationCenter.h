#pragma once

// Delivers notifications to the observers of their name and object, in the
// order the observers were added. Observers added with an object are held
// weakly: one that is gone is skipped and forgotten. Block observers stay
// until removed by their token and run on the queue they name (inline when
// the poster is already on it) or, without a queue, on the posting thread.
// Safe from any thread.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Notification.h"
#include "platform/foundation/ObjectIdentity.h"
#include "platform/foundation/TaskQueue.h"

namespace foundation {

class NotificationCenter {
  public:
    using Callback = std::function<void(const Notification&)>;
    // Names a block observer for removeObserver.
    using ObserverToken = std::shared_ptr<const void>;

    // The process's center; lives for the process.
    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // addObserver:selector:name:object: : calls `method` of `observer` for
    // each notification named `name` (empty: every name) about `object`
    // (nullptr: any object), on the posting thread, while `observer` lives.
    template <typename T>
    void addObserver(const std::shared_ptr<T>& observer, void (T::*method)(const Notification&),
                     std::string name, const void* object = nullptr) {
        std::weak_ptr<T> weak = observer;
        addObserver(observer, std::move(name), object, [weak, method](const Notification& note) {
            if (auto target = weak.lock()) {
                ((*target).*method)(note);
            }
        });
    }
    // The same with a callback; `observer` gives the lifetime and the
    // identity for removal.
    template <typename T>
    void addObserver(const std::shared_ptr<T>& observer, std::string name, const void* object,
                     Callback callback) {
        add(Registration{std::weak_ptr<const void>(observer), true, objectIdentity(observer.get()),
                         std::move(name), object, nullptr,
                         std::make_shared<Callback>(std::move(callback))});
    }

    // addObserverForName:object:queue:usingBlock: : `queue` nullptr means the
    // posting thread. The block stays registered until its token is removed.
    ObserverToken addObserver(std::string name, const void* object,
                              std::shared_ptr<TaskQueue> queue, Callback block);

    // removeObserver: : every registration of `observer`.
    template <typename T>
    void removeObserver(const T* observer) {
        remove(objectIdentity(observer), nullptr, nullptr);
    }
    // removeObserver:name:object: : those matching `name` (empty: any) and
    // `object` (nullptr: any).
    template <typename T>
    void removeObserver(const T* observer, std::string_view name, const void* object = nullptr) {
        remove(objectIdentity(observer), &name, object);
    }
    void removeObserver(const ObserverToken& token) { remove(token.get(), nullptr, nullptr); }

    // postNotificationName:object:userInfo: : delivers before returning to
    // every observer on the posting thread (queue observers: see above).
    void post(const Notification& notification);
    void post(std::string name, const void* object = nullptr, Value userInfo = {});

  private:
    struct Registration {
        std::weak_ptr<const void> observer;
        bool weak = false;  // false: held until removed (block observers)
        const void* identity = nullptr;
        std::string name;
        const void* object = nullptr;
        std::shared_ptr<TaskQueue> queue;
        std::shared_ptr<Callback> callback;
    };

    void add(Registration registration);
    void remove(const void* identity, const std::string_view* name, const void* object);
    bool stillRegistered(const std::shared_ptr<Callback>& callback) const;

    mutable std::mutex mutex_;
    std::vector<Registration> registrations_;
};

}  // namespace foundation
