// The opener's store sheets: shown after the product loaded, at once, or
// prepared ahead and kept by the decimal product ID.

#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADOpener.h"
#include "platform/foundation/ClassRegistry.h"

namespace {

constexpr const char* kStoreSheetClassName = "SKStoreProductViewController";

std::int64_t productNumber(const std::string& productID) {
    return foundation::Value(productID).integerValue();
}

foundation::Value loadParameters(const std::string& productID) {
    return foundation::Dictionary{
        {services::StoreProductParameterITunesItemIdentifier, productNumber(productID)}};
}

}  // namespace

bool GADOpener::isInAppStoreSupported() {
    return foundation::ClassRegistry::shared().exists(kStoreSheetClassName);
}

void GADOpener::openInAppStore(const std::string& productID,
                               const std::optional<foundation::URL>& fallbackURL) {
    if (!shouldPerformOpenAction()) {
        return;
    }
    if (!isInAppStoreSupported()) {
        openApp(fallbackURL);
        return;
    }
    auto sheet = std::make_shared<services::StoreProductViewController>();
    sheet->setDelegate(weak_from_this());
    std::weak_ptr<GADOpener> weakSelf = weak_from_this();
    sheet->loadProductWithParameters(
        loadParameters(productID),
        [weakSelf, sheet, fallbackURL](bool result, const std::optional<foundation::Error>&) {
            auto self = weakSelf.lock();
            if (!self) {
                return;
            }
            if (!result) {
                self->openApp(fallbackURL);
                return;
            }
            auto controller = self->viewController();
            if (controller && !controller->isBeingDismissed()) {
                controller->presentViewController(sheet, true);
                self->didOpenInApp();
            }
        });
}

void GADOpener::openInAppStoreWithProductID(const std::string& productID,
                                            const std::optional<foundation::URL>& fallbackURL,
                                            bool shouldWaitForFetch) {
    if (!shouldPerformOpenAction()) {
        return;
    }
    if (shouldWaitForFetch) {
        openInAppStore(productID, fallbackURL);
        return;
    }
    auto sheet = fetchInAppStoreForProductID(productID);
    sheet->setDelegate(weak_from_this());
    if (auto controller = viewController()) {
        std::weak_ptr<GADOpener> weakSelf = weak_from_this();
        controller->presentViewController(sheet, true, [weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->didOpenInApp();
            }
        });
    }
}

GADOpener::StoreSheet GADOpener::fetchInAppStoreForProductID(const std::string& productID) {
    const std::string key = std::to_string(productNumber(productID));
    if (auto found = cachedStoreProductViewController_.find(key);
        found != cachedStoreProductViewController_.end()) {
        return found->second;
    }
    // A sheet the application kept is this opener's now, so it is reused and
    // handed back when the opener goes.
    auto sheet =
        GADApplication::sharedApplication().cachedStoreProductViewControllerForProductID(key);
    if (!sheet) {
        sheet = std::make_shared<services::StoreProductViewController>();
        sheet->loadProductWithParameters(loadParameters(productID), nullptr);
    }
    cachedStoreProductViewController_[key] = sheet;
    return sheet;
}

void GADOpener::productViewControllerDidFinish(services::StoreProductViewController&) {
    dismissPresentedController();
}
