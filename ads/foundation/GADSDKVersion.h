#pragma once

// The component's version string, "vira-sdk-i-v" and the version numbers, as
// ad requests and ad pages receive it.

#include <string>

class GADSDKVersion {
  public:
    static const std::string& versionString();
};
