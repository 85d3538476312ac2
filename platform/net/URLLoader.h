#pragma once

// One load of one request, without redirects, on a loading thread: through a
// registered URL protocol, from a file, or over HTTP(S) with libcurl
// (certificates checked, cookies shared, an idle time-out measured on the run
// loop's clock, so a ManualClock moves it). The sink hears the response, the
// data in chunks and then exactly one of finish or failure, on the loading
// thread; after cancel() it hears nothing more. The building block of
// connections, sessions and web views.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/foundation/Data.h"
#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLProtocol;

class URLLoaderSink {
  public:
    virtual ~URLLoaderSink() = default;
    virtual void loaderDidReceiveResponse(const URLResponse& response) = 0;
    virtual void loaderDidReceiveData(const foundation::Data& data) = 0;
    virtual void loaderDidFinish() = 0;
    virtual void loaderDidFail(const URLError& error) = 0;
};

class URLLoader : public std::enable_shared_from_this<URLLoader> {
  public:
    // Without `verifiesServerTrust` an HTTPS server is taken as it is, its
    // certificate unchecked: only for a server a delegate chose to trust.
    static std::shared_ptr<URLLoader> start(URLRequest request, std::shared_ptr<URLLoaderSink> sink,
                                            bool verifiesServerTrust = true);

    void cancel();
    bool isCancelled() const { return cancelled_.load(); }

    // The MIME type the layer gives a file by its extension.
    static std::string mimeTypeForPath(const std::string& path);

    URLLoader(URLRequest request, std::shared_ptr<URLLoaderSink> sink,
              bool verifiesServerTrust = true);

  private:
    friend class LoaderProtocolClient;

    void run();
    void runFile();
    void runHTTP();
    void runProtocol(const std::shared_ptr<URLProtocol>& protocol);

    struct Exchange;
    static size_t onHeader(char* buffer, size_t size, size_t count, void* user);
    static size_t onBody(char* buffer, size_t size, size_t count, void* user);
    static int onProgress(void* user, std::int64_t downloadTotal, std::int64_t downloaded,
                          std::int64_t uploadTotal, std::int64_t uploaded);

    // Forwarders that drop events after cancel() or after the outcome.
    void response(const URLResponse& response);
    void data(const foundation::Data& data);
    void finish();
    void fail(const URLError& error);

    URLRequest request_;
    std::shared_ptr<URLLoaderSink> sink_;
    bool verifiesServerTrust_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> done_{false};
    std::mutex protocolMutex_;
    std::shared_ptr<URLProtocol> protocol_;
};

}  // namespace net
