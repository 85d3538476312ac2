#pragma once

// The store as the host and tests set it up: the products it knows (by
// identifier), whether payments are allowed, and an error that product
// checks fail with while it is set.

#include <map>
#include <optional>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/services/Product.h"

namespace services {

class Storefront {
  public:
    static Storefront& shared();

    void addProduct(Product product);
    std::optional<Product> product(const std::string& identifier) const;
    bool canMakePayments() const { return canMakePayments_; }
    void setCanMakePayments(bool can) { canMakePayments_ = can; }
    const std::optional<foundation::Error>& productsRequestError() const {
        return productsRequestError_;
    }
    void setProductsRequestError(std::optional<foundation::Error> error) {
        productsRequestError_ = std::move(error);
    }
    void reset();

  private:
    std::map<std::string, Product> products_;
    bool canMakePayments_ = true;
    std::optional<foundation::Error> productsRequestError_;
};

}  // namespace services
