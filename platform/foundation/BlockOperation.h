#pragma once

// An operation made of blocks, run one after another; it finishes when the
// last one returned.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/Operation.h"

namespace foundation {

class BlockOperation : public Operation {
  public:
    static std::shared_ptr<BlockOperation> make(std::function<void()> block);

    void addExecutionBlock(std::function<void()> block);
    void main() override;

  private:
    std::mutex blocksMutex_;
    std::vector<std::function<void()>> blocks_;
};

}  // namespace foundation
