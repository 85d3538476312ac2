#include "ads/foundation/GADSDKVersion.h"

namespace {

constexpr int kSDKVersionMajor = 6;
constexpr int kSDKVersionMinor = 12;
constexpr int kSDKVersionPatch = 2;

}  // namespace

const std::string& GADSDKVersion::versionString() {
    static const std::string version = "vira-sdk-i-v" + std::to_string(kSDKVersionMajor) + "." +
                                       std::to_string(kSDKVersionMinor) + "." +
                                       std::to_string(kSDKVersionPatch);
    return version;
}
