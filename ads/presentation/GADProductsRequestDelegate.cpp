#include "ads/presentation/GADProductsRequestDelegate.h"

std::shared_ptr<GADProductsRequestDelegate> GADProductsRequestDelegate::make(
    std::set<std::string> productIDs, CompletionBlock completionBlock) {
    if (productIDs.empty() || !completionBlock) {
        return nullptr;
    }
    return std::make_shared<GADProductsRequestDelegate>(std::move(productIDs),
                                                        std::move(completionBlock));
}

GADProductsRequestDelegate::GADProductsRequestDelegate(std::set<std::string> productIDs,
                                                       CompletionBlock completionBlock)
    : productsRequest_(std::make_shared<services::ProductsRequest>(std::move(productIDs))),
      completionBlock_(std::move(completionBlock)) {}

GADProductsRequestDelegate::~GADProductsRequestDelegate() {
    cancelRequest();
}

void GADProductsRequestDelegate::startRequest() {
    productsRequest_->setDelegate(weak_from_this());
    productsRequest_->start();
}

void GADProductsRequestDelegate::cancelRequest() {
    productsRequest_->cancel();
    productsRequest_->setDelegate({});
}

void GADProductsRequestDelegate::productsRequestDidReceiveResponse(
    services::ProductsRequest&, const services::ProductsResponse& response) {
    Products valid;
    for (const services::Product& product : response.products) {
        valid[product.productIdentifier] = product;
    }
    complete(valid, std::set<std::string>(response.invalidProductIdentifiers.begin(),
                                          response.invalidProductIdentifiers.end()));
}

void GADProductsRequestDelegate::requestDidFailWithError(services::ProductsRequest&,
                                                         const foundation::Error&) {
    complete(std::nullopt, std::nullopt);
}

// The store answers on the main thread.
void GADProductsRequestDelegate::complete(const std::optional<Products>& valid,
                                          const std::optional<std::set<std::string>>& invalid) {
    if (!completionBlock_) {
        return;
    }
    // The completion may let go of this object.
    auto self = shared_from_this();
    CompletionBlock completion = std::move(completionBlock_);
    completionBlock_ = nullptr;
    completion(*this, valid, invalid);
}
