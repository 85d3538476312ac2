#pragma once

// The store's product sheet: loads a product by its identifier (the
// completion runs on a later turn of the main run loop, with an error for a
// product the store does not know) and tells its delegate when the user is
// done (simulated).

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"
#include "platform/services/Product.h"
#include "platform/ui/ViewController.h"

namespace services {

inline constexpr const char* StoreProductParameterITunesItemIdentifier = "id";
inline constexpr const char* StoreErrorDomain = "SKErrorDomain";

class StoreProductViewController;

class StoreProductViewControllerDelegate {
  public:
    virtual ~StoreProductViewControllerDelegate() = default;
    virtual void productViewControllerDidFinish(StoreProductViewController& controller) = 0;
};

class StoreProductViewController : public ui::ViewController {
  public:
    using Ptr = std::shared_ptr<StoreProductViewController>;
    using Completion = std::function<void(bool result, std::optional<foundation::Error> error)>;

    std::shared_ptr<StoreProductViewControllerDelegate> delegate() const {
        return delegate_.lock();
    }
    void setDelegate(const std::weak_ptr<StoreProductViewControllerDelegate>& d) { delegate_ = d; }

    // `parameters` holds the product identifier (number or text) under
    // StoreProductParameterITunesItemIdentifier.
    void loadProductWithParameters(const foundation::Value& parameters, Completion completion);
    const std::optional<Product>& loadedProduct() const { return product_; }
    // Every set of parameters asked for, in order.
    const std::vector<foundation::Value>& requests() const { return requests_; }

    // The user taps Done.
    void finish();

  private:
    std::weak_ptr<StoreProductViewControllerDelegate> delegate_;
    std::optional<Product> product_;
    std::vector<foundation::Value> requests_;
};

}  // namespace services
