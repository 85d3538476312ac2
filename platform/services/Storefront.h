#pragma once

// The store as the host and tests set it up: the products it knows (by
// identifier) and whether payments are allowed.

#include <map>
#include <optional>
#include <string>

#include "platform/services/Product.h"

namespace services {

class Storefront {
  public:
    static Storefront& shared();

    void addProduct(Product product);
    std::optional<Product> product(const std::string& identifier) const;
    bool canMakePayments() const { return canMakePayments_; }
    void setCanMakePayments(bool can) { canMakePayments_ = can; }
    void reset();

  private:
    std::map<std::string, Product> products_;
    bool canMakePayments_ = true;
};

}  // namespace services
