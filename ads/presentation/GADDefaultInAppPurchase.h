#pragma once

// A purchase the default purchase flow hands the application once the store
// took the payment. The application delivers the product and calls
// finishTransaction, which closes the store's transaction and reports the
// purchase as successful.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/services/PaymentTransaction.h"

class GADDefaultInAppPurchaseDelegate;
class GADInAppPurchase;

class GADDefaultInAppPurchase {
  public:
    // The default purchase flow performs the purchases ads offer; a delegate
    // is required, and a flow already on keeps its delegate.
    static void enableDefaultPurchaseFlowWithDelegate(
        const std::shared_ptr<GADDefaultInAppPurchaseDelegate>& delegate);
    static void disableDefaultPurchaseFlow();

    GADDefaultInAppPurchase(std::string productID, std::int64_t quantity,
                            std::shared_ptr<services::PaymentTransaction> paymentTransaction,
                            std::shared_ptr<GADInAppPurchase> inAppPurchase);

    // Finishes the transaction and reports the success once; later calls do
    // nothing.
    void finishTransaction();

    const std::string& productID() const { return productID_; }
    std::int64_t quantity() const { return quantity_; }
    const std::shared_ptr<services::PaymentTransaction>& paymentTransaction() const {
        return paymentTransaction_;
    }
    const std::shared_ptr<GADInAppPurchase>& inAppPurchase() const { return inAppPurchase_; }

  private:
    std::string productID_;
    std::int64_t quantity_;
    std::shared_ptr<services::PaymentTransaction> paymentTransaction_;
    std::shared_ptr<GADInAppPurchase> inAppPurchase_;
};
