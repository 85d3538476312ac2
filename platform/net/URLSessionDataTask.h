#pragma once

// One load of a URL session, delivered whole to a completion handler on the
// session's delegate queue: exactly once, with the data and response or with
// an error (a cancelled task reports the cancelled error).

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/foundation/Data.h"
#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLConnection;
class URLSession;

class URLSessionDataTask : public std::enable_shared_from_this<URLSessionDataTask> {
  public:
    enum class State { running = 0, suspended = 1, canceling = 2, completed = 3 };
    using CompletionHandler =
        std::function<void(const foundation::Data& data, const std::optional<URLResponse>& response,
                           const std::optional<URLError>& error)>;

    URLSessionDataTask(std::weak_ptr<URLSession> session, unsigned long identifier,
                       URLRequest request, CompletionHandler handler);

    unsigned long taskIdentifier() const { return identifier_; }
    const URLRequest& originalRequest() const { return original_; }
    State state() const { return state_.load(); }
    // The response once it arrived (read it on the delegate queue).
    const std::optional<URLResponse>& response() const { return response_; }

    // Starts a suspended task; does nothing otherwise.
    void resume();
    void cancel();

  private:
    friend class SessionTaskDelegate;

    void complete(const foundation::Data& data, const std::optional<URLResponse>& response,
                  const std::optional<URLError>& error);

    std::weak_ptr<URLSession> session_;
    unsigned long identifier_;
    URLRequest original_;
    CompletionHandler handler_;
    std::atomic<State> state_{State::suspended};
    std::mutex mutex_;
    std::shared_ptr<URLConnection> connection_;
    std::optional<URLResponse> response_;
    std::atomic<bool> completed_{false};
};

}  // namespace net
