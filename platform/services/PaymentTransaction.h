#pragma once

// A payment asked of the store and where it stands.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Error.h"

namespace services {

struct Payment {
    std::string productIdentifier;
    long quantity = 1;
};

enum class PaymentTransactionState {
    purchasing = 0,
    purchased = 1,
    failed = 2,
    restored = 3,
    deferred = 4
};

inline constexpr long PaymentCancelledErrorCode = 2;

struct PaymentTransaction {
    Payment payment;
    PaymentTransactionState transactionState = PaymentTransactionState::purchasing;
    std::optional<foundation::Error> error;
    std::string transactionIdentifier;
};

}  // namespace services
