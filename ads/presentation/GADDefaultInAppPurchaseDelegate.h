#pragma once

// The application's part in the default purchase flow: it may refuse a
// purchase before it starts, and it delivers each paid purchase, then
// finishes it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class GADDefaultInAppPurchase;

class GADDefaultInAppPurchaseDelegate {
  public:
    virtual ~GADDefaultInAppPurchaseDelegate() = default;

    // The store took the payment: deliver the product, then call the
    // purchase's finishTransaction.
    virtual void userDidPayForPurchase(const std::shared_ptr<GADDefaultInAppPurchase>&) = 0;
    // Whether to start the purchase; nullopt when the application does not say.
    virtual std::optional<bool> shouldStartPurchaseForProductID(const std::string&, std::int64_t) {
        return std::nullopt;
    }
};
