#pragma once

// One run of the ad component: a random 64-bit identifier that every ad
// request of the process carries as "session_id".

#include <cstdint>
#include <string>

#include "platform/foundation/UUID.h"

class GADSession {
  public:
    GADSession() : sessionID_(GADMakeSessionID(foundation::UUID())) {}

    // The MD5 digest of the UUID's 16 bytes; its bytes 8 to 15 read as a
    // little-endian unsigned integer.
    static std::uint64_t GADMakeSessionID(const foundation::UUID& uuid);

    std::uint64_t sessionID() const { return sessionID_; }
    // Unsigned decimal text.
    std::string sessionIDAsString() const { return std::to_string(sessionID_); }

  private:
    std::uint64_t sessionID_;
};
