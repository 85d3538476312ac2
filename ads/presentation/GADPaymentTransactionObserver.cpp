#include "ads/presentation/GADPaymentTransactionObserver.h"

#include <algorithm>

#include "ads/foundation/GADMacros.h"
#include "ads/presentation/GADDefaultInAppPurchase.h"
#include "ads/presentation/GADInAppPurchase.h"
#include "platform/foundation/ProcessState.h"
#include "platform/ui/AlertView.h"

const std::shared_ptr<GADPaymentTransactionObserver>&
GADPaymentTransactionObserver::sharedInstance() {
    static auto* const instance = foundation::ProcessState::withReset(
        new std::shared_ptr<GADPaymentTransactionObserver>(
            std::make_shared<GADPaymentTransactionObserver>()),
        [](std::shared_ptr<GADPaymentTransactionObserver>& observer) { observer->reset(); });
    return *instance;
}

void GADPaymentTransactionObserver::enableDefaultPurchaseFlowWithDelegate(
    const std::shared_ptr<GADDefaultInAppPurchaseDelegate>& delegate) {
    if (!delegate || enabled_) {
        return;
    }
    enabled_ = true;
    delegate_ = delegate;
    services::PaymentQueue::defaultQueue().addTransactionObserver(shared_from_this());
}

void GADPaymentTransactionObserver::disableDefaultPurchaseFlow() {
    if (!enabled_) {
        return;
    }
    enabled_ = false;
    delegate_.reset();
    services::PaymentQueue::defaultQueue().removeTransactionObserver(this);
}

void GADPaymentTransactionObserver::didReceiveInAppPurchase(
    const std::shared_ptr<GADInAppPurchase>& purchase) {
    if (!purchase) {
        return;
    }
    const std::string productID = purchase->productID().value_or("");
    if (delegate_ &&
        delegate_->shouldStartPurchaseForProductID(productID, purchase->quantity()) == false) {
        purchase->reportPurchaseStatus(kGADInAppPurchaseStatusError);
        notifyUserOfUnavailableProduct();
        return;
    }
    if (auto known = validProducts_.find(productID); known != validProducts_.end()) {
        purchaseProduct(known->second, purchase);
        return;
    }
    std::weak_ptr<GADPaymentTransactionObserver> weak = weak_from_this();
    validateProductIDs({productID}, [weak, productID, purchase](const auto&, const auto&) {
        auto self = weak.lock();
        if (!self) {
            return;
        }
        if (auto found = self->validProducts_.find(productID);
            found != self->validProducts_.end()) {
            self->purchaseProduct(found->second, purchase);
            return;
        }
        purchase->reportPurchaseStatus(kGADInAppPurchaseStatusInvalidProduct);
        GADMacros::pubLog("\"" + productID +
                          "\" is not a valid product ID or could not be validated. Verify your ad "
                          "configuration.");
        notifyUserOfUnavailableProduct();
    });
}

void GADPaymentTransactionObserver::validateProductIDs(const std::set<std::string>& productIDs,
                                                       ValidationBlock completion) {
    std::weak_ptr<GADPaymentTransactionObserver> weak = weak_from_this();
    auto request = GADProductsRequestDelegate::make(
        productIDs, [weak, completion](GADProductsRequestDelegate& finished, const auto& valid,
                                       const auto& invalid) {
            auto self = weak.lock();
            if (!self) {
                return;
            }
            self->updateValidProducts(valid, invalid);
            if (completion) {
                completion(valid, invalid);
            }
            self->activeRequests_.erase(finished.shared_from_this());
        });
    if (!request) {
        if (completion) {
            completion(std::nullopt, std::nullopt);
        }
        return;
    }
    request->startRequest();
    activeRequests_.insert(request);
}

void GADPaymentTransactionObserver::updateValidProducts(
    const std::optional<GADProductsRequestDelegate::Products>& valid,
    const std::optional<std::set<std::string>>& invalid) {
    for (const auto& [id, product] : valid.value_or(GADProductsRequestDelegate::Products{})) {
        validProducts_[id] = product;
        invalidProducts_.erase(id);
    }
    for (const std::string& id : invalid.value_or(std::set<std::string>{})) {
        validProducts_.erase(id);
        invalidProducts_.insert(id);
    }
}

void GADPaymentTransactionObserver::purchaseProduct(
    const services::Product& product, const std::shared_ptr<GADInAppPurchase>& purchase) {
    activeInAppPurchases_.push_back(purchase);
    services::PaymentQueue::defaultQueue().addPayment(
        {product.productIdentifier, static_cast<long>(purchase->quantity())});
}

void GADPaymentTransactionObserver::paymentQueueUpdatedTransactions(
    services::PaymentQueue&,
    const std::vector<std::shared_ptr<services::PaymentTransaction>>& transactions) {
    for (const auto& transaction : transactions) {
        if (transaction->transactionState == services::PaymentTransactionState::purchased) {
            completeTransaction(transaction);
        } else if (transaction->transactionState == services::PaymentTransactionState::failed) {
            failedTransaction(transaction);
        }
    }
}

std::shared_ptr<GADInAppPurchase> GADPaymentTransactionObserver::dequeueInAppPurchaseForTransaction(
    const services::PaymentTransaction& transaction) {
    const std::string& productID = transaction.payment.productIdentifier;
    const auto match =
        std::find_if(activeInAppPurchases_.begin(), activeInAppPurchases_.end(),
                     [&](const std::shared_ptr<GADInAppPurchase>& purchase) {
                         return purchase->quantity() == transaction.payment.quantity &&
                                purchase->productID() == productID;
                     });
    if (match != activeInAppPurchases_.end()) {
        std::shared_ptr<GADInAppPurchase> purchase = *match;
        activeInAppPurchases_.erase(match);
        return purchase;
    }
    auto purchase = std::make_shared<GADInAppPurchase>();
    purchase->setProductID(productID);
    purchase->setQuantity(transaction.payment.quantity);
    return purchase;
}

void GADPaymentTransactionObserver::completeTransaction(
    const std::shared_ptr<services::PaymentTransaction>& transaction) {
    auto purchase = std::make_shared<GADDefaultInAppPurchase>(
        transaction->payment.productIdentifier, transaction->payment.quantity, transaction,
        dequeueInAppPurchaseForTransaction(*transaction));
    if (delegate_) {
        delegate_->userDidPayForPurchase(purchase);
    }
}

void GADPaymentTransactionObserver::failedTransaction(
    const std::shared_ptr<services::PaymentTransaction>& transaction) {
    std::shared_ptr<GADInAppPurchase> purchase = dequeueInAppPurchaseForTransaction(*transaction);
    const bool cancelled =
        transaction->error && transaction->error->code == services::PaymentCancelledErrorCode;
    purchase->reportPurchaseStatus(cancelled ? kGADInAppPurchaseStatusCancel
                                             : kGADInAppPurchaseStatusError);
    services::PaymentQueue::defaultQueue().finishTransaction(transaction);
}

void GADPaymentTransactionObserver::notifyUserOfUnavailableProduct() {
    ui::AlertView::make("Whoops!", "Sorry, the product is currently unavailable.", {}, "OK")
        ->show();
}

void GADPaymentTransactionObserver::reset() {
    enabled_ = false;
    delegate_.reset();
    activeRequests_.clear();
    activeInAppPurchases_.clear();
    invalidProducts_.clear();
    validProducts_.clear();
}
