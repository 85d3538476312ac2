#include "ads/foundation/GADSDKVersion.h"

const std::string& GADSDKVersion::versionString() {
    static const std::string version = "vira-sdk-i-v" + std::to_string(kMajor) + "." +
                                       std::to_string(kMinor) + "." + std::to_string(kPatch);
    return version;
}
