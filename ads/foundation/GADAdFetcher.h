#pragma once

// Fetches the content of one ad from its URL and reports the result once to
// its delegate.

#include <memory>
#include <optional>

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

class GADAdFetcher : public std::enable_shared_from_this<GADAdFetcher> {
  public:
    // Starts the fetch; the delegate hears one outcome on a later turn of the
    // main queue unless the fetch is cancelled first. Without an HTTP client
    // to load the ad the outcome is a failure.
    void fetchRemainingContentForAd(const std::shared_ptr<GADAd>& ad,
                                    const std::optional<foundation::Dictionary>& headers,
                                    const std::weak_ptr<GADAdFetcherDelegate>& delegate,
                                    const std::shared_ptr<GADRequest>& request);
    // No outcome is reported after this.
    void cancel();

  private:
    std::weak_ptr<GADAdFetcherDelegate> delegate_;
    bool cancelled_ = false;
};
