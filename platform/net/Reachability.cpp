#include "platform/net/Reachability.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <vector>

#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"

namespace net {

namespace {

struct Shared {
    std::mutex mutex;
    std::optional<std::uint32_t> simulated;
    std::vector<std::weak_ptr<Reachability>> watched;
};

Shared& shared() {
    static auto* state = foundation::ProcessState::withReset(new Shared(), [](auto& state) {
        std::lock_guard lock(state.mutex);
        state.simulated.reset();
    });
    return *state;
}

bool isLoopbackTarget(const std::string& target) {
    const std::string lower = foundation::lowercase(target);
    if (lower == "localhost" || lower == "::1") {
        return true;
    }
    in_addr address{};
    return inet_pton(AF_INET, lower.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

// Reachable when an interface other than loopback is up with an address.
std::uint32_t machineFlags() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return 0;
    }
    std::uint32_t flags = 0;
    for (ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
        if (item->ifa_addr == nullptr || (item->ifa_flags & IFF_LOOPBACK) != 0 ||
            (item->ifa_flags & IFF_UP) == 0 || (item->ifa_flags & IFF_RUNNING) == 0) {
            continue;
        }
        const int family = item->ifa_addr->sa_family;
        if (family == AF_INET || family == AF_INET6) {
            flags = ReachabilityFlags::reachable;
            break;
        }
    }
    freeifaddrs(list);
    return flags;
}

}  // namespace

std::shared_ptr<Reachability> Reachability::withName(std::string host) {
    if (host.empty()) {
        return nullptr;
    }
    return std::make_shared<Reachability>(std::move(host), true);
}

std::shared_ptr<Reachability> Reachability::withAddress(std::string address) {
    in_addr v4{};
    in6_addr v6{};
    if (inet_pton(AF_INET, address.c_str(), &v4) != 1 &&
        inet_pton(AF_INET6, address.c_str(), &v6) != 1) {
        return nullptr;
    }
    return std::make_shared<Reachability>(std::move(address));
}

Reachability::Reachability(std::string target, bool byName)
    : target_(std::move(target)), byName_(byName) {}

Reachability::~Reachability() {
    if (timer_) {
        timer_->invalidate();
    }
}

std::optional<std::uint32_t> Reachability::flags() const {
    if (isLoopbackTarget(target_)) {
        return ReachabilityFlags::reachable | ReachabilityFlags::isLocalAddress |
               ReachabilityFlags::isDirect;
    }
    {
        auto& state = shared();
        std::lock_guard lock(state.mutex);
        if (state.simulated) {
            return *state.simulated;
        }
    }
    return machineFlags();
}

bool Reachability::isReachable() const {
    const auto current = flags();
    return current && (*current & ReachabilityFlags::reachable) != 0;
}

void Reachability::setCallback(Callback callback, std::shared_ptr<foundation::TaskQueue> queue) {
    std::shared_ptr<foundation::Timer> oldTimer;
    {
        std::lock_guard lock(mutex_);
        const bool starts = !callback_ && callback;
        callback_ = std::move(callback);
        queue_ = queue ? std::move(queue) : foundation::DispatchQueue::main();
        oldTimer = std::move(timer_);
        if (callback_) {
            lastFlags_ = flags();
            if (starts && byName_) {
                queue_->async(
                    [callback = callback_, value = lastFlags_.value_or(0)] { callback(value); });
            }
            std::weak_ptr<Reachability> weak = weak_from_this();
            timer_ = foundation::Timer::make(kPollInterval, true, [weak](foundation::Timer&) {
                if (auto self = weak.lock()) {
                    self->check();
                }
            });
            auto timer = timer_;
            foundation::RunLoop::main().perform(
                [timer] { foundation::RunLoop::main().addTimer(timer); });
        }
    }
    if (oldTimer) {
        oldTimer->invalidate();
    }
    auto& state = shared();
    std::lock_guard lock(state.mutex);
    std::erase_if(state.watched, [this](const auto& weak) {
        auto other = weak.lock();
        return !other || other.get() == this;
    });
    if (callback_) {
        state.watched.push_back(weak_from_this());
    }
}

void Reachability::check() {
    const auto current = flags();
    Callback callback;
    std::shared_ptr<foundation::TaskQueue> queue;
    {
        std::lock_guard lock(mutex_);
        if (!callback_ || current == lastFlags_) {
            return;
        }
        lastFlags_ = current;
        callback = callback_;
        queue = queue_;
    }
    const std::uint32_t value = current.value_or(0);
    queue->async([callback, value] { callback(value); });
}

void Reachability::checkAll() {
    std::vector<std::shared_ptr<Reachability>> targets;
    {
        auto& state = shared();
        std::lock_guard lock(state.mutex);
        for (const auto& weak : state.watched) {
            if (auto target = weak.lock()) {
                targets.push_back(std::move(target));
            }
        }
    }
    for (const auto& target : targets) {
        target->check();
    }
}

void Reachability::setSimulatedNetworkFlags(std::optional<std::uint32_t> flags) {
    {
        auto& state = shared();
        std::lock_guard lock(state.mutex);
        state.simulated = flags;
    }
    checkAll();
}

std::optional<std::uint32_t> Reachability::simulatedNetworkFlags() {
    auto& state = shared();
    std::lock_guard lock(state.mutex);
    return state.simulated;
}

}  // namespace net
