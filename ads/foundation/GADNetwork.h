#pragma once

// The kind of connection the device has (0 unknown or not checking, 1 not
// reachable, 2 Wi-Fi, 3 cellular), with the last reachable kind seen, as the
// request keys "net" and "net_last" report them. While checking, a
// reachability watcher on the ad host sets the kind from each change.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/DispatchQueue.h"
#include "platform/net/Reachability.h"

class GADNetwork : public std::enable_shared_from_this<GADNetwork> {
  public:
    // The host whose reachability is watched.
    static constexpr const char* kWatchedHost = "pubads.dezuvo.com";

    GADNetwork();
    ~GADNetwork();
    GADNetwork(const GADNetwork&) = delete;
    GADNetwork& operator=(const GADNetwork&) = delete;

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

    // Starts watching (the type stays 0 until the first change is heard);
    // the watcher keeps this object alive until checking stops.
    void enableNetworkChecking();
    // Stops watching and sets the type to 0 (not counted as a change).
    void disableNetworkChecking();
    bool isChecking() const;

  private:
    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::shared_ptr<foundation::DispatchQueue> enableCheckingQueue_;
    std::uint64_t changeCount_ = 0;
    std::uint64_t networkType_ = 0;
    std::uint64_t lastKnownNetworkType_ = 0;
    std::shared_ptr<net::Reachability> reachability_;
    std::shared_ptr<GADNetwork> selfReference_;
};
