#include "platform/services/ProductsRequest.h"

#include "platform/foundation/RunLoop.h"
#include "platform/services/Storefront.h"

namespace services {

void ProductsRequest::start() {
    if (started_) {
        return;
    }
    started_ = true;
    auto self = shared_from_this();
    foundation::RunLoop::main().perform([self] {
        if (self->cancelled_) {
            return;
        }
        auto delegate = self->delegate();
        if (const auto& error = Storefront::shared().productsRequestError()) {
            if (delegate) {
                delegate->requestDidFailWithError(*self, *error);
            }
            return;
        }
        ProductsResponse response;
        for (const auto& id : self->identifiers_) {
            if (auto product = Storefront::shared().product(id)) {
                response.products.push_back(*product);
            } else {
                response.invalidProductIdentifiers.push_back(id);
            }
        }
        if (delegate) {
            delegate->productsRequestDidReceiveResponse(*self, response);
        }
    });
}

}  // namespace services
