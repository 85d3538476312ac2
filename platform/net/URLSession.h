#pragma once

// A group of loads sharing a configuration, a delegate and the queue their
// completions run on. Tasks start suspended: resume() starts them.

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/foundation/TaskQueue.h"
#include "platform/foundation/URL.h"
#include "platform/net/URLSessionConfiguration.h"
#include "platform/net/URLSessionDataTask.h"
#include "platform/net/URLSessionDelegate.h"

namespace net {

class URLSession : public std::enable_shared_from_this<URLSession> {
  public:
    // The process's session (default configuration, no delegate, completions
    // on a serial queue of its own); lives for the process.
    static const std::shared_ptr<URLSession>& shared();
    // sessionWithConfiguration:delegate:delegateQueue: ; without a queue the
    // session makes a serial one. The delegate is held until invalidation.
    static std::shared_ptr<URLSession> make(
        URLSessionConfiguration configuration = {},
        std::shared_ptr<URLSessionDelegate> delegate = nullptr,
        std::shared_ptr<foundation::TaskQueue> delegateQueue = nullptr);

    URLSession(URLSessionConfiguration configuration, std::shared_ptr<URLSessionDelegate> delegate,
               std::shared_ptr<foundation::TaskQueue> delegateQueue);

    const URLSessionConfiguration& configuration() const { return configuration_; }
    const std::shared_ptr<foundation::TaskQueue>& delegateQueue() const { return queue_; }
    std::shared_ptr<URLSessionDelegate> delegate() const;

    std::shared_ptr<URLSessionDataTask> dataTaskWithRequest(
        const URLRequest& request, URLSessionDataTask::CompletionHandler handler);
    std::shared_ptr<URLSessionDataTask> dataTaskWithURL(
        const foundation::URL& url, URLSessionDataTask::CompletionHandler handler);

    // Cancels every running task and refuses new ones (they fail as cancelled).
    void invalidateAndCancel();
    bool isInvalidated() const { return invalidated_.load(); }

    // The request as the session sends it (configuration applied).
    URLRequest prepare(const URLRequest& request) const;

  private:
    URLSessionConfiguration configuration_;
    mutable std::mutex mutex_;
    std::shared_ptr<URLSessionDelegate> delegate_;
    std::shared_ptr<foundation::TaskQueue> queue_;
    std::vector<std::weak_ptr<URLSessionDataTask>> tasks_;
    std::atomic<unsigned long> nextIdentifier_{1};
    std::atomic<bool> invalidated_{false};
};

}  // namespace net
