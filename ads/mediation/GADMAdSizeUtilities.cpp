#include "ads/mediation/GADMAdSizeUtilities.h"

#include <optional>

namespace {

// The ad size in the value; a value that does not decode counts as the
// invalid size.
GADAdSize adSizeOrInvalid(const foundation::EncodedValue& value) {
    GADAdSize size = kGADAdSizeInvalid;
    GADMAdSizeUtilities::decodeNSValueToGADAdSize(value, size);
    return size;
}

}  // namespace

bool GADMAdSizeUtilities::decodeNSValueToGADAdSize(const foundation::EncodedValue& value,
                                                   GADAdSize& size) {
    if (value.objCType() != kAdSizeEncoding) {
        return false;
    }
    std::optional<GADAdSize> decoded = value.getValue<GADAdSize>();
    if (!decoded) {
        return false;
    }
    size = *decoded;
    return true;
}

foundation::EncodedValue GADMAdSizeUtilities::GADAdSizeEqualToSize(
    const foundation::EncodedValue& value, const foundation::EncodedValue& other) {
    GADAdSize a;
    GADAdSize b;
    bool equal = decodeNSValueToGADAdSize(value, a) && decodeNSValueToGADAdSize(other, b) &&
                 GADAdSizeIsEqualToAdSize(a, b);
    return foundation::EncodedValue(kBoolEncoding, equal);
}

foundation::EncodedValue GADMAdSizeUtilities::CGSizeFromGADAdSize(
    const foundation::EncodedValue& value) {
    return foundation::EncodedValue(kCGSizeEncoding, GADAdSizeGetCGSize(adSizeOrInvalid(value)));
}

foundation::EncodedValue GADMAdSizeUtilities::isGADAdSizeValid(
    const foundation::EncodedValue& value) {
    return foundation::EncodedValue(kBoolEncoding, GADAdSizeIsValid(adSizeOrInvalid(value)));
}

std::string GADMAdSizeUtilities::stringFromGADAdSize(const foundation::EncodedValue& value) {
    return GADAdSizeDescription(adSizeOrInvalid(value));
}
