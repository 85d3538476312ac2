#pragma once

// Asks the store about product identifiers: the delegate gets the products
// it knows and the identifiers it does not (or the store's failure), once, on
// a later turn of the main run loop; a cancelled request answers nothing.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/services/Product.h"

namespace services {

class ProductsRequest;

struct ProductsResponse {
    std::vector<Product> products;
    std::vector<std::string> invalidProductIdentifiers;
};

class ProductsRequestDelegate {
  public:
    virtual ~ProductsRequestDelegate() = default;
    virtual void productsRequestDidReceiveResponse(ProductsRequest& request,
                                                   const ProductsResponse& response) = 0;
    virtual void requestDidFailWithError(ProductsRequest& request, const foundation::Error& error) {
    }
};

class ProductsRequest : public std::enable_shared_from_this<ProductsRequest> {
  public:
    explicit ProductsRequest(std::set<std::string> identifiers)
        : identifiers_(std::move(identifiers)) {}

    std::shared_ptr<ProductsRequestDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<ProductsRequestDelegate>& d) { delegate_ = d; }
    void start();
    void cancel() { cancelled_ = true; }

  private:
    std::set<std::string> identifiers_;
    std::weak_ptr<ProductsRequestDelegate> delegate_;
    bool cancelled_ = false;
    bool started_ = false;
};

}  // namespace services
