#include "platform/net/URLCache.h"

#include <cstdlib>
#include <ctime>

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"

namespace net {

namespace {

std::string keyFor(const URLRequest& request) {
    return request.url() ? request.url()->absoluteString() : std::string();
}

// Seconds since 1970 of an HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT"); nullopt
// when it does not parse.
std::optional<double> parseHTTPDate(const std::string& text) {
    std::tm tm{};
    const char* end = strptime(text.c_str(), "%a, %d %b %Y %H:%M:%S GMT", &tm);
    if (end == nullptr) {
        return std::nullopt;
    }
    return static_cast<double>(timegm(&tm));
}

}  // namespace

URLCache& URLCache::shared() {
    static auto* cache = foundation::ProcessState::withReset(
        new URLCache(), [](auto& state) { state.removeAllCachedResponses(); });
    return *cache;
}

std::optional<CachedURLResponse> URLCache::cachedResponseForRequest(
    const URLRequest& request) const {
    const std::string key = keyFor(request);
    std::lock_guard lock(mutex_);
    for (const auto& entry : entries_) {
        if (entry.key == key) {
            return entry.cached;
        }
    }
    return std::nullopt;
}

void URLCache::storeCachedResponse(CachedURLResponse cached, const URLRequest& request) {
    const std::string key = keyFor(request);
    if (key.empty() || capacity_ == 0) {
        return;
    }
    cached.storedAt = foundation::Clock::wall();
    std::lock_guard lock(mutex_);
    entries_.remove_if([&](const Entry& entry) { return entry.key == key; });
    entries_.push_back(Entry{key, std::move(cached)});
    while (entries_.size() > capacity_) {
        entries_.pop_front();
    }
}

void URLCache::removeCachedResponseForRequest(const URLRequest& request) {
    const std::string key = keyFor(request);
    std::lock_guard lock(mutex_);
    entries_.remove_if([&](const Entry& entry) { return entry.key == key; });
}

void URLCache::removeAllCachedResponses() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

std::size_t URLCache::count() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

bool URLCache::isFresh(const CachedURLResponse& cached) {
    const auto& response = cached.response;
    const std::string control =
        foundation::lowercase(response.valueForHTTPHeaderField("Cache-Control").value_or(""));
    if (control.find("no-cache") != std::string::npos ||
        control.find("no-store") != std::string::npos) {
        return false;
    }
    const double age = foundation::Clock::wall() - cached.storedAt;
    const auto maxAge = control.find("max-age=");
    if (maxAge != std::string::npos) {
        const char* digits = control.c_str() + maxAge + 8;
        char* end = nullptr;
        const long seconds = std::strtol(digits, &end, 10);
        if (end != digits) {
            return age < static_cast<double>(seconds);
        }
    }
    if (auto expires = response.valueForHTTPHeaderField("Expires")) {
        if (auto when = parseHTTPDate(*expires)) {
            return foundation::Clock::wall() < *when;
        }
    }
    return false;
}

bool URLCache::isStorable(const URLRequest& request, const URLResponse& response) {
    if (request.httpMethod() != "GET" || !response.isHTTP() || response.statusCode() != 200) {
        return false;
    }
    const std::string control =
        foundation::lowercase(response.valueForHTTPHeaderField("Cache-Control").value_or(""));
    return control.find("no-store") == std::string::npos;
}

}  // namespace net
