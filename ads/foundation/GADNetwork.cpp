#include "ads/foundation/GADNetwork.h"

namespace {

std::optional<std::string> typeString(std::uint64_t type) {
    if (type == 2) {
        return "wi";
    }
    if (type == 3) {
        return "ed";
    }
    return std::nullopt;
}

}  // namespace

GADNetwork::GADNetwork()
    : lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.network")),
      enableCheckingQueue_(
          foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.network-enable")) {}

GADNetwork::~GADNetwork() {
    if (reachability_) {
        reachability_->setCallback(nullptr);
    }
    // Changes still queued touch this object: let them finish first.
    lockQueue_->sync([] {});
}

std::uint64_t GADNetwork::networkType() const {
    std::uint64_t type = 0;
    lockQueue_->sync([&] { type = networkType_; });
    return type;
}

void GADNetwork::setNetworkType(std::uint64_t type) {
    lockQueue_->async([this, type] {
        if (type == networkType_) {
            return;
        }
        if (type != 0) {
            ++changeCount_;
            if (type > 1) {
                lastKnownNetworkType_ = type;
            }
        }
        networkType_ = type;
    });
}

void GADNetwork::setNetworkTypeFromFlags(std::uint32_t flags) {
    if (flags & net::ReachabilityFlags::isWWAN) {
        setNetworkType(3);
    } else if (flags & net::ReachabilityFlags::reachable) {
        setNetworkType(2);
    } else {
        setNetworkType(1);
    }
}

std::uint64_t GADNetwork::changeCount() const {
    std::uint64_t count = 0;
    lockQueue_->sync([&] { count = changeCount_; });
    return count;
}

std::optional<std::string> GADNetwork::networkTypeString() const {
    return typeString(networkType());
}

std::optional<std::string> GADNetwork::lastKnownNetworkTypeString() const {
    std::uint64_t type = 0;
    lockQueue_->sync([&] { type = lastKnownNetworkType_; });
    return typeString(type);
}

void GADNetwork::enableNetworkChecking() {
    enableCheckingQueue_->sync([this] {
        if (reachability_) {
            return;
        }
        setNetworkType(0);
        reachability_ = net::Reachability::withName(kWatchedHost);
        if (!reachability_) {
            return;
        }
        std::weak_ptr<GADNetwork> weakSelf = weak_from_this();
        reachability_->setCallback(
            [weakSelf](std::uint32_t flags) {
                if (auto self = weakSelf.lock()) {
                    self->setNetworkTypeFromFlags(flags);
                }
            },
            enableCheckingQueue_);
        selfReference_ = shared_from_this();
    });
}

void GADNetwork::disableNetworkChecking() {
    std::shared_ptr<GADNetwork> released;
    enableCheckingQueue_->sync([&] {
        if (!reachability_) {
            return;
        }
        reachability_->setCallback(nullptr);
        reachability_.reset();
        setNetworkType(0);
        released = std::move(selfReference_);
    });
}

bool GADNetwork::isChecking() const {
    bool checking = false;
    enableCheckingQueue_->sync([&] { checking = reachability_ != nullptr; });
    return checking;
}
