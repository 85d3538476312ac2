#pragma once

// A load of one request that tells a delegate of each step (see
// URLConnectionDelegate), following redirects the delegate allows, answering
// from the URL cache as the request's cache policy says and storing what may
// be stored, and asking the delegate for credentials when the server wants
// them (HTTP Basic, or the trust of a server whose certificate failed the
// check). Callbacks run on the delegate queue (the main queue unless set
// before start). A running connection keeps itself and its delegate alive
// until it finishes, fails or is cancelled; after cancel() the delegate hears
// nothing more. start() and cancel() are safe from any thread.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/foundation/Data.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/TaskQueue.h"
#include "platform/net/URLCache.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLCredential.h"
#include "platform/net/URLError.h"
#include "platform/net/URLProtectionSpace.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLLoader;

class URLConnection : public std::enable_shared_from_this<URLConnection> {
  public:
    static constexpr int kMaximumRedirects = 16;
    // Refused credentials after which a Basic challenge is no longer asked:
    // its 401 answer is delivered.
    static constexpr int kMaximumAuthenticationFailures = 16;

    struct Result {
        std::optional<URLResponse> response;
        foundation::Data data;
        std::optional<URLError> error;
    };
    using CompletionHandler = std::function<void(const Result&)>;

    // connectionWithRequest:delegate:startImmediately:
    static std::shared_ptr<URLConnection> make(URLRequest request,
                                               std::shared_ptr<URLConnectionDelegate> delegate,
                                               bool startImmediately = true);
    // sendSynchronousRequest:returningResponse:error: , on the calling thread
    // (never the thread of the queue it would wait for).
    static Result sendSynchronousRequest(const URLRequest& request);
    // sendAsynchronousRequest:queue:completionHandler:
    static void sendAsynchronousRequest(const URLRequest& request,
                                        std::shared_ptr<foundation::TaskQueue> queue,
                                        CompletionHandler handler);

    URLConnection(URLRequest request, std::shared_ptr<URLConnectionDelegate> delegate);
    ~URLConnection();

    // scheduleInRunLoop / setDelegateQueue: ; only before start. The queue
    // must run its blocks one at a time, in order.
    void setDelegateQueue(std::shared_ptr<foundation::TaskQueue> queue);
    // scheduleInRunLoop:forMode: : callbacks run on `loop`'s thread; only
    // before start.
    void scheduleInRunLoop(const foundation::RunLoop& loop) { setDelegateQueue(loop.taskQueue()); }
    // The cache consulted and filled (the shared one by default; nullptr: none).
    void setURLCache(URLCache* cache) { cache_ = cache; }

    void start();
    void cancel();

    const URLRequest& originalRequest() const { return original_; }
    const URLRequest& currentRequest() const { return current_; }

  private:
    class Sink;

    void begin();
    bool answerFromCache();
    void startLoad();
    void handleResponse(const URLResponse& response);
    // True when the 401 answer was taken: sent again with a credential, or
    // failed as cancelled.
    bool handleBasicChallenge(const URLResponse& response);
    bool handleServerTrustChallenge();
    void sendWithCredential(const URLCredential& credential, const URLProtectionSpace& space);
    void handleData(const foundation::Data& data);
    void handleFinish();
    void handleFail(const URLError& error);
    void deliverResponse(const URLResponse& response);
    // Cancels and drops the running loader.
    void dropLoader();
    // Drops the loader, the delegate and the connection's hold on itself.
    void end();
    void post(std::function<void(URLConnection&)> step, unsigned generation);

    URLRequest original_;
    URLRequest current_;
    std::shared_ptr<URLConnectionDelegate> delegate_;
    std::shared_ptr<foundation::TaskQueue> queue_;
    URLCache* cache_;
    std::shared_ptr<URLConnection> self_;
    std::shared_ptr<URLLoader> loader_;
    std::mutex loaderMutex_;
    bool started_ = false;
    std::atomic<bool> ended_{false};
    unsigned generation_ = 0;
    int redirects_ = 0;
    std::optional<URLResponse> response_;
    foundation::Data received_;
    bool storable_ = false;
    bool verifiesServerTrust_ = true;
    // The credential sent with each load, for the space that asked for it.
    std::optional<URLCredential> credential_;
    std::optional<URLProtectionSpace> credentialSpace_;
    int authenticationFailures_ = 0;
    std::optional<bool> usesCredentialStorage_;
};

}  // namespace net
