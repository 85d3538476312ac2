#include "ads/presentation/GADInAppPurchase.h"

#include <cstdio>
#include <memory>

#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADInternalErrorAdditions.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADSDKVersion.h"
#include "ads/foundation/GADTemplateAdditions.h"
#include "ads/presentation/ACTStub.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ClassRegistry.h"

namespace {

constexpr const char* kUnableToReport = "Unable to report in-app purchase conversion.";
constexpr const char* kReporterNotLinked =
    "Warning: Valid conversion tracking library was not linked. In-app purchase conversions "
    "will not be reported.";

}  // namespace

bool GADInAppPurchase::quantityIsValid(std::int64_t quantity) {
    return quantity >= 1 && quantity <= 10;
}

std::string GADInAppPurchase::stringForStatus(std::int64_t status) {
    switch (status) {
        case kGADInAppPurchaseStatusSuccessful:
            return "success";
        case kGADInAppPurchaseStatusCancel:
            return "cancel";
        case kGADInAppPurchaseStatusInvalidProduct:
            return "invalid product";
        default:
            return "error";
    }
}

std::string GADInAppPurchase::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(this));
    return std::string("<GADInAppPurchase: ") + address +
           ">(\n  productID: " + productID_.value_or("(null)") +
           ",\n  quantity: " + std::to_string(quantity_) + ")";
}

void GADInAppPurchase::setQuantity(std::int64_t quantity) {
    quantity_ = quantityIsValid(quantity) ? quantity : 0;
}

void GADInAppPurchase::reportPurchaseStatus(std::int64_t status) {
    purchaseStatus_ = status;
    std::vector<std::string> urlStrings;
    for (const auto& format : formats_) {
        if (auto expanded = expandedURLStringForURLStringFormat(format)) {
            urlStrings.push_back(std::move(*expanded));
        }
    }
    pingReportingURLStrings(urlStrings);
    if (status == kGADInAppPurchaseStatusSuccessful) {
        reportConversionWithError(nullptr);
    }
}

std::optional<std::string> GADInAppPurchase::expandedURLStringForURLStringFormat(
    const std::string& format) const {
    auto& application = GADApplication::sharedApplication();
    const auto& bundle = foundation::Bundle::main();
    foundation::Dictionary values;
    if (productID_) {
        values["sku"] = *productID_;
    }
    values["quantity"] = quantity_;
    values["status"] = purchaseStatus_;
    values["sessionid"] = application.currentSession().sessionIDAsString();
    values["appid"] = bundle.bundleIdentifier();
    const auto version = bundle.objectForInfoDictionaryKey("CFBundleVersion");
    if (!version.isNull()) {
        values["appversion"] = version;
    }
    values["osversion"] = GADDevice::currentDevice().systemVersion();
    values["sdkversion"] = GADSDKVersion::versionString();
    values["timestamp"] =
        static_cast<std::int64_t>(application.timeSinceFirstAdRequestInMilliseconds());
    return GADReplaceContentAdditions::gad_stringByExpandingTemplate(format, values);
}

bool GADInAppPurchase::reportConversionWithError(std::optional<foundation::Error>* error) const {
    std::string message = kReporterNotLinked;
    if (auto reporter =
            foundation::ClassRegistry::shared().make<ACTStub>(kGADConversionReporterClassName)) {
        reporter->initWithProductID(productID_, std::nullopt, true);
        if (reporter->report()) {
            return true;
        }
        message = kUnableToReport;
    } else {
        GADMacros::pubLog(message);
    }
    if (error) {
        *error = GADInternalErrorAdditions::gad_errorWithCode(2, message);
    }
    return false;
}

void GADInAppPurchase::pingReportingURLStrings(const std::vector<std::string>& urlStrings) const {
    foundation::Array urls;
    for (const auto& urlString : urlStrings) {
        urls.push_back(urlString);
    }
    GADClickTrackerCollection::sharedInstance().trackURLs(urls, false);
}
