#pragma once

// What the loaders know of a native ad format without an ad of it: its name,
// the delegate it is delivered to, how to make one from an ad object and the
// request parameters that ask for it.

#include <memory>
#include <string>

#include "platform/foundation/Value.h"

class GADAdLoaderDelegate;
class GADNativeAd;

struct GADNativeAdClass {
    std::string name;
    // The name of the delegate interface the loader's delegate must have.
    std::string requiredDelegateProtocol;
    // Null when the ad object makes no ad of this format.
    std::shared_ptr<GADNativeAd> (*make)(const foundation::Dictionary& adObject);
    // {"format": <template>} for the request of a loader.
    foundation::Dictionary requestParametersForAdLoader;
    bool (*delegateConformsToRequiredProtocol)(const GADAdLoaderDelegate& delegate);
};
