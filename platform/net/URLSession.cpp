#include "platform/net/URLSession.h"

#include "platform/foundation/DispatchQueue.h"

namespace net {

const std::shared_ptr<URLSession>& URLSession::shared() {
    static auto* session = new std::shared_ptr<URLSession>(make());
    return *session;
}

std::shared_ptr<URLSession> URLSession::make(URLSessionConfiguration configuration,
                                             std::shared_ptr<URLSessionDelegate> delegate,
                                             std::shared_ptr<foundation::TaskQueue> delegateQueue) {
    if (!delegateQueue) {
        delegateQueue = foundation::DispatchQueue::makeSerial("net.session.delegate");
    }
    return std::make_shared<URLSession>(std::move(configuration), std::move(delegate),
                                        std::move(delegateQueue));
}

URLSession::URLSession(URLSessionConfiguration configuration,
                       std::shared_ptr<URLSessionDelegate> delegate,
                       std::shared_ptr<foundation::TaskQueue> delegateQueue)
    : configuration_(std::move(configuration)),
      delegate_(std::move(delegate)),
      queue_(std::move(delegateQueue)) {}

std::shared_ptr<URLSessionDelegate> URLSession::delegate() const {
    std::lock_guard lock(mutex_);
    return delegate_;
}

URLRequest URLSession::prepare(const URLRequest& request) const {
    URLRequest prepared = request;
    if (prepared.timeoutInterval() == URLRequest::kDefaultTimeoutInterval) {
        prepared.setTimeoutInterval(configuration_.timeoutIntervalForRequest);
    }
    if (prepared.cachePolicy() == URLRequestCachePolicy::useProtocolCachePolicy) {
        prepared.setCachePolicy(configuration_.requestCachePolicy);
    }
    for (const auto& [name, value] : configuration_.httpAdditionalHeaders.fields()) {
        if (!prepared.valueForHTTPHeaderField(name)) {
            prepared.setValue(value, name);
        }
    }
    if (!configuration_.httpShouldSetCookies) {
        prepared.setHTTPShouldHandleCookies(false);
    }
    return prepared;
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTaskWithRequest(
    const URLRequest& request, URLSessionDataTask::CompletionHandler handler) {
    auto task = std::make_shared<URLSessionDataTask>(weak_from_this(), nextIdentifier_++, request,
                                                     std::move(handler));
    std::lock_guard lock(mutex_);
    std::erase_if(tasks_, [](const auto& weak) { return weak.expired(); });
    tasks_.push_back(task);
    return task;
}

std::shared_ptr<URLSessionDataTask> URLSession::dataTaskWithURL(
    const foundation::URL& url, URLSessionDataTask::CompletionHandler handler) {
    return dataTaskWithRequest(URLRequest(url), std::move(handler));
}

void URLSession::invalidateAndCancel() {
    invalidated_ = true;
    std::vector<std::weak_ptr<URLSessionDataTask>> tasks;
    {
        std::lock_guard lock(mutex_);
        tasks.swap(tasks_);
        delegate_.reset();
    }
    for (const auto& weak : tasks) {
        if (auto task = weak.lock()) {
            task->cancel();
        }
    }
}

}  // namespace net
