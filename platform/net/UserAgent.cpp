#include "platform/net/UserAgent.h"

#include <mutex>

namespace net {

namespace {

std::mutex& agentMutex() {
    static auto* mutex = new std::mutex();
    return *mutex;
}

std::string& agent() {
    static auto* text = new std::string("Mozilla/5.0 (Linux; Mobile) Barcodes/1.0");
    return *text;
}

}  // namespace

std::string defaultUserAgent() {
    std::lock_guard lock(agentMutex());
    return agent();
}

void setDefaultUserAgent(std::string userAgent) {
    std::lock_guard lock(agentMutex());
    agent() = std::move(userAgent);
}

}  // namespace net
