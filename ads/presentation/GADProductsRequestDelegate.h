#pragma once

// One check of product identifiers with the store: the completion hears,
// once and on the main thread, the products found by identifier and the
// identifiers the store does not know, or nothing when the check failed.
// Cancelling (or dropping the object) silences it.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/services/ProductsRequest.h"

class GADProductsRequestDelegate : public services::ProductsRequestDelegate,
                                   public std::enable_shared_from_this<GADProductsRequestDelegate> {
  public:
    using Products = std::map<std::string, services::Product>;
    using CompletionBlock =
        std::function<void(GADProductsRequestDelegate&, const std::optional<Products>& valid,
                           const std::optional<std::set<std::string>>& invalid)>;

    // nullptr without identifiers or without a completion.
    static std::shared_ptr<GADProductsRequestDelegate> make(std::set<std::string> productIDs,
                                                            CompletionBlock completionBlock);
    GADProductsRequestDelegate(std::set<std::string> productIDs, CompletionBlock completionBlock);
    ~GADProductsRequestDelegate() override;

    void startRequest();
    void cancelRequest();

    void productsRequestDidReceiveResponse(services::ProductsRequest& request,
                                           const services::ProductsResponse& response) override;
    void requestDidFailWithError(services::ProductsRequest& request,
                                 const foundation::Error& error) override;

  private:
    void complete(const std::optional<Products>& valid,
                  const std::optional<std::set<std::string>>& invalid);

    std::shared_ptr<services::ProductsRequest> productsRequest_;
    CompletionBlock completionBlock_;
};
