#include "platform/net/URLSessionDataTask.h"

#include "platform/net/URLConnection.h"
#include "platform/net/URLSession.h"

namespace net {

// Collects the task's load and asks the session's delegate about redirects.
class SessionTaskDelegate : public URLConnectionDelegate {
  public:
    explicit SessionTaskDelegate(std::shared_ptr<URLSessionDataTask> task)
        : task_(std::move(task)) {}

    std::optional<URLRequest> connectionWillSendRequest(URLConnection&, const URLRequest& request,
                                                        const URLResponse* redirect) override {
        auto session = task_->session_.lock();
        if (redirect == nullptr || !session) {
            return request;
        }
        auto delegate = session->delegate();
        return delegate ? delegate->willPerformHTTPRedirection(*session, *task_, *redirect, request)
                        : request;
    }
    void connectionDidReceiveResponse(URLConnection&, const URLResponse& response) override {
        task_->response_ = response;
        data_.clear();
    }
    void connectionDidReceiveData(URLConnection&, const foundation::Data& data) override {
        data_.insert(data_.end(), data.begin(), data.end());
    }
    void connectionDidFinishLoading(URLConnection&) override {
        task_->complete(data_, task_->response_, std::nullopt);
    }
    void connectionDidFailWithError(URLConnection&, const URLError& error) override {
        task_->complete({}, task_->response_, error);
    }

  private:
    std::shared_ptr<URLSessionDataTask> task_;
    foundation::Data data_;
};

URLSessionDataTask::URLSessionDataTask(std::weak_ptr<URLSession> session, unsigned long identifier,
                                       URLRequest request, CompletionHandler handler)
    : session_(std::move(session)),
      identifier_(identifier),
      original_(std::move(request)),
      handler_(std::move(handler)) {}

void URLSessionDataTask::resume() {
    auto expected = State::suspended;
    if (!state_.compare_exchange_strong(expected, State::running)) {
        return;
    }
    auto session = session_.lock();
    if (!session || session->isInvalidated()) {
        cancel();
        return;
    }
    auto connection = std::make_shared<URLConnection>(
        session->prepare(original_), std::make_shared<SessionTaskDelegate>(shared_from_this()));
    connection->setDelegateQueue(session->delegateQueue());
    connection->setURLCache(session->configuration().urlCache);
    {
        std::lock_guard lock(mutex_);
        connection_ = connection;
    }
    connection->start();
}

void URLSessionDataTask::cancel() {
    const State state = state_.load();
    if (state == State::completed || state == State::canceling) {
        return;
    }
    state_ = State::canceling;
    std::shared_ptr<URLConnection> connection;
    {
        std::lock_guard lock(mutex_);
        connection = std::move(connection_);
    }
    if (connection) {
        connection->cancel();
    }
    auto self = shared_from_this();
    auto session = session_.lock();
    auto report = [self] {
        self->complete({}, std::nullopt,
                       URLError::make(URLErrorCode::cancelled,
                                      self->original_.url()
                                          ? std::optional(self->original_.url()->absoluteString())
                                          : std::nullopt));
    };
    if (session) {
        session->delegateQueue()->async(report);
    } else {
        report();
    }
}

void URLSessionDataTask::complete(const foundation::Data& data,
                                  const std::optional<URLResponse>& response,
                                  const std::optional<URLError>& error) {
    if (completed_.exchange(true)) {
        return;
    }
    state_ = State::completed;
    {
        std::lock_guard lock(mutex_);
        connection_.reset();
    }
    if (handler_) {
        auto handler = std::move(handler_);
        handler(data, response, error);
    }
}

}  // namespace net
