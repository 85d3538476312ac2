#include "ads/webview/RAZCoreMetadata.h"

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADSDKVersion.h"
#include "platform/foundation/OrderedDictionary.h"

foundation::Dictionary RAZCoreMetadata::SDKVersion() {
    return foundation::Dictionary{{"major", GADSDKVersion::kMajor},
                                  {"minor", GADSDKVersion::kMinor},
                                  {"patch", GADSDKVersion::kPatch}};
}

std::optional<std::string> RAZCoreMetadata::JSONStringValue() const {
    foundation::OrderedDictionary json;
    json.set("gad_device", GADDevice::currentDevice().parameters());
    json.set("sdk_version", SDKVersion());
    return json.JSONString();
}
