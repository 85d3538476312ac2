#pragma once

// What a statistics dictionary tells its owner: that it changed, on the
// queue the owner names.

#include <memory>

#include "platform/foundation/TaskQueue.h"

class GADStatisticDictionary;

class GADStatisticDictionaryDelegate {
  public:
    virtual ~GADStatisticDictionaryDelegate() = default;
    // Where notices go; nullptr means no notices.
    virtual std::shared_ptr<foundation::TaskQueue> notificationQueue() = 0;
    virtual void didUpdateStatisticDictionary(
        const std::shared_ptr<GADStatisticDictionary>& dictionary) = 0;
};
