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

std::uint64_t GADNetwork::networkType() const {
    std::lock_guard<std::mutex> lock(lock_);
    return networkType_;
}

void GADNetwork::setNetworkType(std::uint64_t type) {
    std::lock_guard<std::mutex> lock(lock_);
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
}

void GADNetwork::setNetworkTypeFromFlags(std::uint32_t flags) {
    if (flags & 0x40000) {
        setNetworkType(3);
    } else if (flags & 0x2) {
        setNetworkType(2);
    } else {
        setNetworkType(1);
    }
}

std::uint64_t GADNetwork::changeCount() const {
    std::lock_guard<std::mutex> lock(lock_);
    return changeCount_;
}

std::optional<std::string> GADNetwork::networkTypeString() const {
    return typeString(networkType());
}

std::optional<std::string> GADNetwork::lastKnownNetworkTypeString() const {
    std::lock_guard<std::mutex> lock(lock_);
    return typeString(lastKnownNetworkType_);
}
