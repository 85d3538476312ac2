#pragma once

// Completes one ad a slot was given: applies the "X-Vira-" response headers
// to the ad and to the user defaults, decides the response type, downloads
// the ad's content from its URL when the ad carries no HTML yet, and tells
// its delegate exactly once whether the ad is ready. Used once, on the main
// thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADTiming.h"
#include "ads/foundation/GADURLConnection.h"
#include "ads/foundation/GADURLConnectionDelegate.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

class GADAd;
class GADAdFetcher;
class GADRequest;
class GADRequestError;

class GADAdFetcherDelegate {
  public:
    virtual ~GADAdFetcherDelegate() = default;
    virtual void adFetcherDidFetchAd(GADAdFetcher& fetcher, const std::shared_ptr<GADAd>& ad) = 0;
    // A null error stands for a failure without a request error of its own.
    virtual void adFetcherDidFailToFetchAdWithError(
        GADAdFetcher& fetcher, const std::shared_ptr<GADRequestError>& error) = 0;
};

class GADAdFetcher : public GADURLConnectionDelegate,
                     public std::enable_shared_from_this<GADAdFetcher> {
  public:
    GADAdFetcher();
    ~GADAdFetcher() override;
    GADAdFetcher(const GADAdFetcher&) = delete;
    GADAdFetcher& operator=(const GADAdFetcher&) = delete;

    // Starts completing the ad. False, with code 2 in `error` when given,
    // when this fetcher was used before or the download cannot start. An ad
    // that needs no download is reported on a later turn of the main queue;
    // a download failure or an unusable response type is reported at once.
    bool fetchRemainingContentForAd(const std::shared_ptr<GADAd>& ad,
                                    const std::optional<foundation::Dictionary>& headers,
                                    const std::weak_ptr<GADAdFetcherDelegate>& delegate,
                                    const std::shared_ptr<GADRequest>& request,
                                    GADRequestError* error = nullptr);
    // Forgets the delegate and stops the download: nothing is reported after this.
    void cancel();

    // Applies the header table to the ad (nothing for no headers). A type
    // that cannot be used is reported as a failure; the other headers are
    // applied all the same.
    void processHTTPHeaders(const std::optional<foundation::Dictionary>& headers);
    // 2 mediation, 3 native, 4 custom rendering, else 1; mediation and
    // native need a JSON body and are 0, with code 3 in `error`, without one.
    std::uint64_t adResponseTypeFromHeaders(const foundation::Dictionary& headers,
                                            GADRequestError* error) const;

    const std::shared_ptr<GADAd>& ad() const { return ad_; }
    const std::shared_ptr<GADRequest>& request() const { return request_; }
    std::shared_ptr<GADAdFetcherDelegate> delegate() const { return delegate_.lock(); }
    const std::shared_ptr<GADTiming>& timer() const { return timer_; }
    const std::shared_ptr<GADURLConnection>& adConnection() const { return adConnection_; }
    // The download is over: finished, failed, never needed or cancelled.
    bool adConnectionHasCompleted() const { return adConnectionHasCompleted_; }

    // GADURLConnectionDelegate: every response of the download (redirects,
    // the final one and a cached one) goes through the header table again.
    std::optional<foundation::Error> connectionShouldRedirectToURL(
        GADURLConnection& connection, const foundation::URL& url) override;
    void connectionLoadDidReceiveRedirectResponse(GADURLConnection& connection,
                                                  const net::URLResponse& response) override;
    // Only a mediated response may come from and go into the memory cache.
    bool connectionLoadShouldUseCachedResponse(GADURLConnection& connection,
                                               const net::URLResponse& response) override;
    void connectionLoadDidReceiveCachedResponse(GADURLConnection& connection,
                                                const net::URLResponse& response) override;
    // A body that came with an HTTP status of 400 or more is a failure.
    void connectionLoadDidFinish(GADURLConnection& connection,
                                 const std::optional<std::string>& body,
                                 const std::optional<foundation::URL>& baseURL) override;
    // 400: code 0 (the ad unit is likely wrong); above 400: code 3; a
    // transport failure or anything else: code 2.
    void connectionLoadDidFail(GADURLConnection& connection,
                               const std::optional<foundation::Error>& error,
                               long httpStatusCode) override;

  private:
    bool startFetchWithAdURL(const std::optional<foundation::URL>& url,
                             const std::optional<foundation::Dictionary>& headers,
                             GADRequestError* error);
    // Reports the outcome of a finished download, once.
    void completedURLConnection();
    void markFetchStart() { timer_->start(); }
    void markFetchComplete() { timer_->end(); }
    // Tells the delegate of the failure, then cancels.
    void resourceFailedToLoadWithError(const GADRequestError& error);
    void processResponseHeaders(const net::URLResponse& response);

    bool hasStartedFetch_ = false;
    bool hasNotifiedDelegate_ = false;
    bool adConnectionHasCompleted_ = false;
    std::shared_ptr<GADAd> ad_;
    std::shared_ptr<GADRequest> request_;
    std::weak_ptr<GADAdFetcherDelegate> delegate_;
    std::shared_ptr<GADTiming> timer_;
    std::shared_ptr<GADURLConnection> adConnection_;
};
