#include "platform/net/URLProtocol.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

#include "platform/foundation/Log.h"

namespace net {

namespace {

struct Entry {
    std::string name;
    URLProtocol::CanInit canInit;
    URLProtocol::Factory make;
};

struct Registry {
    std::mutex mutex;
    std::vector<Entry> entries;
};

Registry& registry() {
    static auto* shared = new Registry();
    return *shared;
}

}  // namespace

void URLProtocol::registerClass(std::string name, CanInit canInit, Factory make) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    std::erase_if(reg.entries, [&](const Entry& entry) { return entry.name == name; });
    reg.entries.push_back(Entry{std::move(name), std::move(canInit), std::move(make)});
}

void URLProtocol::unregisterClass(std::string_view name) {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    std::erase_if(reg.entries, [&](const Entry& entry) { return entry.name == name; });
}

void URLProtocol::unregisterAllClasses() {
    auto& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.entries.clear();
}

std::shared_ptr<URLProtocol> URLProtocol::protocolForRequest(
    const URLRequest& request, const std::shared_ptr<URLProtocolClient>& client) {
    std::vector<Entry> entries;
    {
        auto& reg = registry();
        std::lock_guard lock(reg.mutex);
        entries = reg.entries;
    }
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        try {
            if (it->canInit(request)) {
                return it->make(request, client);
            }
        } catch (const std::exception& error) {
            foundation::Log::write("net", "URL protocol " + it->name + " failed: " + error.what());
        }
    }
    return nullptr;
}

}  // namespace net
