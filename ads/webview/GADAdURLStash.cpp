#include "ads/webview/GADAdURLStash.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/foundation/ProcessState.h"

namespace {

struct Entry {
    std::weak_ptr<GADWebView> view;
    const GADWebView* identity = nullptr;
};

struct Stash {
    std::mutex mutex;
    std::map<std::string, Entry> entries;
};

Stash& stash() {
    static Stash* const shared = foundation::ProcessState::withReset(new Stash(), [](Stash& s) {
        std::lock_guard lock(s.mutex);
        s.entries.clear();
    });
    return *shared;
}

}  // namespace

std::optional<foundation::URL> GADAdURLStash::canonicalURLForURL(
    const std::optional<foundation::URL>& url) {
    if (!url || url->port() || !url->host() || url->host()->empty()) {
        return url;
    }
    const std::string& host = *url->host();
    std::string text = url->absoluteString();
    for (auto at = text.find(host); at != std::string::npos;
         at = text.find(host, at + host.size() + 3)) {
        text.insert(at + host.size(), ":80");
    }
    if (const auto hash = text.rfind('#'); hash != std::string::npos) {
        text.resize(hash);
    }
    if (text.ends_with('/')) {
        text.pop_back();
    }
    return foundation::URL::fromString(text);
}

void GADAdURLStash::add(const std::optional<foundation::URL>& url,
                        const std::shared_ptr<GADWebView>& view) {
    const auto canonical = canonicalURLForURL(url);
    if (!canonical || !view) {
        return;
    }
    std::lock_guard lock(stash().mutex);
    stash().entries[canonical->absoluteString()] = Entry{view, view.get()};
}

void GADAdURLStash::remove(const std::optional<foundation::URL>& url, const GADWebView* view) {
    const auto canonical = canonicalURLForURL(url);
    if (!canonical) {
        return;
    }
    std::lock_guard lock(stash().mutex);
    const auto found = stash().entries.find(canonical->absoluteString());
    if (found != stash().entries.end() && found->second.identity == view) {
        stash().entries.erase(found);
    }
}

std::shared_ptr<GADWebView> GADAdURLStash::viewForURL(const std::optional<foundation::URL>& url) {
    const auto canonical = canonicalURLForURL(url);
    if (!canonical) {
        return nullptr;
    }
    std::lock_guard lock(stash().mutex);
    const auto found = stash().entries.find(canonical->absoluteString());
    return found == stash().entries.end() ? nullptr : found->second.view.lock();
}

bool GADAdURLStash::hasStashedURLs() {
    std::lock_guard lock(stash().mutex);
    return !stash().entries.empty();
}
