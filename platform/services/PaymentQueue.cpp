#include "platform/services/PaymentQueue.h"

#include <algorithm>

#include "platform/foundation/ProcessState.h"
#include "platform/services/Storefront.h"

namespace services {

PaymentQueue& PaymentQueue::defaultQueue() {
    static PaymentQueue* queue = foundation::ProcessState::withReset(new PaymentQueue());
    return *queue;
}

bool PaymentQueue::canMakePayments() {
    return Storefront::shared().canMakePayments();
}

void PaymentQueue::addTransactionObserver(
    const std::shared_ptr<PaymentTransactionObserver>& observer) {
    for (const auto& o : observers_) {
        if (o.lock() == observer) {
            return;
        }
    }
    observers_.push_back(observer);
}

void PaymentQueue::removeTransactionObserver(const PaymentTransactionObserver* observer) {
    observers_.erase(
        std::remove_if(observers_.begin(), observers_.end(),
                       [&](const auto& o) { return o.expired() || o.lock().get() == observer; }),
        observers_.end());
}

std::shared_ptr<PaymentTransaction> PaymentQueue::addPayment(Payment payment) {
    auto transaction = std::make_shared<PaymentTransaction>();
    transaction->payment = std::move(payment);
    transaction->transactionIdentifier = std::to_string(nextIdentifier_++);
    transactions_.push_back(transaction);
    notify(transaction);
    return transaction;
}

void PaymentQueue::complete(const std::shared_ptr<PaymentTransaction>& transaction,
                            PaymentTransactionState state, std::optional<foundation::Error> error) {
    if (!transaction || transaction->transactionState != PaymentTransactionState::purchasing) {
        return;
    }
    transaction->transactionState = state;
    transaction->error = std::move(error);
    notify(transaction);
}

void PaymentQueue::finishTransaction(const std::shared_ptr<PaymentTransaction>& transaction) {
    auto it = std::find(transactions_.begin(), transactions_.end(), transaction);
    if (it == transactions_.end()) {
        return;
    }
    transactions_.erase(it);
    finished_.push_back(transaction);
}

void PaymentQueue::notify(const std::shared_ptr<PaymentTransaction>& transaction) {
    auto observers = observers_;
    for (const auto& weak : observers) {
        if (auto observer = weak.lock()) {
            observer->paymentQueueUpdatedTransactions(*this, {transaction});
        }
    }
}

void PaymentQueue::reset() {
    observers_.clear();
    transactions_.clear();
    finished_.clear();
}

}  // namespace services
