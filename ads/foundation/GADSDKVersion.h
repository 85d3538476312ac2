#pragma once

// The component's version string, "vira-sdk-i-v" and the version numbers, as
// ad requests and ad pages receive it.

#include <string>

class GADSDKVersion {
  public:
    static constexpr int kMajor = 6;
    static constexpr int kMinor = 12;
    static constexpr int kPatch = 2;

    static const std::string& versionString();
};
