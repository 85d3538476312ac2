#pragma once

// The default purchase flow: once the application turns it on, it performs
// the purchases ads offer. It may ask the application first, checks the
// product with the store (valid products are remembered), queues the
// payment, reports failures and cancellations itself and hands paid
// purchases to the application. One shared instance; main thread.

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ads/presentation/GADDefaultInAppPurchaseDelegate.h"
#include "ads/presentation/GADInAppPurchaseDelegate.h"
#include "ads/presentation/GADProductsRequestDelegate.h"
#include "platform/services/PaymentQueue.h"

class GADPaymentTransactionObserver
    : public services::PaymentTransactionObserver,
      public GADInAppPurchaseDelegate,
      public std::enable_shared_from_this<GADPaymentTransactionObserver> {
  public:
    using ValidationBlock =
        std::function<void(const std::optional<GADProductsRequestDelegate::Products>& valid,
                           const std::optional<std::set<std::string>>& invalid)>;

    static const std::shared_ptr<GADPaymentTransactionObserver>& sharedInstance();

    // Needs a delegate; a flow already on keeps its delegate.
    void enableDefaultPurchaseFlowWithDelegate(
        const std::shared_ptr<GADDefaultInAppPurchaseDelegate>& delegate);
    void disableDefaultPurchaseFlow();
    bool isDefaultPurchaseFlowEnabled() const { return enabled_; }
    const std::shared_ptr<GADDefaultInAppPurchaseDelegate>& defaultInAppPurchaseDelegate() const {
        return delegate_;
    }

    // GADInAppPurchaseDelegate: starts the purchase.
    void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>& purchase) override;
    // services::PaymentTransactionObserver: purchased and failed transactions.
    void paymentQueueUpdatedTransactions(
        services::PaymentQueue& queue,
        const std::vector<std::shared_ptr<services::PaymentTransaction>>& transactions) override;

    // Checks the identifiers with the store; `completion` hears the valid
    // products and the invalid identifiers (nothing when the check failed).
    void validateProductIDs(const std::set<std::string>& productIDs, ValidationBlock completion);
    const GADProductsRequestDelegate::Products& validProductIDs() const { return validProducts_; }
    const std::set<std::string>& invalidProducts() const { return invalidProducts_; }
    const std::vector<std::shared_ptr<GADInAppPurchase>>& activeInAppPurchases() const {
        return activeInAppPurchases_;
    }
    std::size_t activeProductsRequestCount() const { return activeRequests_.size(); }

    // Back to the state of a new process: flow off, nothing remembered.
    void reset();

  private:
    void updateValidProducts(const std::optional<GADProductsRequestDelegate::Products>& valid,
                             const std::optional<std::set<std::string>>& invalid);
    void purchaseProduct(const services::Product& product,
                         const std::shared_ptr<GADInAppPurchase>& purchase);
    // The queued purchase of the transaction's product and quantity, taken
    // off the list; a new one without report templates when none matches.
    std::shared_ptr<GADInAppPurchase> dequeueInAppPurchaseForTransaction(
        const services::PaymentTransaction& transaction);
    void completeTransaction(const std::shared_ptr<services::PaymentTransaction>& transaction);
    void failedTransaction(const std::shared_ptr<services::PaymentTransaction>& transaction);
    static void notifyUserOfUnavailableProduct();

    bool enabled_ = false;
    std::shared_ptr<GADDefaultInAppPurchaseDelegate> delegate_;
    std::set<std::shared_ptr<GADProductsRequestDelegate>> activeRequests_;
    std::vector<std::shared_ptr<GADInAppPurchase>> activeInAppPurchases_;
    std::set<std::string> invalidProducts_;
    GADProductsRequestDelegate::Products validProducts_;
};
