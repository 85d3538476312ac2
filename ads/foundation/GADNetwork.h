#pragma once

// The kind of connection the device has (0 unknown, 1 not reachable,
// 2 Wi-Fi, 3 cellular), with the last reachable kind seen, as the request
// keys "net" and "net_last" report them.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

class GADNetwork {
  public:
    std::uint64_t networkType() const;
    // A change to a non-zero type is counted; a type above 1 becomes the last
    // known type. Setting the same type again changes nothing.
    void setNetworkType(std::uint64_t type);
    // 3 for the is-WWAN flag, else 2 for the reachable flag, else 1.
    void setNetworkTypeFromFlags(std::uint32_t flags);
    std::uint64_t changeCount() const;
    // "wi" for Wi-Fi, "ed" for cellular, nullopt otherwise.
    std::optional<std::string> networkTypeString() const;
    std::optional<std::string> lastKnownNetworkTypeString() const;

  private:
    mutable std::mutex lock_;
    std::uint64_t changeCount_ = 0;
    std::uint64_t networkType_ = 0;
    std::uint64_t lastKnownNetworkType_ = 0;
};
