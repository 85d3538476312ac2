#pragma once

// One HTTP GET or POST of the ad component: sends the device's user agent,
// lets its delegate refuse redirects, delivers the body as text, and keeps
// responses the delegate declares cacheable in a small process-wide memory
// cache until the expiry their headers give. Started and called back on the
// main thread. A running load keeps the connection alive; its delegate is
// held weakly.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADCachedURLResponse.h"
#include "ads/foundation/GADMConnectionFactory.h"
#include "ads/foundation/GADURLConnectionDelegate.h"
#include "platform/foundation/Cache.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

class GADURLConnection : public net::URLConnectionDelegate,
                         public std::enable_shared_from_this<GADURLConnection> {
  public:
    using MemoryCache = foundation::Cache<std::string, std::shared_ptr<const GADCachedURLResponse>>;
    static constexpr std::size_t kMemoryCacheCountLimit = 25;

    // The shared cache, keyed by cacheKeyForURL; lives for the process.
    static MemoryCache& memoryCache();
    static void clearCache();
    // The caches folder with "ZiZez" appended.
    static std::string defaultCachePath();
    // Lower-case hex MD5 of host, path and "slotname" value when the query
    // has that parameter, else of the whole URL: one entry per slot and
    // endpoint.
    static std::string cacheKeyForURL(const foundation::URL& url);

    ~GADURLConnection() override;

    // A GET.
    bool startWithURL(const foundation::URL& url,
                      const std::weak_ptr<GADURLConnectionDelegate>& delegate,
                      foundation::Error* error = nullptr);
    // A POST of `data` as `type` when both are given, else a GET. Refused
    // (false, with a network error) while a load runs. Answers from the
    // memory cache without a transfer when this connection allowed caching
    // before and a fresh entry exists. A connection that cannot be made is
    // reported to the delegate as a failure with status -1.
    bool startWithURL(const foundation::URL& url, const std::optional<foundation::Data>& data,
                      const std::optional<std::string>& type,
                      const std::weak_ptr<GADURLConnectionDelegate>& delegate,
                      foundation::Error* error = nullptr);
    // Cancels the transfer and forgets the load's URLs, response and body.
    void stop();
    // Forgets the delegate, then stops.
    void cancel();

    GADMConnectionFactory& connectionFactory() const;
    net::URLRequest requestForURL(const foundation::URL& url,
                                  const std::optional<foundation::Data>& data,
                                  const std::optional<std::string>& type) const;
    // The entry for the URL while it is fresh; an expired one is removed.
    std::shared_ptr<const GADCachedURLResponse> cachedResponseForURL(
        const foundation::URL& url) const;
    // Stores the finished HTTP response under the source URL's key when it
    // succeeded (status 2xx) and its headers give an expiry still to come.
    bool tryToStoreResponseAndData();

    bool isInProgress() const { return inProgress_; }
    const std::optional<foundation::URL>& sourceURL() const { return sourceURL_; }
    const std::optional<foundation::URL>& destinationURL() const { return destinationURL_; }
    bool allowCache() const { return allowCache_; }
    std::shared_ptr<GADURLConnectionDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADURLConnectionDelegate>& delegate) {
        delegate_ = delegate;
    }
    const std::shared_ptr<net::URLConnection>& connection() const { return connection_; }
    const std::optional<net::URLResponse>& response() const { return response_; }
    const foundation::Data& receivedData() const { return receivedData_; }

    // The platform connection's callbacks.
    std::optional<net::URLRequest> connectionWillSendRequest(
        net::URLConnection& connection, const net::URLRequest& request,
        const net::URLResponse* redirectResponse) override;
    void connectionDidReceiveResponse(net::URLConnection& connection,
                                      const net::URLResponse& response) override;
    void connectionDidReceiveData(net::URLConnection& connection,
                                  const foundation::Data& data) override;
    void connectionDidFinishLoading(net::URLConnection& connection) override;
    void connectionDidFailWithError(net::URLConnection& connection,
                                    const net::URLError& error) override;

  private:
    // Tells the delegate of a cache entry as if it had been loaded; while it
    // does, response() is the entry's response.
    void deliverCachedResponse(const GADCachedURLResponse& cached);

    bool inProgress_ = false;
    std::optional<foundation::URL> sourceURL_;
    std::optional<foundation::URL> destinationURL_;
    bool allowCache_ = false;
    std::weak_ptr<GADURLConnectionDelegate> delegate_;
    std::shared_ptr<net::URLConnection> connection_;
    std::optional<net::URLResponse> response_;
    foundation::Data receivedData_;
};
