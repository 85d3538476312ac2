#include "ads/foundation/GADStatisticDictionary.h"

#include <cstdio>

#include "platform/foundation/JSON.h"

// What lives on the serial queue: touched only by blocks running there.
struct GADStatisticDictionary::State {
    foundation::Dictionary statistics;
    bool allowDictionaryModification = true;
    bool hasEnqueuedNotificationBlock = false;
};

std::shared_ptr<GADStatisticDictionary> GADStatisticDictionary::make(
    const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate,
    const std::string& queueLabel) {
    return std::shared_ptr<GADStatisticDictionary>(
        new GADStatisticDictionary(delegate, queueLabel));
}

GADStatisticDictionary::GADStatisticDictionary(
    const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate, const std::string& queueLabel)
    : serialQueue_(foundation::DispatchQueue::makeSerial(queueLabel)),
      state_(std::make_shared<State>()),
      delegate_(delegate) {}

void GADStatisticDictionary::modify(std::function<void(foundation::Dictionary&)> change,
                                    bool shouldNotifyDelegate) {
    std::shared_ptr<GADStatisticDictionary> self = shared_from_this();
    serialQueue_->async([self, change = std::move(change), shouldNotifyDelegate] {
        State& state = *self->state_;
        if (!state.allowDictionaryModification) {
            return;
        }
        change(state.statistics);
        if (shouldNotifyDelegate && !state.hasEnqueuedNotificationBlock) {
            state.hasEnqueuedNotificationBlock = true;
            self->serialQueue_->async([self] { self->sendNotice(); });
        }
    });
}

void GADStatisticDictionary::sendNotice() {
    state_->hasEnqueuedNotificationBlock = false;
    std::shared_ptr<GADStatisticDictionaryDelegate> current = delegate();
    if (!current) {
        return;
    }
    std::shared_ptr<foundation::TaskQueue> queue = current->notificationQueue();
    if (!queue) {
        return;
    }
    std::shared_ptr<GADStatisticDictionary> self = shared_from_this();
    queue->async([self] {
        if (std::shared_ptr<GADStatisticDictionaryDelegate> target = self->delegate()) {
            target->didUpdateStatisticDictionary(self);
        }
    });
}

void GADStatisticDictionary::setObject(const std::string& key, foundation::Value object,
                                       bool shouldNotifyDelegate) {
    modify([key, object = std::move(object)](
               foundation::Dictionary& statistics) { statistics[key] = object; },
           shouldNotifyDelegate);
}

foundation::Value GADStatisticDictionary::objectForKey(const std::string& key) const {
    foundation::Value value;
    serialQueue_->sync([&] {
        auto found = state_->statistics.find(key);
        if (found != state_->statistics.end()) {
            value = found->second;
        }
    });
    return value;
}

void GADStatisticDictionary::addDecimalNumber(std::int64_t number, const std::string& key,
                                              bool shouldNotifyDelegate) {
    modify(
        [key, number](foundation::Dictionary& statistics) {
            auto found = statistics.find(key);
            if (found == statistics.end()) {
                statistics[key] = number;
            } else if (found->second.isInteger()) {
                found->second = found->second.integerValue() + number;
            }
        },
        shouldNotifyDelegate);
}

void GADStatisticDictionary::addObjectToArrayWithKey(foundation::Value object,
                                                     const std::string& key,
                                                     bool shouldNotifyDelegate) {
    modify(
        [key, object = std::move(object)](foundation::Dictionary& statistics) {
            auto found = statistics.find(key);
            if (found == statistics.end()) {
                statistics[key] = foundation::Array{object};
            } else if (foundation::Array* array = found->second.asMutableArray()) {
                array->push_back(object);
            }
        },
        shouldNotifyDelegate);
}

foundation::Dictionary GADStatisticDictionary::dictionary() const {
    foundation::Dictionary copy;
    serialQueue_->sync([&] { copy = state_->statistics; });
    return copy;
}

std::shared_ptr<GADStatisticDictionaryDelegate> GADStatisticDictionary::delegate() const {
    std::lock_guard lock(delegateLock_);
    return delegate_.lock();
}

void GADStatisticDictionary::setDelegate(
    const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate) {
    std::lock_guard lock(delegateLock_);
    delegate_ = delegate;
}

void GADStatisticDictionary::didFinishModifying() {
    serialQueue_->sync([&] { state_->allowDictionaryModification = false; });
    // Notices already queued on the serial queue go out first, then the
    // delegate's queue runs them.
    std::shared_ptr<foundation::TaskQueue> queue;
    serialQueue_->sync([&] {
        if (std::shared_ptr<GADStatisticDictionaryDelegate> current = delegate()) {
            queue = current->notificationQueue();
        }
    });
    if (auto dispatchQueue = std::dynamic_pointer_cast<foundation::DispatchQueue>(queue)) {
        dispatchQueue->sync([] {});
    }
    setDelegate(nullptr);
}

std::string GADStatisticDictionary::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    foundation::Value statistics(dictionary());
    std::optional<std::string> json =
        foundation::JSON::write(statistics, foundation::JSON::Style::Pretty);
    return "<GADStatisticDictionary: " + std::string(address) + ">\nqueue: " + queueLabel() +
           "\nstatistics: " + (json ? *json : statistics.description());
}
