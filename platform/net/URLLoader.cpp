#include "platform/net/URLLoader.h"

#include "platform/net/Curl.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <string>

#include "platform/foundation/Clock.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/WorkerPool.h"
#include "platform/net/CookieJar.h"
#include "platform/net/URLProtocol.h"
#include "platform/net/UserAgent.h"

namespace net {

namespace {

long errorCodeForCurl(CURLcode code) {
    switch (code) {
        case CURLE_OPERATION_TIMEDOUT:
            return URLErrorCode::timedOut;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return URLErrorCode::cannotFindHost;
        case CURLE_COULDNT_CONNECT:
            return URLErrorCode::cannotConnectToHost;
        case CURLE_PEER_FAILED_VERIFICATION:
            return URLErrorCode::serverCertificateUntrusted;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_SHUTDOWN_FAILED:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_USE_SSL_FAILED:
            return URLErrorCode::secureConnectionFailed;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE:
            return URLErrorCode::networkConnectionLost;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return URLErrorCode::unsupportedURL;
        case CURLE_URL_MALFORMAT:
            return URLErrorCode::badURL;
        case CURLE_BAD_CONTENT_ENCODING:
            return URLErrorCode::cannotDecodeContentData;
        case CURLE_WEIRD_SERVER_REPLY:
            return URLErrorCode::badServerResponse;
        default:
            return URLErrorCode::unknown;
    }
}

// Without the spaces and tabs around it, as HTTP header fields are read.
std::string trimmed(std::string_view text) {
    static const auto spaceOrTab = foundation::CharacterSet::fromCharacters(" \t");
    return foundation::trim(text, spaceOrTab);
}

}  // namespace

// Carries a protocol's answers to its loader and wakes the loading thread at
// the outcome.
class LoaderProtocolClient : public URLProtocolClient {
  public:
    explicit LoaderProtocolClient(std::weak_ptr<URLLoader> loader) : loader_(std::move(loader)) {}

    void didReceiveResponse(URLProtocol&, const URLResponse& response) override {
        if (auto loader = loader_.lock()) {
            loader->response(response);
        }
    }
    void didLoadData(URLProtocol&, const foundation::Data& data) override {
        if (auto loader = loader_.lock()) {
            loader->data(data);
        }
    }
    void didFinishLoading(URLProtocol&) override {
        if (auto loader = loader_.lock()) {
            loader->finish();
        }
        wake();
    }
    void didFailWithError(URLProtocol&, const URLError& error) override {
        if (auto loader = loader_.lock()) {
            loader->fail(error);
        }
        wake();
    }
    void wake() {
        std::lock_guard lock(mutex_);
        ended_ = true;
        condition_.notify_all();
    }
    // Waits for the outcome or the loader's cancellation.
    void wait(const URLLoader& loader) {
        std::unique_lock lock(mutex_);
        while (!ended_ && !loader.isCancelled()) {
            condition_.wait_for(lock, std::chrono::milliseconds(20));
        }
    }

  private:
    std::weak_ptr<URLLoader> loader_;
    std::mutex mutex_;
    std::condition_variable condition_;
    bool ended_ = false;
};

URLLoader::URLLoader(URLRequest request, std::shared_ptr<URLLoaderSink> sink,
                     bool verifiesServerTrust)
    : request_(std::move(request)),
      sink_(std::move(sink)),
      verifiesServerTrust_(verifiesServerTrust) {}

std::shared_ptr<URLLoader> URLLoader::start(URLRequest request, std::shared_ptr<URLLoaderSink> sink,
                                            bool verifiesServerTrust) {
    auto loader =
        std::make_shared<URLLoader>(std::move(request), std::move(sink), verifiesServerTrust);
    foundation::WorkerPool::shared().submit([loader] { loader->run(); });
    return loader;
}

void URLLoader::cancel() {
    cancelled_.store(true);
    std::shared_ptr<URLProtocol> protocol;
    {
        std::lock_guard lock(protocolMutex_);
        protocol = protocol_;
    }
    if (protocol) {
        protocol->stopLoading();
    }
}

void URLLoader::response(const URLResponse& response) {
    if (!cancelled_ && !done_) {
        sink_->loaderDidReceiveResponse(response);
    }
}

void URLLoader::data(const foundation::Data& data) {
    if (!cancelled_ && !done_ && !data.empty()) {
        sink_->loaderDidReceiveData(data);
    }
}

void URLLoader::finish() {
    if (!cancelled_ && !done_.exchange(true)) {
        sink_->loaderDidFinish();
    }
}

void URLLoader::fail(const URLError& error) {
    if (!cancelled_ && !done_.exchange(true)) {
        sink_->loaderDidFail(error);
    }
}

void URLLoader::run() {
    if (cancelled_) {
        return;
    }
    if (!request_.url()) {
        fail(URLError::make(URLErrorCode::badURL));
        return;
    }
    auto client = std::make_shared<LoaderProtocolClient>(weak_from_this());
    if (auto protocol = URLProtocol::protocolForRequest(request_, client)) {
        runProtocol(protocol);
        return;
    }
    const std::string scheme = foundation::lowercase(request_.url()->scheme());
    if (scheme == "file") {
        runFile();
    } else if (scheme == "http" || scheme == "https") {
        runHTTP();
    } else {
        fail(URLError::make(URLErrorCode::unsupportedURL, request_.url()->absoluteString()));
    }
}

void URLLoader::runProtocol(const std::shared_ptr<URLProtocol>& protocol) {
    {
        std::lock_guard lock(protocolMutex_);
        protocol_ = protocol;
    }
    auto* client = static_cast<LoaderProtocolClient*>(&protocol->client());
    try {
        protocol->startLoading();
    } catch (const std::exception& error) {
        fail(URLError::make(URLErrorCode::unknown, request_.url()->absoluteString()));
    }
    client->wait(*this);
    std::lock_guard lock(protocolMutex_);
    protocol_.reset();
}

std::string URLLoader::mimeTypeForPath(const std::string& path) {
    static const std::map<std::string, std::string> types = {
        {"html", "text/html"},
        {"htm", "text/html"},
        {"xhtml", "application/xhtml+xml"},
        {"js", "application/javascript"},
        {"css", "text/css"},
        {"txt", "text/plain"},
        {"json", "application/json"},
        {"xml", "text/xml"},
        {"png", "image/png"},
        {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},
        {"gif", "image/gif"},
        {"svg", "image/svg+xml"},
        {"plist", "application/x-plist"},
    };
    const auto found = types.find(foundation::lowercase(foundation::pathExtension(path)));
    return found == types.end() ? "application/octet-stream" : found->second;
}

void URLLoader::runFile() {
    const auto& url = *request_.url();
    const std::string path = url.path();
    auto contents = url.percentEncodedPath().ends_with("/")
                        ? std::nullopt
                        : foundation::FileManager::defaultManager().contentsAtPath(path);
    if (!contents) {
        fail(URLError::make(URLErrorCode::fileDoesNotExist, url.absoluteString()));
        return;
    }
    foundation::Data bytes = std::move(*contents);
    const std::string mime = mimeTypeForPath(path);
    std::optional<std::string> encoding;
    if (mime.starts_with("text/") || mime.find("xml") != std::string::npos ||
        mime == "application/javascript" || mime == "application/json") {
        encoding = "utf-8";
    }
    response(URLResponse(url, mime, static_cast<long long>(bytes.size()), encoding));
    data(bytes);
    finish();
}

// What one HTTP exchange collects while curl runs.
struct URLLoader::Exchange {
    URLLoader* loader = nullptr;
    int status = 0;
    std::string version;
    HTTPHeaderFields headers;
    bool responseSent = false;
    bool timedOut = false;
    double timeout = 0;
    double lastActivity = 0;
    curl_off_t lastBytes = -1;
};

size_t URLLoader::onHeader(char* buffer, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    const size_t length = size * count;
    std::string line(buffer, length);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    if (line.starts_with("HTTP/")) {
        exchange->headers = HTTPHeaderFields();
        const auto space = line.find(' ');
        exchange->version = line.substr(0, space);
        exchange->status = space == std::string::npos ? 0 : std::atoi(line.c_str() + space + 1);
        return length;
    }
    if (line.empty()) {
        // The end of a header block; an interim 1xx block is followed by another.
        if (exchange->status >= 200 && !exchange->responseSent) {
            exchange->responseSent = true;
            exchange->loader->response(URLResponse::http(*exchange->loader->request_.url(),
                                                         exchange->status, exchange->headers,
                                                         exchange->version));
        }
        return length;
    }
    const auto colon = line.find(':');
    if (colon != std::string::npos) {
        exchange->headers.add(trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1)));
    }
    return exchange->loader->isCancelled() ? 0 : length;
}

size_t URLLoader::onBody(char* buffer, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    if (exchange->loader->isCancelled()) {
        return 0;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer);
    exchange->loader->data(foundation::Data(bytes, bytes + size * count));
    return size * count;
}

int URLLoader::onProgress(void* user, curl_off_t downloadTotal, curl_off_t downloaded,
                          curl_off_t uploadTotal, curl_off_t uploaded) {
    auto* exchange = static_cast<Exchange*>(user);
    if (exchange->loader->isCancelled()) {
        return 1;
    }
    // The time-out counts idle time on the run loop's clock (connecting
    // included): it starts again whenever bytes move. curl calls this at
    // least once a second while it waits.
    const curl_off_t moved = downloaded + uploaded;
    const double now = foundation::Clock::monotonic();
    if (moved != exchange->lastBytes) {
        exchange->lastBytes = moved;
        exchange->lastActivity = now;
    } else if (exchange->timeout > 0 && now - exchange->lastActivity > exchange->timeout) {
        exchange->timedOut = true;
        return 1;
    }
    return 0;
}

void URLLoader::runHTTP() {
    const auto& url = *request_.url();
    // The jar's first use also initialises libcurl.
    auto* cookies = static_cast<CURLSH*>(CookieJar::shareHandle());
    const Curl* lib = Curl::functions();
    CURL* curl = lib != nullptr ? lib->curl_easy_init() : nullptr;
    if (curl == nullptr) {
        fail(URLError::make(URLErrorCode::unknown, url.absoluteString()));
        return;
    }
    Exchange exchange;
    exchange.loader = this;
    exchange.timeout = request_.timeoutInterval();
    exchange.lastActivity = foundation::Clock::monotonic();

    std::string address = url.absoluteString();
    if (const auto hash = address.find('#'); hash != std::string::npos) {
        address.resize(hash);
    }
    lib->curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    lib->curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    lib->curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    lib->curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    lib->curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    lib->curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, verifiesServerTrust_ ? 1L : 0L);
    lib->curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, verifiesServerTrust_ ? 2L : 0L);
    if (request_.httpShouldHandleCookies()) {
        lib->curl_easy_setopt(curl, CURLOPT_SHARE, cookies);
        lib->curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    }

    const std::string& method = request_.httpMethod();
    const auto& body = request_.httpBody();
    if (method == "HEAD") {
        lib->curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (method == "POST") {
        lib->curl_easy_setopt(curl, CURLOPT_POST, 1L);
    } else if (method != "GET") {
        lib->curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    }
    if (!body.empty() || method == "POST") {
        lib->curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                              static_cast<curl_off_t>(body.size()));
        lib->curl_easy_setopt(curl, CURLOPT_POSTFIELDS,
                              body.empty() ? "" : reinterpret_cast<const char*>(body.data()));
    }

    curl_slist* headers = nullptr;
    for (const auto& [name, value] : request_.allHTTPHeaderFields().fields()) {
        if (name.find_first_of("\r\n:") != std::string::npos ||
            value.find_first_of("\r\n") != std::string::npos) {
            continue;
        }
        headers =
            lib->curl_slist_append(headers, (name + (value.empty() ? ";" : ": " + value)).c_str());
    }
    if (!request_.allHTTPHeaderFields().contains("User-Agent")) {
        headers = lib->curl_slist_append(headers, ("User-Agent: " + defaultUserAgent()).c_str());
    }
    headers = lib->curl_slist_append(headers, "Expect:");
    lib->curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    lib->curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &URLLoader::onHeader);
    lib->curl_easy_setopt(curl, CURLOPT_HEADERDATA, &exchange);
    lib->curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &URLLoader::onBody);
    lib->curl_easy_setopt(curl, CURLOPT_WRITEDATA, &exchange);
    lib->curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    lib->curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &URLLoader::onProgress);
    lib->curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &exchange);

    const CURLcode result = lib->curl_easy_perform(curl);
    lib->curl_slist_free_all(headers);
    lib->curl_easy_cleanup(curl);

    if (isCancelled()) {
        return;
    }
    if (exchange.timedOut) {
        fail(URLError::make(URLErrorCode::timedOut, url.absoluteString()));
    } else if (result != CURLE_OK) {
        fail(URLError::make(errorCodeForCurl(result), url.absoluteString()));
    } else if (!exchange.responseSent) {
        fail(URLError::make(URLErrorCode::badServerResponse, url.absoluteString()));
    } else {
        finish();
    }
}

}  // namespace net
