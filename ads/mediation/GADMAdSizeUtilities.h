#pragma once

// Ad-size conversions offered to adapters, which get ad sizes wrapped in
// encoded values: decoding, comparing, the size in points, validity and
// description.

#include <string>

#include "ads/api/GADAdSize.h"
#include "platform/foundation/EncodedValue.h"

class GADMAdSizeUtilities {
  public:
    // The encodings of a wrapped ad size, a wrapped size in points and a
    // wrapped boolean.
    static constexpr const char* kAdSizeEncoding = "{GADAdSize={CGSize=dd}Q}";
    static constexpr const char* kCGSizeEncoding = "{CGSize=dd}";
    static constexpr const char* kBoolEncoding = "B";

    // True and the size written when the value is a wrapped ad size; false
    // and nothing written otherwise.
    static bool decodeNSValueToGADAdSize(const foundation::EncodedValue& value, GADAdSize& size);
    // A wrapped boolean: both decode and their widths, heights and flags are equal.
    static foundation::EncodedValue GADAdSizeEqualToSize(const foundation::EncodedValue& value,
                                                         const foundation::EncodedValue& other);
    // The wrapped size in points on this device.
    static foundation::EncodedValue CGSizeFromGADAdSize(const foundation::EncodedValue& value);
    // A wrapped boolean: whether the ad size is valid.
    static foundation::EncodedValue isGADAdSizeValid(const foundation::EncodedValue& value);
    static std::string stringFromGADAdSize(const foundation::EncodedValue& value);
};
