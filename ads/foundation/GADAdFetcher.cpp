#include "ads/foundation/GADAdFetcher.h"

#include "platform/foundation/DispatchQueue.h"

void GADAdFetcher::fetchRemainingContentForAd(const std::shared_ptr<GADAd>&,
                                              const std::optional<foundation::Dictionary>&,
                                              const std::weak_ptr<GADAdFetcherDelegate>& delegate,
                                              const std::shared_ptr<GADRequest>&) {
    delegate_ = delegate;
    std::weak_ptr<GADAdFetcher> weakSelf = weak_from_this();
    foundation::DispatchQueue::main()->async([weakSelf] {
        auto self = weakSelf.lock();
        if (!self || self->cancelled_) {
            return;
        }
        if (auto delegate = self->delegate_.lock()) {
            delegate->adFetcherDidFailToFetchAdWithError(*self, nullptr);
        }
    });
}

void GADAdFetcher::cancel() {
    cancelled_ = true;
    delegate_.reset();
}
