#include "remote/WebImage/SDWebImageCombinedOperation.h"

void SDWebImageCombinedOperation::cancel() {
    std::shared_ptr<foundation::Operation> cacheOperation;
    SDWebImageNoParamsBlock cancelBlock;
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        cacheOperation = std::move(cacheOperation_);
        cancelBlock = std::move(cancelBlock_);
    }
    if (cacheOperation) {
        cacheOperation->cancel();
    }
    if (cancelBlock) {
        cancelBlock();
    }
}

void SDWebImageCombinedOperation::setCancelBlock(SDWebImageNoParamsBlock block) {
    {
        std::lock_guard lock(mutex_);
        if (!cancelled_) {
            cancelBlock_ = std::move(block);
            return;
        }
    }
    if (block) {
        block();
    }
}

std::shared_ptr<foundation::Operation> SDWebImageCombinedOperation::cacheOperation() const {
    std::lock_guard lock(mutex_);
    return cacheOperation_;
}

void SDWebImageCombinedOperation::setCacheOperation(
    std::shared_ptr<foundation::Operation> operation) {
    std::lock_guard lock(mutex_);
    cacheOperation_ = std::move(operation);
}
