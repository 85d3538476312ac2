#pragma once

// An in-app purchase an ad offers: the application's product and quantity
// and the report URL templates. Whoever performs the purchase reports its
// outcome here; the templates are then expanded with the outcome and facts
// about the application and pinged, and a purchase also reports a conversion
// through the application's conversion-tracking reporter when it has one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"

enum GADInAppPurchaseStatus : std::int64_t {
    kGADInAppPurchaseStatusError = 0,
    kGADInAppPurchaseStatusSuccessful = 1,
    kGADInAppPurchaseStatusCancel = 2,
    kGADInAppPurchaseStatusInvalidProduct = 3,
};

inline constexpr const char* kGADConversionReporterClassName = "ACTConversionReporter";

class GADInAppPurchase {
  public:
    // 1 to 10 inclusive.
    static bool quantityIsValid(std::int64_t quantity);
    // "error", "success", "cancel", "invalid product"; "error" for any other.
    static std::string stringForStatus(std::int64_t status);

    // "<GADInAppPurchase: 0x...>(\n  productID: ...,\n  quantity: ...)"
    std::string description() const;

    const std::optional<std::string>& productID() const { return productID_; }
    void setProductID(std::optional<std::string> productID) { productID_ = std::move(productID); }
    std::int64_t quantity() const { return quantity_; }
    // A quantity that is not valid is stored as 0.
    void setQuantity(std::int64_t quantity);
    const std::vector<std::string>& reportingURLStringFormats() const { return formats_; }
    void setReportingURLStringFormats(std::vector<std::string> formats) {
        formats_ = std::move(formats);
    }
    std::int64_t purchaseStatus() const { return purchaseStatus_; }
    void setPurchaseStatus(std::int64_t status) { purchaseStatus_ = status; }

    // Stores the status, pings every expanded template (caching off) and,
    // for a purchase, reports the conversion.
    void reportPurchaseStatus(std::int64_t status);
    // The template with "@sku@", "@quantity@", "@status@", "@sessionid@",
    // "@appid@", "@appversion@", "@osversion@", "@sdkversion@" and
    // "@timestamp@" put in, other macros removed and "@@" made "@".
    std::optional<std::string> expandedURLStringForURLStringFormat(const std::string& format) const;
    // True when the reporter says it reported; otherwise false with a
    // code-2 error of the private domain in `error` when one is asked for.
    bool reportConversionWithError(std::optional<foundation::Error>* error) const;
    void pingReportingURLStrings(const std::vector<std::string>& urlStrings) const;

  private:
    std::optional<std::string> productID_;
    std::int64_t quantity_ = 1;
    std::vector<std::string> formats_;
    std::int64_t purchaseStatus_ = kGADInAppPurchaseStatusError;
};
