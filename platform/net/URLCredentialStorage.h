#pragma once

// The credentials the process keeps for its session: one per protection
// space, left by loads whose server accepted a credential that may be kept,
// and sent first by later loads to that space that may use stored ones.

#include <mutex>
#include <optional>
#include <vector>

#include "platform/net/URLCredential.h"
#include "platform/net/URLProtectionSpace.h"

namespace net {

class URLCredentialStorage {
  public:
    static URLCredentialStorage& shared();

    std::optional<URLCredential> defaultCredentialForProtectionSpace(
        const URLProtectionSpace& space) const;
    // A credential of persistence none is not kept.
    void setDefaultCredential(const URLCredential& credential, const URLProtectionSpace& space);
    // Forgets every credential.
    void reset();

  private:
    mutable std::mutex mutex_;
    std::vector<std::pair<URLProtectionSpace, URLCredential>> credentials_;
};

}  // namespace net
