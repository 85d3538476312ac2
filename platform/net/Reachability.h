#pragma once

// Whether a host or address can be reached over the network, as flags, read
// synchronously or watched for changes. The machine's state comes from its
// network interfaces (no name is looked up, so asking sends nothing); the
// host and tests can replace it with a simulated state.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/foundation/TaskQueue.h"
#include "platform/foundation/Timer.h"

namespace net {

namespace ReachabilityFlags {
inline constexpr std::uint32_t transientConnection = 1u << 0;
inline constexpr std::uint32_t reachable = 1u << 1;
inline constexpr std::uint32_t connectionRequired = 1u << 2;
inline constexpr std::uint32_t isLocalAddress = 1u << 16;
inline constexpr std::uint32_t isDirect = 1u << 17;
inline constexpr std::uint32_t isWWAN = 1u << 18;
}  // namespace ReachabilityFlags

class Reachability : public std::enable_shared_from_this<Reachability> {
  public:
    using Callback = std::function<void(std::uint32_t flags)>;

    // How often watched targets look at the network state (main run loop).
    static constexpr double kPollInterval = 2.0;

    // SCNetworkReachabilityCreateWithName / WithAddress.
    static std::shared_ptr<Reachability> withName(std::string host);
    static std::shared_ptr<Reachability> withAddress(std::string address);

    // `byName`: the target is a host name, looked up when watching starts.
    explicit Reachability(std::string target, bool byName = false);
    ~Reachability();

    const std::string& target() const { return target_; }

    // The current flags; nullopt when they cannot be read.
    std::optional<std::uint32_t> flags() const;
    bool isReachable() const;

    // setCallback + setDispatchQueue: `callback` runs on `queue` (nullptr:
    // the main queue) with the new flags each time they change; an empty
    // callback stops watching. A target made from a host name also reports
    // once when watching starts, as its name resolves, whatever the flags.
    void setCallback(Callback callback, std::shared_ptr<foundation::TaskQueue> queue = nullptr);

    // The network state every target reports from now on: flags for any
    // remote target (loopback targets stay reachable), nullopt for the
    // machine's real state. Watchers hear of the change at once.
    static void setSimulatedNetworkFlags(std::optional<std::uint32_t> flags);
    static std::optional<std::uint32_t> simulatedNetworkFlags();

  private:
    void check();
    static void checkAll();

    std::string target_;
    bool byName_ = false;
    mutable std::mutex mutex_;
    Callback callback_;
    std::shared_ptr<foundation::TaskQueue> queue_;
    std::optional<std::uint32_t> lastFlags_;
    std::shared_ptr<foundation::Timer> timer_;
};

}  // namespace net
