#include "ads/presentation/GADDefaultInAppPurchase.h"

#include "ads/presentation/GADInAppPurchase.h"
#include "ads/presentation/GADPaymentTransactionObserver.h"
#include "platform/services/PaymentQueue.h"

void GADDefaultInAppPurchase::enableDefaultPurchaseFlowWithDelegate(
    const std::shared_ptr<GADDefaultInAppPurchaseDelegate>& delegate) {
    GADPaymentTransactionObserver::sharedInstance()->enableDefaultPurchaseFlowWithDelegate(
        delegate);
}

void GADDefaultInAppPurchase::disableDefaultPurchaseFlow() {
    GADPaymentTransactionObserver::sharedInstance()->disableDefaultPurchaseFlow();
}

GADDefaultInAppPurchase::GADDefaultInAppPurchase(
    std::string productID, std::int64_t quantity,
    std::shared_ptr<services::PaymentTransaction> paymentTransaction,
    std::shared_ptr<GADInAppPurchase> inAppPurchase)
    : productID_(std::move(productID)),
      quantity_(quantity),
      paymentTransaction_(std::move(paymentTransaction)),
      inAppPurchase_(std::move(inAppPurchase)) {}

void GADDefaultInAppPurchase::finishTransaction() {
    // A purchase is reported successful once, however often it is finished.
    if (!paymentTransaction_) {
        return;
    }
    services::PaymentQueue::defaultQueue().finishTransaction(paymentTransaction_);
    paymentTransaction_.reset();
    if (inAppPurchase_) {
        inAppPurchase_->reportPurchaseStatus(kGADInAppPurchaseStatusSuccessful);
    }
    inAppPurchase_.reset();
}
