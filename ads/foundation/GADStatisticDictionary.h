#pragma once

// A thread-safe dictionary of statistics. Its values live on a serial queue
// of its own: reads wait for the queue, writes return at once and run on it
// in order, so a read right after a write on the same thread sees it. A
// write may ask for a change notice: the delegate hears once, on its own
// notification queue, for every change queued before the notice ran.
//
// Counters are whole numbers: what the platform kept as decimal numbers is
// an integer value here, and only integer values (or a missing key, counted
// as 0) are added to; a boolean, real or text under the key is left as it
// is. Every array value can be appended to.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "ads/foundation/GADStatisticDictionaryDelegate.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Value.h"

class GADStatisticDictionary : public std::enable_shared_from_this<GADStatisticDictionary> {
  public:
    static constexpr const char* kDefaultQueueLabel = "com.dezuvo.zizez.statistics";

    static std::shared_ptr<GADStatisticDictionary> make(
        const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate = nullptr,
        const std::string& queueLabel = kDefaultQueueLabel);
    GADStatisticDictionary(const GADStatisticDictionary&) = delete;
    GADStatisticDictionary& operator=(const GADStatisticDictionary&) = delete;

    void setObject(const std::string& key, foundation::Value object, bool shouldNotifyDelegate);
    // The same without a notice.
    void setObjectForKeyedSubscript(const std::string& key, foundation::Value object) {
        setObject(key, std::move(object), false);
    }
    // Null for a missing key. Never call it from the dictionary's own queue.
    foundation::Value objectForKey(const std::string& key) const;
    foundation::Value operator[](const std::string& key) const { return objectForKey(key); }
    void addDecimalNumber(std::int64_t number, const std::string& key, bool shouldNotifyDelegate);
    void incrementNumberForKey(const std::string& key, bool shouldNotifyDelegate) {
        addDecimalNumber(1, key, shouldNotifyDelegate);
    }
    void decrementNumberForKey(const std::string& key, bool shouldNotifyDelegate) {
        addDecimalNumber(-1, key, shouldNotifyDelegate);
    }
    // Appends to the array under the key, made when missing.
    void addObjectToArrayWithKey(foundation::Value object, const std::string& key,
                                 bool shouldNotifyDelegate);
    // A copy of every value.
    foundation::Dictionary dictionary() const;

    std::shared_ptr<GADStatisticDictionaryDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate);
    // Later changes are dropped; returns once the delegate's queue has run
    // every notice sent so far, then forgets the delegate. Never call it from
    // the delegate's notification queue.
    void didFinishModifying();

    // "<GADStatisticDictionary: 0x...>\nqueue: <label>\nstatistics: <JSON>".
    std::string description() const;
    const std::string& queueLabel() const { return serialQueue_->label(); }

  private:
    struct State;

    GADStatisticDictionary(const std::shared_ptr<GADStatisticDictionaryDelegate>& delegate,
                           const std::string& queueLabel);
    // Runs the change on the queue, then queues the coalesced notice.
    void modify(std::function<void(foundation::Dictionary&)> change, bool shouldNotifyDelegate);
    void sendNotice();

    std::shared_ptr<foundation::DispatchQueue> serialQueue_;
    std::shared_ptr<State> state_;
    mutable std::mutex delegateLock_;
    std::weak_ptr<GADStatisticDictionaryDelegate> delegate_;
};
