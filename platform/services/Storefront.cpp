#include "platform/services/Storefront.h"

#include "platform/foundation/ProcessState.h"

namespace services {

Storefront& Storefront::shared() {
    static Storefront* store = foundation::ProcessState::withReset(new Storefront());
    return *store;
}

void Storefront::addProduct(Product product) {
    auto id = product.productIdentifier;
    products_[id] = std::move(product);
}

std::optional<Product> Storefront::product(const std::string& identifier) const {
    auto it = products_.find(identifier);
    return it == products_.end() ? std::nullopt : std::optional(it->second);
}

void Storefront::reset() {
    products_.clear();
    canMakePayments_ = true;
    productsRequestError_.reset();
}

}  // namespace services
