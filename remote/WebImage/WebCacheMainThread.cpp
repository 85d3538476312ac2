#include "remote/WebImage/WebCacheMainThread.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Thread.h"

namespace WebCacheMainThread {

void async(std::function<void()> block) {
    if (foundation::Thread::isMainThread()) {
        block();
    } else {
        foundation::DispatchQueue::main()->async(std::move(block));
    }
}

void sync(const std::function<void()>& block) {
    foundation::DispatchQueue::runOnMainSync(block);
}

void deliver(const graphics::Image::Ptr& image, const std::optional<foundation::Error>& error,
             SDImageCacheSource source, bool finished,
             const std::optional<foundation::URL>& imageURL, SDWebImageLoadOptions options,
             const SDWebImageCompletionBlock& completedBlock,
             const std::function<void(const graphics::Image::Ptr&)>& show) {
    sync([&] {
        if (image && (options & SDWebImageLoadOption::avoidAutoSetImage) != 0 && completedBlock) {
            completedBlock(image, error, source, imageURL);
            return;
        }
        show(image);
        if (completedBlock && finished) {
            completedBlock(image, error, source, imageURL);
        }
    });
}

}  // namespace WebCacheMainThread
