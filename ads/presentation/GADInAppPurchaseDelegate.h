#pragma once

// Whoever performs the in-app purchases that ads offer: the application's
// own delegate or the component's default purchase flow. Main thread.

#include <memory>

class GADInAppPurchase;

class GADInAppPurchaseDelegate {
  public:
    virtual ~GADInAppPurchaseDelegate() = default;

    virtual void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>&) {}
};
