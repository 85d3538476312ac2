#pragma once

// The publisher toolbar's sign-in credentials, kept in the standard user
// defaults under "DezuvoAdsSDKToolbarCredentials" across launches. While
// any are stored, ad requests say so. Storing and clearing take one
// process-wide lock, so the stored key and the object change as one step.

#include <mutex>
#include <optional>

#include "platform/foundation/Value.h"

inline constexpr const char* kGADToolbarCredentialsKey = "DezuvoAdsSDKToolbarCredentials";

class GADPublisherToolbarCredentials {
  public:
    // A dictionary is stored (an empty one counts).
    static bool hasToolbarCredentials();
    static std::mutex& credentialsLock();

    // Reads what is stored.
    GADPublisherToolbarCredentials();

    std::optional<foundation::Dictionary> credentials() const;
    void clearCredentials();
    void storeCredentials(const foundation::Dictionary& credentials);

  private:
    std::optional<foundation::Dictionary> credentials_;
};
