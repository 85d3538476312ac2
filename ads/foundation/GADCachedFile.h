#pragma once

// The content of one URL mirrored in a file under the Caches folder and
// revalidated with a conditional GET: every validation asks the network,
// with If-Modified-Since when a copy exists; a 304 keeps the copy, a 200
// replaces it and takes the Last-Modified time as the file's time. The file
// outlives the object and is found again for the same URL. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADCachedFileDelegate.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/DateFormatter.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/net/HTTPHeaderFields.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

// The folder of files whose URL has no host usable as a folder name.
inline constexpr const char* kGADCachedFileLocalFolder = "@local";

class GADCachedFile : public net::URLConnectionDelegate,
                      public std::enable_shared_from_this<GADCachedFile> {
  public:
    // initWithURL:
    static std::shared_ptr<GADCachedFile> make(const foundation::URL& url);
    explicit GADCachedFile(const foundation::URL& url);
    ~GADCachedFile() override;

    // "EEE, dd MMM yyyy HH:mm:ss" in GMT, made once.
    static const foundation::DateFormatter& formatterForHTTPDate();
    static std::optional<net::HTTPHeaderFields> headersForResponse(
        const net::URLResponse& response);

    // Start a fetch when none runs; the cache buster appends "unique" with
    // the current time and makes this and every later fetch ignore locally
    // cached data.
    void validate();
    void validateWithCacheBuster();
    // Deletes the current file, forgets the old URL and fetches the new one.
    void validateWithDelegate(const std::weak_ptr<GADCachedFileDelegate>& delegate,
                              const foundation::URL& url);
    // Stops the running fetch.
    void cancel();
    // Stops the fetch and deletes the file.
    void invalidate();
    // Stops the fetch and forgets URL, path and headers; the file stays.
    void clear();

    // Caches folder / host (or "@local") / hexadecimal hash of the URL;
    // formed when empty and kept.
    const std::string& filePath();
    void setFilePath(std::string path) { filePath_ = std::move(path); }
    bool fileExists();
    // The file's time as an HTTP date; nullopt when the file cannot be read.
    std::optional<std::string> fileModificationDate();
    std::optional<foundation::Data> contentAsData();
    std::optional<std::string> contentAsString();
    // Scale 2 when the URL's last path component holds "@2x".
    graphics::Image::Ptr contentAsImage();

    void saveHeadersFromResponse(const net::URLResponse& response);
    std::string description();

    std::shared_ptr<GADCachedFileDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADCachedFileDelegate>& delegate) { delegate_ = delegate; }
    const std::optional<foundation::URL>& sourceURL() const { return sourceURL_; }
    void setSourceURL(std::optional<foundation::URL> url) { sourceURL_ = std::move(url); }
    net::URLRequestCachePolicy cachePolicy() const { return cachePolicy_; }
    void setCachePolicy(net::URLRequestCachePolicy policy) { cachePolicy_ = policy; }
    const std::optional<foundation::URL>& HTTPDestinationURL() const { return destinationURL_; }
    void setHTTPDestinationURL(std::optional<foundation::URL> url) {
        destinationURL_ = std::move(url);
    }
    long HTTPStatusCode() const { return statusCode_; }
    void setHTTPStatusCode(long status) { statusCode_ = status; }
    const std::optional<net::HTTPHeaderFields>& HTTPHeaders() const { return headers_; }
    void setHTTPHeaders(std::optional<net::HTTPHeaderFields> headers) {
        headers_ = std::move(headers);
    }
    const std::shared_ptr<net::URLConnection>& connection() const { return connection_; }
    const foundation::Data& receivedData() const { return receivedData_; }
    const std::optional<std::string>& receivedModificationDate() const {
        return receivedModificationDate_;
    }

    // The connection's callbacks.
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
    void fetch(bool cacheBuster);
    void save();
    void cleanup();
    void reportEnd();
    void reportFailure(const std::optional<foundation::Error>& error);

    std::weak_ptr<GADCachedFileDelegate> delegate_;
    std::optional<foundation::URL> sourceURL_;
    net::URLRequestCachePolicy cachePolicy_ = net::URLRequestCachePolicy::useProtocolCachePolicy;
    std::string filePath_;
    std::optional<foundation::URL> destinationURL_;
    long statusCode_ = 0;
    std::optional<net::HTTPHeaderFields> headers_;
    std::shared_ptr<net::URLConnection> connection_;
    foundation::Data receivedData_;
    std::optional<std::string> receivedModificationDate_;
};
