#pragma once

// One image download: an asynchronous operation that, once started, keeps its
// worker thread in that thread's run loop until its connection ends, so that
// every connection callback arrives there. It reports progress, optional
// partial images and the final image with its bytes, and posts the start,
// receive-response, stop and finish notifications on the main queue.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/foundation/Data.h"
#include "platform/foundation/Operation.h"
#include "platform/foundation/TaskQueue.h"
#include "platform/graphics/ImageOrientation.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLCredential.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"
#include "platform/ui/Application.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDImageDownloadOptions.h"
#include "remote/WebImage/SDWebImageOperation.h"

inline constexpr const char* SDWebImageDownloadStartNotification =
    "SDWebImageDownloadStartNotification";
inline constexpr const char* SDWebImageDownloadReceiveResponseNotification =
    "SDWebImageDownloadReceiveResponseNotification";
inline constexpr const char* SDWebImageDownloadStopNotification =
    "SDWebImageDownloadStopNotification";
inline constexpr const char* SDWebImageDownloadFinishNotification =
    "SDWebImageDownloadFinishNotification";
inline constexpr const char* SDWebImageErrorDomain = "SDWebImageErrorDomain";

class SDWebImageDownloaderOperation : public foundation::Operation,
                                      public SDWebImageOperation,
                                      public net::URLConnectionDelegate {
  public:
    SDWebImageDownloaderOperation(net::URLRequest request, SDImageDownloadOptions options,
                                  SDWebImageDownloaderProgressBlock progressBlock,
                                  SDWebImageDownloaderCompletedBlock completedBlock,
                                  SDWebImageNoParamsBlock cancelBlock);
    ~SDWebImageDownloaderOperation() override;

    void start() override;
    // From any thread: a running download is stopped on its own thread; the
    // cancel block runs, the completion block does not.
    void cancel() override;
    bool isAsynchronous() const override { return true; }

    const net::URLRequest& request() const { return request_; }
    SDImageDownloadOptions options() const { return options_; }
    bool shouldContinueWhenAppEntersBackground() const {
        return (options_ & SDImageDownloadOption::continueInBackground) != 0;
    }
    std::int64_t expectedSize() const { return expectedSize_; }
    std::optional<net::URLResponse> response() const;

    // The EXIF orientation 1 to 8 as an image orientation; others give up.
    static graphics::ImageOrientation orientationFromPropertyValue(int value);

    bool shouldDecompressImages = true;
    // Whether the credential stored for the server goes first and an
    // accepted credential is stored.
    bool shouldUseCredentialStorage = true;
    // Sent when the server asks for one, once: a refused credential is not
    // sent again.
    std::optional<net::URLCredential> credential;

    void connectionDidReceiveResponse(net::URLConnection& connection,
                                      const net::URLResponse& response) override;
    void connectionDidReceiveData(net::URLConnection& connection,
                                  const foundation::Data& data) override;
    void connectionDidFinishLoading(net::URLConnection& connection) override;
    void connectionDidFailWithError(net::URLConnection& connection,
                                    const net::URLError& error) override;
    std::optional<net::CachedURLResponse> connectionWillCacheResponse(
        net::URLConnection& connection, const net::CachedURLResponse& cachedResponse) override;
    bool connectionShouldUseCredentialStorage(net::URLConnection& connection) override {
        return shouldUseCredentialStorage;
    }
    net::AuthChallengeAnswer connectionWillSendRequestForAuthenticationChallenge(
        net::URLConnection& connection, const net::URLAuthenticationChallenge& challenge) override;

  private:
    std::shared_ptr<SDWebImageDownloaderOperation> self();
    void cancelInternal();
    void cancelInternalAndStop();
    void done();
    void reset();
    void rejectStatus(int statusCode);
    void deliverPartialImage();
    void notify(const char* name, const char* second = nullptr);
    void beginBackgroundTask();
    void endBackgroundTask();

    const net::URLRequest request_;
    const SDImageDownloadOptions options_;
    mutable std::recursive_mutex lock_;
    SDWebImageDownloaderProgressBlock progressBlock_;
    SDWebImageDownloaderCompletedBlock completedBlock_;
    SDWebImageNoParamsBlock cancelBlock_;
    std::shared_ptr<net::URLConnection> connection_;
    std::shared_ptr<foundation::TaskQueue> thread_;
    std::optional<net::URLResponse> response_;
    foundation::Data imageData_;
    std::int64_t expectedSize_ = 0;
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    graphics::ImageOrientation orientation_ = graphics::ImageOrientation::up;
    bool responseFromCached_ = true;
    std::shared_ptr<ui::BackgroundTaskIdentifier> backgroundTaskId_;
};
