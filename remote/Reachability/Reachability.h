#pragma once

// Watches whether a host or an address can be reached: answers questions
// about the current state and, once started, reports every change to a
// "reachable" or "unreachable" block on its own serial queue and as
// "kReachabilityChangedNotification" on the main thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/foundation/DispatchQueue.h"
#include "platform/net/Reachability.h"

inline constexpr const char* kReachabilityChangedNotification = "kReachabilityChangedNotification";

enum class ReachabilityStatus { NotReachable = 0, ReachableViaWWAN = 1, ReachableViaWiFi = 2 };

class Reachability : public std::enable_shared_from_this<Reachability> {
  public:
    using Ptr = std::shared_ptr<Reachability>;
    using NetworkBlock = std::function<void(Reachability&)>;

    static constexpr const char* kQueueLabel = "com.delquist.reachability";

    // nullptr when the platform cannot make the handle.
    static Ptr reachabilityWithHostname(const std::string& hostname);
    static Ptr reachabilityWithHostName(const std::string& hostname) {
        return reachabilityWithHostname(hostname);
    }
    static Ptr reachabilityWithAddress(const std::string& address);
    // 0.0.0.0: any route to the internet.
    static Ptr reachabilityForInternetConnection();
    // 169.254.0.0: the link-local network.
    static Ptr reachabilityForLocalWiFi();
    static Ptr make(std::shared_ptr<net::Reachability> reachabilityRef);
    ~Reachability();

    // Starting twice registers once; a started watcher keeps itself alive
    // until stopNotifier().
    bool startNotifier();
    void stopNotifier();

    bool isReachable() const { return isReachableWithFlags(reachabilityFlags()); }
    bool isReachableViaWWAN() const;
    bool isReachableViaWiFi() const;
    bool isConnectionRequired() const;
    bool connectionRequired() const { return isConnectionRequired(); }
    bool isConnectionOnDemand() const;
    bool isInterventionRequired() const;
    bool isReachableWithFlags(std::uint32_t flags) const;

    ReachabilityStatus currentReachabilityStatus() const;
    std::string currentReachabilityString() const;
    // 0 when the flags cannot be read.
    std::uint32_t reachabilityFlags() const;
    std::string currentReachabilityFlags() const { return flagsText(reachabilityFlags()); }
    std::string description() const;
    static std::string flagsText(std::uint32_t flags);

    // Runs a block for the new flags, then posts the notification.
    void reachabilityChanged(std::uint32_t flags);

    NetworkBlock reachableBlock;
    NetworkBlock unreachableBlock;
    bool reachableOnWWAN = true;

  private:
    explicit Reachability(std::shared_ptr<net::Reachability> reachabilityRef);

    std::shared_ptr<net::Reachability> reachabilityRef_;
    std::shared_ptr<foundation::DispatchQueue> reachabilitySerialQueue_;
    std::mutex mutex_;
    Ptr reachabilityObject_;
};
