#include "remote/Reachability/Reachability.h"

#include <cstdio>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/NotificationCenter.h"

namespace {

namespace Flag {
constexpr std::uint32_t transientConnection = 1;
constexpr std::uint32_t reachable = 2;
constexpr std::uint32_t connectionRequired = 4;
constexpr std::uint32_t connectionOnTraffic = 8;
constexpr std::uint32_t interventionRequired = 0x10;
constexpr std::uint32_t connectionOnDemand = 0x20;
constexpr std::uint32_t isLocalAddress = 0x10000;
constexpr std::uint32_t isDirect = 0x20000;
constexpr std::uint32_t isWWAN = 0x40000;
}  // namespace Flag

}  // namespace

Reachability::Ptr Reachability::reachabilityWithHostname(const std::string& hostname) {
    auto ref = net::Reachability::withName(hostname);
    return ref ? make(std::move(ref)) : nullptr;
}

Reachability::Ptr Reachability::reachabilityWithAddress(const std::string& address) {
    auto ref = net::Reachability::withAddress(address);
    return ref ? make(std::move(ref)) : nullptr;
}

Reachability::Ptr Reachability::reachabilityForInternetConnection() {
    return reachabilityWithAddress("0.0.0.0");
}

Reachability::Ptr Reachability::reachabilityForLocalWiFi() {
    return reachabilityWithAddress("169.254.0.0");
}

Reachability::Ptr Reachability::make(std::shared_ptr<net::Reachability> reachabilityRef) {
    return Ptr(new Reachability(std::move(reachabilityRef)));
}

Reachability::Reachability(std::shared_ptr<net::Reachability> reachabilityRef)
    : reachabilityRef_(std::move(reachabilityRef)),
      reachabilitySerialQueue_(foundation::DispatchQueue::makeSerial(kQueueLabel)) {}

Reachability::~Reachability() {
    reachabilityRef_->setCallback(nullptr);
}

bool Reachability::startNotifier() {
    std::lock_guard lock(mutex_);
    if (reachabilityObject_) {
        return true;
    }
    std::weak_ptr<Reachability> weak = weak_from_this();
    reachabilityRef_->setCallback(
        [weak](std::uint32_t flags) {
            if (auto self = weak.lock()) {
                self->reachabilityChanged(flags);
            }
        },
        reachabilitySerialQueue_);
    reachabilityObject_ = shared_from_this();
    return true;
}

void Reachability::stopNotifier() {
    Ptr self;
    {
        std::lock_guard lock(mutex_);
        reachabilityRef_->setCallback(nullptr);
        self = std::move(reachabilityObject_);
    }
}

std::uint32_t Reachability::reachabilityFlags() const {
    return reachabilityRef_->flags().value_or(0);
}

bool Reachability::isReachableWithFlags(std::uint32_t flags) const {
    if ((flags & Flag::reachable) == 0) {
        return false;
    }
    if ((flags & (Flag::transientConnection | Flag::connectionRequired)) ==
        (Flag::transientConnection | Flag::connectionRequired)) {
        return false;
    }
    return (flags & Flag::isWWAN) == 0 || reachableOnWWAN;
}

bool Reachability::isReachableViaWWAN() const {
    const auto flags = reachabilityFlags();
    return (flags & Flag::reachable) != 0 && (flags & Flag::isWWAN) != 0;
}

bool Reachability::isReachableViaWiFi() const {
    const auto flags = reachabilityFlags();
    return (flags & Flag::reachable) != 0 && (flags & Flag::isWWAN) == 0;
}

bool Reachability::isConnectionRequired() const {
    return (reachabilityFlags() & Flag::connectionRequired) != 0;
}

bool Reachability::isConnectionOnDemand() const {
    const auto flags = reachabilityFlags();
    return (flags & Flag::connectionRequired) != 0 &&
           (flags & (Flag::connectionOnTraffic | Flag::connectionOnDemand)) != 0;
}

bool Reachability::isInterventionRequired() const {
    const auto flags = reachabilityFlags();
    return (flags & Flag::connectionRequired) != 0 && (flags & Flag::interventionRequired) != 0;
}

ReachabilityStatus Reachability::currentReachabilityStatus() const {
    if (!isReachable()) {
        return ReachabilityStatus::NotReachable;
    }
    return isReachableViaWiFi() ? ReachabilityStatus::ReachableViaWiFi
                                : ReachabilityStatus::ReachableViaWWAN;
}

std::string Reachability::currentReachabilityString() const {
    const char* keys[] = {"No Connection", "Cellular", "WiFi"};
    return foundation::Bundle::main().localizedString(
        keys[static_cast<int>(currentReachabilityStatus())], "");
}

std::string Reachability::flagsText(std::uint32_t flags) {
    auto mark = [flags](std::uint32_t bit, char letter) {
        return (flags & bit) != 0 ? letter : '-';
    };
    std::string text;
    text += mark(Flag::isWWAN, 'W');
    text += mark(Flag::reachable, 'R');
    text += ' ';
    text += mark(Flag::connectionRequired, 'c');
    text += mark(Flag::transientConnection, 't');
    text += mark(Flag::interventionRequired, 'i');
    text += mark(Flag::connectionOnTraffic, 'C');
    text += mark(Flag::connectionOnDemand, 'D');
    text += mark(Flag::isLocalAddress, 'l');
    text += mark(Flag::isDirect, 'd');
    return text;
}

std::string Reachability::description() const {
    char address[32];
    std::snprintf(address, sizeof address, "%#llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(this)));
    return "<Reachability: " + std::string(address) + " (" + currentReachabilityFlags() + ")>";
}

void Reachability::reachabilityChanged(std::uint32_t flags) {
    if (isReachableWithFlags(flags)) {
        if (reachableBlock) {
            reachableBlock(*this);
        }
    } else if (unreachableBlock) {
        unreachableBlock(*this);
    }
    auto self = shared_from_this();
    foundation::DispatchQueue::main()->async([self] {
        foundation::NotificationCenter::defaultCenter().post(kReachabilityChangedNotification,
                                                             self.get());
    });
}
