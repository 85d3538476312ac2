#pragma once

// The store's payment queue: payments added are recorded as transactions in
// the purchasing state; the store's answer (purchased, failed, cancelled) is
// simulated and goes to every observer; finished transactions are recorded.
// Observers are held weakly.

#include <memory>
#include <string>
#include <vector>

#include "platform/services/PaymentTransaction.h"

namespace services {

class PaymentQueue;

class PaymentTransactionObserver {
  public:
    virtual ~PaymentTransactionObserver() = default;
    virtual void paymentQueueUpdatedTransactions(
        PaymentQueue& queue, const std::vector<std::shared_ptr<PaymentTransaction>>& tx) = 0;
};

class PaymentQueue {
  public:
    static PaymentQueue& defaultQueue();
    static bool canMakePayments();

    void addTransactionObserver(const std::shared_ptr<PaymentTransactionObserver>& observer);
    void removeTransactionObserver(const PaymentTransactionObserver* observer);
    // Records the payment; observers hear of the new transaction.
    std::shared_ptr<PaymentTransaction> addPayment(Payment payment);
    void finishTransaction(const std::shared_ptr<PaymentTransaction>& transaction);

    const std::vector<std::shared_ptr<PaymentTransaction>>& transactions() const {
        return transactions_;
    }
    const std::vector<std::shared_ptr<PaymentTransaction>>& finishedTransactions() const {
        return finished_;
    }

    // The store's answer for a pending transaction.
    void complete(const std::shared_ptr<PaymentTransaction>& transaction,
                  PaymentTransactionState state,
                  std::optional<foundation::Error> error = std::nullopt);
    void reset();

  private:
    void notify(const std::shared_ptr<PaymentTransaction>& transaction);

    std::vector<std::weak_ptr<PaymentTransactionObserver>> observers_;
    std::vector<std::shared_ptr<PaymentTransaction>> transactions_;
    std::vector<std::shared_ptr<PaymentTransaction>> finished_;
    long nextIdentifier_ = 1;
};

}  // namespace services
