#include "platform/net/URLConnection.h"

#include <condition_variable>

#include <span>

#include "platform/crypto/Base64.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/net/URLCredentialStorage.h"
#include "platform/net/URLLoader.h"

namespace net {

// Moves the loader's events onto the delegate queue, tagged with the load
// they belong to, so the events of an abandoned redirect hop are dropped.
class URLConnection::Sink : public URLLoaderSink {
  public:
    Sink(std::weak_ptr<URLConnection> connection, unsigned generation)
        : connection_(std::move(connection)), generation_(generation) {}

    void loaderDidReceiveResponse(const URLResponse& response) override {
        send([response](URLConnection& c) { c.handleResponse(response); });
    }
    void loaderDidReceiveData(const foundation::Data& data) override {
        send([data](URLConnection& c) { c.handleData(data); });
    }
    void loaderDidFinish() override {
        send([](URLConnection& c) { c.handleFinish(); });
    }
    void loaderDidFail(const URLError& error) override {
        send([error](URLConnection& c) { c.handleFail(error); });
    }

  private:
    void send(std::function<void(URLConnection&)> step) {
        if (auto connection = connection_.lock()) {
            connection->post(std::move(step), generation_);
        }
    }

    std::weak_ptr<URLConnection> connection_;
    unsigned generation_;
};

namespace {

// Collects a whole load for the block-based forms.
class CollectingDelegate : public URLConnectionDelegate {
  public:
    explicit CollectingDelegate(URLConnection::CompletionHandler handler)
        : handler_(std::move(handler)) {}

    void connectionDidReceiveResponse(URLConnection&, const URLResponse& response) override {
        result_.response = response;
        result_.data.clear();
    }
    void connectionDidReceiveData(URLConnection&, const foundation::Data& data) override {
        result_.data.insert(result_.data.end(), data.begin(), data.end());
    }
    void connectionDidFinishLoading(URLConnection&) override { handler_(result_); }
    void connectionDidFailWithError(URLConnection&, const URLError& error) override {
        result_.error = error;
        result_.data.clear();
        handler_(result_);
    }

  private:
    URLConnection::CompletionHandler handler_;
    URLConnection::Result result_;
};

URLProtectionSpace protectionSpaceFor(const foundation::URL& url, URLAuthenticationMethod method,
                                      std::optional<std::string> realm = std::nullopt) {
    const std::string scheme = foundation::lowercase(url.scheme());
    return URLProtectionSpace{url.host().value_or(""),
                              url.port().value_or(scheme == "https" ? 443 : 80), scheme,
                              std::move(realm), method};
}

// The realm of the Basic challenge in a WWW-Authenticate field, empty when the
// challenge names none; nullopt when the field offers no Basic challenge.
std::optional<std::string> basicChallengeRealm(const std::string& field) {
    const std::string lower = foundation::lowercase(field);
    const auto isBoundary = [&](std::size_t at) {
        return at >= lower.size() || lower[at] == ' ' || lower[at] == ',';
    };
    std::size_t at = 0;
    while ((at = lower.find("basic", at)) != std::string::npos) {
        if ((at == 0 || isBoundary(at - 1)) && isBoundary(at + 5)) {
            break;
        }
        ++at;
    }
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const auto realm = lower.find("realm=", at);
    if (realm == std::string::npos) {
        return std::string();
    }
    std::size_t from = realm + 6;
    const bool quoted = from < field.size() && field[from] == '"';
    from += quoted ? 1 : 0;
    const auto end = field.find_first_of(quoted ? "\"" : " ,", from);
    return field.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

std::string basicAuthorization(const URLCredential& credential) {
    const std::string pair = credential.user() + ":" + credential.password();
    return "Basic " + crypto::Base64::encode(std::span(
                          reinterpret_cast<const std::uint8_t*>(pair.data()), pair.size()));
}

// Runs blocks on the loading threads themselves, for the synchronous form.
class InlineQueue : public foundation::TaskQueue {
  public:
    void async(Task task) override { task(); }
    bool isCurrent() const override { return false; }
};

}  // namespace

std::shared_ptr<URLConnection> URLConnection::make(URLRequest request,
                                                   std::shared_ptr<URLConnectionDelegate> delegate,
                                                   bool startImmediately) {
    auto connection = std::make_shared<URLConnection>(std::move(request), std::move(delegate));
    if (startImmediately) {
        connection->start();
    }
    return connection;
}

URLConnection::Result URLConnection::sendSynchronousRequest(const URLRequest& request) {
    struct Waiter {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<Result> result;
    };
    auto waiter = std::make_shared<Waiter>();
    auto delegate = std::make_shared<CollectingDelegate>([waiter](const Result& result) {
        std::lock_guard lock(waiter->mutex);
        waiter->result = result;
        waiter->done.notify_all();
    });
    auto connection = std::make_shared<URLConnection>(request, delegate);
    connection->setDelegateQueue(std::make_shared<InlineQueue>());
    connection->start();
    std::unique_lock lock(waiter->mutex);
    waiter->done.wait(lock, [&] { return waiter->result.has_value(); });
    return *waiter->result;
}

void URLConnection::sendAsynchronousRequest(const URLRequest& request,
                                            std::shared_ptr<foundation::TaskQueue> queue,
                                            CompletionHandler handler) {
    auto connection = std::make_shared<URLConnection>(
        request, std::make_shared<CollectingDelegate>(std::move(handler)));
    if (queue) {
        connection->setDelegateQueue(std::move(queue));
    }
    connection->start();
}

URLConnection::URLConnection(URLRequest request, std::shared_ptr<URLConnectionDelegate> delegate)
    : original_(request),
      current_(std::move(request)),
      delegate_(std::move(delegate)),
      queue_(foundation::DispatchQueue::main()),
      cache_(&URLCache::shared()) {}

URLConnection::~URLConnection() {
    std::lock_guard lock(loaderMutex_);
    if (loader_) {
        loader_->cancel();
    }
}

void URLConnection::setDelegateQueue(std::shared_ptr<foundation::TaskQueue> queue) {
    if (!started_ && queue) {
        queue_ = std::move(queue);
    }
}

void URLConnection::start() {
    if (started_ || ended_) {
        return;
    }
    started_ = true;
    self_ = shared_from_this();
    post([](URLConnection& c) { c.begin(); }, generation_);
}

void URLConnection::cancel() {
    if (ended_.exchange(true)) {
        return;
    }
    std::shared_ptr<URLLoader> loader;
    {
        std::lock_guard lock(loaderMutex_);
        loader = std::move(loader_);
    }
    if (loader) {
        loader->cancel();
    }
    // The connection's hold on itself and its delegate go on the delegate
    // queue, so a cancel from inside a callback does not end it mid-call.
    auto self = std::move(self_);
    auto delegate = std::move(delegate_);
    queue_->async([self, delegate] {});
}

void URLConnection::post(std::function<void(URLConnection&)> step, unsigned generation) {
    auto self = shared_from_this();
    queue_->async([self, step = std::move(step), generation] {
        if (!self->ended_ && generation == self->generation_) {
            step(*self);
        }
    });
}

void URLConnection::begin() {
    auto delegate = delegate_;
    std::optional<URLRequest> request =
        delegate ? delegate->connectionWillSendRequest(*this, current_, nullptr) : current_;
    if (ended_) {
        return;
    }
    if (!request) {
        handleFail(URLError::make(
            URLErrorCode::cancelled,
            original_.url() ? std::optional(original_.url()->absoluteString()) : std::nullopt));
        return;
    }
    current_ = std::move(*request);
    if (!answerFromCache()) {
        startLoad();
    }
}

bool URLConnection::answerFromCache() {
    const auto policy = current_.cachePolicy();
    if (cache_ == nullptr || policy == URLRequestCachePolicy::reloadIgnoringLocalCacheData) {
        if (policy == URLRequestCachePolicy::returnCacheDataDontLoad) {
            handleFail(URLError::make(URLErrorCode::resourceUnavailable));
            return true;
        }
        return false;
    }
    auto cached = cache_->cachedResponseForRequest(current_);
    const bool usable = cached && (policy != URLRequestCachePolicy::useProtocolCachePolicy ||
                                   URLCache::isFresh(*cached));
    if (!usable) {
        if (policy == URLRequestCachePolicy::returnCacheDataDontLoad) {
            handleFail(URLError::make(
                URLErrorCode::resourceUnavailable,
                current_.url() ? std::optional(current_.url()->absoluteString()) : std::nullopt));
            return true;
        }
        return false;
    }
    const unsigned generation = ++generation_;
    post([cached](URLConnection& c) { c.deliverResponse(cached->response); }, generation);
    if (!cached->data.empty()) {
        post([cached](URLConnection& c) { c.handleData(cached->data); }, generation);
    }
    post(
        [](URLConnection& c) {
            c.storable_ = false;
            c.handleFinish();
        },
        generation);
    return true;
}

void URLConnection::startLoad() {
    const unsigned generation = ++generation_;
    response_.reset();
    received_.clear();
    URLRequest request = current_;
    if (credential_) {
        request.setValue(basicAuthorization(*credential_), "Authorization");
    }
    auto loader =
        URLLoader::start(std::move(request), std::make_shared<Sink>(weak_from_this(), generation),
                         verifiesServerTrust_);
    std::lock_guard lock(loaderMutex_);
    if (ended_) {
        loader->cancel();
        return;
    }
    loader_ = std::move(loader);
}

void URLConnection::handleResponse(const URLResponse& response) {
    if (credential_ && credentialSpace_ && response.statusCode() != 401 &&
        usesCredentialStorage_.value_or(false)) {
        URLCredentialStorage::shared().setDefaultCredential(*credential_, *credentialSpace_);
    }
    if (response.isRedirect()) {
        const auto location =
            current_.url() ? foundation::URL::fromString(
                                 *response.valueForHTTPHeaderField("Location"), *current_.url())
                           : std::nullopt;
        if (!location) {
            handleFail(URLError::make(URLErrorCode::redirectToNonExistentLocation,
                                      response.url().absoluteString()));
            return;
        }
        if (redirects_ >= kMaximumRedirects) {
            handleFail(URLError::make(URLErrorCode::httpTooManyRedirects,
                                      response.url().absoluteString()));
            return;
        }
        URLRequest next = current_;
        next.setURL(*location);
        const int status = response.statusCode();
        if (status == 303 ||
            ((status == 301 || status == 302) && current_.httpMethod() == "POST")) {
            next.setHTTPMethod("GET");
            next.setHTTPBody({});
            next.setValue(std::nullopt, "Content-Type");
            next.setValue(std::nullopt, "Content-Length");
        }
        auto delegate = delegate_;
        std::optional<URLRequest> accepted =
            delegate ? delegate->connectionWillSendRequest(*this, next, &response) : next;
        if (ended_) {
            return;
        }
        if (accepted) {
            ++redirects_;
            dropLoader();
            // The new address challenges anew.
            credential_.reset();
            credentialSpace_.reset();
            authenticationFailures_ = 0;
            current_ = std::move(*accepted);
            if (!answerFromCache()) {
                startLoad();
            }
            return;
        }
    }
    if (response.isHTTP() && response.statusCode() == 401 && handleBasicChallenge(response)) {
        return;
    }
    deliverResponse(response);
}

bool URLConnection::handleBasicChallenge(const URLResponse& response) {
    auto delegate = delegate_;
    const auto field = response.valueForHTTPHeaderField("WWW-Authenticate");
    const auto realm = field ? basicChallengeRealm(*field) : std::nullopt;
    if (!delegate || !realm || !current_.url()) {
        return false;
    }
    const auto space =
        protectionSpaceFor(*current_.url(), URLAuthenticationMethod::httpBasic,
                           realm->empty() ? std::nullopt : std::optional<std::string>(*realm));
    if (credential_) {
        ++authenticationFailures_;
    }
    if (!usesCredentialStorage_) {
        usesCredentialStorage_ = delegate->connectionShouldUseCredentialStorage(*this);
        if (ended_) {
            return true;
        }
    }
    const auto stored =
        *usesCredentialStorage_
            ? URLCredentialStorage::shared().defaultCredentialForProtectionSpace(space)
            : std::nullopt;
    // A stored credential goes first, without asking.
    if (stored && !credential_) {
        sendWithCredential(*stored, space);
        return true;
    }
    if (authenticationFailures_ >= kMaximumAuthenticationFailures) {
        return false;
    }
    const auto answer = delegate->connectionWillSendRequestForAuthenticationChallenge(
        *this, URLAuthenticationChallenge{space, authenticationFailures_, stored, response});
    if (ended_) {
        return true;
    }
    if (answer.disposition == AuthChallengeDisposition::cancelAuthenticationChallenge) {
        handleFail(URLError::make(URLErrorCode::userCancelledAuthentication,
                                  current_.url()->absoluteString()));
        return true;
    }
    if (answer.disposition == AuthChallengeDisposition::useCredential && answer.credential &&
        !answer.credential->isForTrust()) {
        sendWithCredential(*answer.credential, space);
        return true;
    }
    return false;
}

void URLConnection::sendWithCredential(const URLCredential& credential,
                                       const URLProtectionSpace& space) {
    credential_ = credential;
    credentialSpace_ = space;
    dropLoader();
    startLoad();
}

// Asked after the server's certificate failed the check: only a credential
// for the trust sends the request again, unchecked.
bool URLConnection::handleServerTrustChallenge() {
    auto delegate = delegate_;
    if (!delegate || !current_.url()) {
        return false;
    }
    const auto answer = delegate->connectionWillSendRequestForAuthenticationChallenge(
        *this, URLAuthenticationChallenge{
                   protectionSpaceFor(*current_.url(), URLAuthenticationMethod::serverTrust), 0,
                   std::nullopt, std::nullopt});
    if (ended_) {
        return true;
    }
    if (answer.disposition != AuthChallengeDisposition::useCredential || !answer.credential ||
        !answer.credential->isForTrust()) {
        return false;
    }
    verifiesServerTrust_ = false;
    startLoad();
    return true;
}

void URLConnection::deliverResponse(const URLResponse& response) {
    response_ = response;
    received_.clear();
    storable_ = cache_ != nullptr && URLCache::isStorable(current_, response);
    if (auto delegate = delegate_) {
        delegate->connectionDidReceiveResponse(*this, response);
    }
}

void URLConnection::handleData(const foundation::Data& data) {
    if (storable_) {
        received_.insert(received_.end(), data.begin(), data.end());
    }
    if (auto delegate = delegate_) {
        delegate->connectionDidReceiveData(*this, data);
    }
}

void URLConnection::handleFinish() {
    auto delegate = delegate_;
    if (storable_ && response_ && delegate) {
        if (auto cached = delegate->connectionWillCacheResponse(
                *this, CachedURLResponse{*response_, received_, 0})) {
            cache_->storeCachedResponse(std::move(*cached), current_);
        }
    }
    if (ended_) {
        return;
    }
    end();
    if (delegate) {
        delegate->connectionDidFinishLoading(*this);
    }
}

void URLConnection::handleFail(const URLError& error) {
    if (error.code == URLErrorCode::serverCertificateUntrusted && verifiesServerTrust_ &&
        handleServerTrustChallenge()) {
        return;
    }
    auto delegate = delegate_;
    end();
    if (delegate) {
        delegate->connectionDidFailWithError(*this, error);
    }
}

void URLConnection::dropLoader() {
    std::lock_guard lock(loaderMutex_);
    if (loader_) {
        loader_->cancel();
        loader_.reset();
    }
}

void URLConnection::end() {
    ended_ = true;
    dropLoader();
    delegate_.reset();
    // The caller's step holds the connection until it returns.
    self_.reset();
}

}  // namespace net
