#include "platform/services/StoreProductViewController.h"

#include "platform/foundation/RunLoop.h"
#include "platform/services/Storefront.h"

namespace services {

void StoreProductViewController::loadProductWithParameters(const foundation::Value& parameters,
                                                           Completion completion) {
    requests_.push_back(parameters);
    auto identifier = parameters.get(StoreProductParameterITunesItemIdentifier).stringValue();
    auto product = Storefront::shared().product(identifier);
    std::weak_ptr<StoreProductViewController> weak =
        std::static_pointer_cast<StoreProductViewController>(shared_from_this());
    foundation::RunLoop::main().perform([weak, product, identifier, completion] {
        auto self = weak.lock();
        if (self) {
            self->product_ = product;
        }
        if (!completion) {
            return;
        }
        if (product) {
            completion(true, std::nullopt);
        } else {
            completion(false,
                       foundation::Error{StoreErrorDomain, 0,
                                         "Cannot connect to the store (" + identifier + ")"});
        }
    });
}

void StoreProductViewController::finish() {
    auto keep = shared_from_this();
    if (auto d = delegate()) {
        d->productViewControllerDidFinish(*this);
    }
}

}  // namespace services
