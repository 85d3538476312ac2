#pragma once

// A bounded pool of reusable objects: a caller takes any one member out, and
// objects given back are kept only while the pool is below its capacity.
// Every access runs on the pool's own serial queue, so an object added from a
// thread is seen by that thread's next take. A memory warning empties it.
// Members leave the pool on the caller's thread or, when dropped for want of
// room, on the main thread, never on the pool's queue.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/ui/Application.h"

template <typename T>
class GADCacheSet {
  public:
    explicit GADCacheSet(std::uint64_t maxCapacity)
        : queue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.cache-set")),
          members_(std::make_shared<Members>()),
          maxCapacity_(maxCapacity) {
        std::weak_ptr<Members> weak = members_;
        auto queue = queue_;
        observer_ = foundation::NotificationCenter::defaultCenter().addObserver(
            ui::ApplicationDidReceiveMemoryWarningNotification, nullptr,
            foundation::OperationQueue::main(), [weak, queue](const foundation::Notification&) {
                if (auto members = weak.lock()) {
                    removeAll(*queue, *members);
                }
            });
    }
    virtual ~GADCacheSet() {
        foundation::NotificationCenter::defaultCenter().removeObserver(observer_);
    }
    GADCacheSet(const GADCacheSet&) = delete;
    GADCacheSet& operator=(const GADCacheSet&) = delete;

    // Takes one member out of the pool; nullptr when it is empty.
    virtual std::shared_ptr<T> anyObject() {
        std::shared_ptr<T> taken;
        queue_->sync([&] {
            if (!members_->empty()) {
                taken = *members_->begin();
                members_->erase(members_->begin());
            }
        });
        return taken;
    }
    // Adds the object later on the queue, unless the pool is full by then.
    virtual void addObject(std::shared_ptr<T> object) {
        if (!object) {
            return;
        }
        std::weak_ptr<Members> weak = members_;
        queue_->async([weak, capacity = maxCapacity_, object = std::move(object)]() mutable {
            auto members = weak.lock();
            if (members && members->size() < capacity) {
                members->insert(std::move(object));
            } else {
                foundation::DispatchQueue::main()->async([dropped = std::move(object)] {});
            }
        });
    }
    void removeAllObjects() { removeAll(*queue_, *members_); }
    // The members now, after every add asked for before.
    std::size_t count() const {
        std::size_t members = 0;
        queue_->sync([&] { members = members_->size(); });
        return members;
    }
    std::uint64_t maxCapacity() const { return maxCapacity_; }

  private:
    using Members = std::set<std::shared_ptr<T>>;

    // Empties the members on the queue; they are released on the calling thread.
    static void removeAll(foundation::DispatchQueue& queue, Members& members) {
        Members dropped;
        queue.sync([&] { dropped.swap(members); });
    }

    std::shared_ptr<foundation::DispatchQueue> queue_;
    std::shared_ptr<Members> members_;
    std::uint64_t maxCapacity_;
    foundation::NotificationCenter::ObserverToken observer_;
};
