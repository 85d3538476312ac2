#pragma once

// URL protocols: objects that take over the loading of the requests they
// accept, registered process-wide. Every load of this layer (connections,
// sessions, web-view pages and sub-resources) asks the registry first, the
// class registered last first. A protocol runs on a loading thread, never on
// the main thread: startLoading may answer through the client at once or
// later from any thread, and must end with didFinishLoading or
// didFailWithError unless stopLoading came first.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"
#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLProtocol;

class URLProtocolClient {
  public:
    virtual ~URLProtocolClient() = default;
    virtual void didReceiveResponse(URLProtocol& protocol, const URLResponse& response) = 0;
    virtual void didLoadData(URLProtocol& protocol, const foundation::Data& data) = 0;
    virtual void didFinishLoading(URLProtocol& protocol) = 0;
    virtual void didFailWithError(URLProtocol& protocol, const URLError& error) = 0;
};

class URLProtocol {
  public:
    using CanInit = std::function<bool(const URLRequest&)>;
    using Factory = std::function<std::shared_ptr<URLProtocol>(
        const URLRequest&, const std::shared_ptr<URLProtocolClient>&)>;

    URLProtocol(URLRequest request, std::shared_ptr<URLProtocolClient> client)
        : request_(std::move(request)), client_(std::move(client)) {}
    virtual ~URLProtocol() = default;

    virtual void startLoading() = 0;
    virtual void stopLoading() = 0;

    const URLRequest& request() const { return request_; }
    URLProtocolClient& client() const { return *client_; }

    // registerClass: under a name; registering a name again replaces it.
    static void registerClass(std::string name, CanInit canInit, Factory make);
    // For a class P with `static bool canInitWithRequest(const URLRequest&)`
    // and a constructor (request, client).
    template <typename P>
    static void registerClass(std::string name) {
        registerClass(
            std::move(name),
            [](const URLRequest& request) { return P::canInitWithRequest(request); },
            [](const URLRequest& request, const std::shared_ptr<URLProtocolClient>& client) {
                return std::make_shared<P>(request, client);
            });
    }
    static void unregisterClass(std::string_view name);
    static void unregisterAllClasses();

    // The protocol for `request`, or nullptr when no registered class takes
    // it. A class whose canInit throws is skipped.
    static std::shared_ptr<URLProtocol> protocolForRequest(
        const URLRequest& request, const std::shared_ptr<URLProtocolClient>& client);

  private:
    URLRequest request_;
    std::shared_ptr<URLProtocolClient> client_;
};

}  // namespace net
