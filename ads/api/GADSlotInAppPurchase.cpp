// The slot's hand-off of in-app purchases to whoever carries them out.

#include "ads/api/GADSlot.h"
#include "ads/foundation/GADMacros.h"
#include "ads/presentation/GADInAppPurchaseDelegate.h"
#include "ads/presentation/GADPaymentTransactionObserver.h"

std::shared_ptr<GADInAppPurchaseDelegate> GADSlot::inAppPurchaseDelegate() const {
    const auto& flow = GADPaymentTransactionObserver::sharedInstance();
    if (flow->isDefaultPurchaseFlowEnabled()) {
        return flow;
    }
    const auto owner = slotDelegate();
    return owner ? owner->inAppPurchaseDelegate() : nullptr;
}

void GADSlot::didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>& purchase) {
    const auto delegate = inAppPurchaseDelegate();
    if (!delegate) {
        GADMacros::pubLog(
            "You must set the in-app purchase delegate. Transaction cannot be "
            "completed.");
        return;
    }
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { delegate->didReceiveInAppPurchase(purchase); });
}
