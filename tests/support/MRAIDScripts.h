#pragma once

// Serves the component's MRAID scripts from the resources folder as the ad
// vendor's server does: "/mraid/v1/mraid_app_banner.js",
// "/mraid/v1/mraid_app_interstitial.js" and
// "/mraid/v1/mraid_app_expanded_banner.js", each its one-line prologue
// followed by "mraid.js".

#include <string>

#include "tests/support/LocalServer.h"

namespace testing_support {

class MRAIDScripts {
  public:
    static constexpr const char* kBanner = "/mraid/v1/mraid_app_banner.js";
    static constexpr const char* kInterstitial = "/mraid/v1/mraid_app_interstitial.js";
    static constexpr const char* kExpandedBanner = "/mraid/v1/mraid_app_expanded_banner.js";

    // The served text of one script ("mraid_app_banner" and so on).
    static std::string script(const std::string& name);
    // Adds the three routes and points the component's script URLs at them.
    static void serve(LocalServer& server);
};

}  // namespace testing_support
