#pragma once

// The caller's handle on one image load: its cache query, then its download.
// Cancelling it stops both and runs the cancel block once.

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/foundation/Operation.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDWebImageOperation.h"

class SDWebImageCombinedOperation : public SDWebImageOperation {
  public:
    void cancel() override;
    bool isCancelled() const { return cancelled_.load(); }
    // On an operation already cancelled the block runs at once and is not kept.
    void setCancelBlock(SDWebImageNoParamsBlock block);
    std::shared_ptr<foundation::Operation> cacheOperation() const;
    void setCacheOperation(std::shared_ptr<foundation::Operation> operation);

  private:
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    SDWebImageNoParamsBlock cancelBlock_;
    std::shared_ptr<foundation::Operation> cacheOperation_;
};
