#pragma once

// Key-value observing: an object that publishes named properties tells its
// observers of every change with the old and the new value, synchronously on
// the thread that made the change. Both sides are held weakly: an observer
// that is gone is dropped; an object that is gone has no registrations left
// (observers keep a weak_ptr to what they observe to remove themselves).

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/foundation/ObjectIdentity.h"
#include "platform/foundation/Value.h"

namespace foundation {

struct KeyValueChange {
    std::string key;
    Value oldValue;
    Value newValue;
};

class Observable {
  public:
    using Callback = std::function<void(const KeyValueChange&)>;

    Observable() = default;
    // Registrations belong to one object: a copy starts without observers.
    Observable(const Observable&) {}
    Observable& operator=(const Observable&) { return *this; }
    virtual ~Observable() = default;

    // addObserver:forKeyPath: : calls `callback` after each change of `key`
    // while `observer` lives. One registration per observer and key:
    // registering again replaces the callback.
    template <typename T>
    void addObserver(const std::shared_ptr<T>& observer, std::string key, Callback callback) {
        addObserverWithIdentity(std::weak_ptr<const void>(observer), objectIdentity(observer.get()),
                                std::move(key), std::move(callback));
    }
    template <typename T>
    void removeObserver(const T* observer, std::string_view key) {
        removeObserverWithIdentity(objectIdentity(observer), key);
    }
    // Every registration of `observer`.
    template <typename T>
    void removeObserver(const T* observer) {
        removeObserverWithIdentity(objectIdentity(observer), std::string_view(), true);
    }

    // Live observers of `key`.
    std::size_t observerCount(std::string_view key) const;

    // The published value of `key`, carried as old and new value; null for
    // keys the object does not publish as a value.
    virtual Value valueForKey(std::string_view key) const;

  protected:
    // willChangeValueForKey: / didChangeValueForKey: around a change; pairs
    // may nest. didChange tells the observers.
    void willChangeValueForKey(std::string_view key);
    void didChangeValueForKey(std::string_view key);

    // A setter's whole work: stores `value` in `field` between willChange and
    // didChange. Observers hear of every set, as with the platform's setters.
    template <typename Field, typename Input>
    void setValueForKey(std::string_view key, Field& field, Input&& value) {
        willChangeValueForKey(key);
        field = std::forward<Input>(value);
        didChangeValueForKey(key);
    }

  private:
    struct Registration {
        std::weak_ptr<const void> observer;
        const void* identity;
        std::string key;
        std::shared_ptr<Callback> callback;
    };

    void addObserverWithIdentity(std::weak_ptr<const void> observer, const void* identity,
                                 std::string key, Callback callback);
    void removeObserverWithIdentity(const void* identity, std::string_view key,
                                    bool allKeys = false);
    // False once the registration was removed (or replaced) during a delivery.
    bool stillRegistered(const std::shared_ptr<Callback>& callback) const;

    mutable std::mutex mutex_;
    std::vector<Registration> registrations_;
    // Old values taken by willChange, per key, innermost last.
    std::map<std::string, std::vector<Value>, std::less<>> pendingOldValues_;
};

}  // namespace foundation
