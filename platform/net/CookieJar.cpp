#include "platform/net/CookieJar.h"

#include "platform/net/Curl.h"

#include <ctime>
#include <mutex>
#include <vector>

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"

namespace net {

namespace {

struct CookieShare {
    CURLSH* handle = nullptr;
    std::mutex locks[CURL_LOCK_DATA_LAST];

    CookieShare() {
        const Curl* lib = Curl::functions();
        handle = lib != nullptr ? lib->curl_share_init() : nullptr;
        if (handle != nullptr) {
            lib->curl_share_setopt(handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
            lib->curl_share_setopt(handle, CURLSHOPT_USERDATA, this);
            lib->curl_share_setopt(handle, CURLSHOPT_LOCKFUNC, &CookieShare::lock);
            lib->curl_share_setopt(handle, CURLSHOPT_UNLOCKFUNC, &CookieShare::unlock);
        }
    }
    static void lock(CURL*, curl_lock_data data, curl_lock_access, void* user) {
        static_cast<CookieShare*>(user)->locks[data].lock();
    }
    static void unlock(CURL*, curl_lock_data data, void* user) {
        static_cast<CookieShare*>(user)->locks[data].unlock();
    }
    static CookieShare& shared() {
        static auto* share =
            foundation::ProcessState::withReset(new CookieShare(), [](CookieShare& jar) {
                const Curl* lib = Curl::functions();
                if (CURL* curl = jar.handle != nullptr ? lib->curl_easy_init() : nullptr) {
                    lib->curl_easy_setopt(curl, CURLOPT_SHARE, jar.handle);
                    lib->curl_easy_setopt(curl, CURLOPT_COOKIELIST, "ALL");
                    lib->curl_easy_cleanup(curl);
                }
            });
        return *share;
    }
};

// An easy handle attached to the jar, for reading or writing cookies.
struct JarHandle {
    const Curl* lib = Curl::functions();
    CURL* curl = CookieShare::shared().handle != nullptr ? lib->curl_easy_init() : nullptr;
    JarHandle() {
        if (curl != nullptr) {
            lib->curl_easy_setopt(curl, CURLOPT_SHARE, CookieShare::shared().handle);
            lib->curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
        }
    }
    ~JarHandle() {
        if (curl != nullptr) {
            lib->curl_easy_cleanup(curl);
        }
    }
    JarHandle(const JarHandle&) = delete;
    JarHandle& operator=(const JarHandle&) = delete;
};

bool domainMatches(const std::string& host, const std::string& domain) {
    return host == domain ||
           (host.size() > domain.size() &&
            host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
            host[host.size() - domain.size() - 1] == '.');
}

bool pathMatches(const std::string& path, const std::string& cookiePath) {
    if (path.compare(0, cookiePath.size(), cookiePath) != 0) {
        return false;
    }
    return path.size() == cookiePath.size() || cookiePath.back() == '/' ||
           path[cookiePath.size()] == '/';
}

std::string requestPath(const foundation::URL& url) {
    const std::string path = url.path();
    return path.empty() ? "/" : path;
}

std::string defaultPath(const foundation::URL& url) {
    const std::string path = requestPath(url);
    const auto slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace

void* CookieJar::shareHandle() {
    return CookieShare::shared().handle;
}

std::string CookieJar::cookiesForDocument(const foundation::URL& url) {
    const std::string host = foundation::lowercase(url.host().value_or(""));
    if (host.empty()) {
        return {};
    }
    JarHandle jar;
    curl_slist* list = nullptr;
    if (jar.curl == nullptr ||
        jar.lib->curl_easy_getinfo(jar.curl, CURLINFO_COOKIELIST, &list) != CURLE_OK) {
        return {};
    }
    const bool secure = foundation::lowercase(url.scheme()) == "https";
    const std::string path = requestPath(url);
    const auto now = static_cast<long long>(std::time(nullptr));
    std::string header;
    for (curl_slist* item = list; item != nullptr; item = item->next) {
        // domain, subdomains, path, secure, expiry, name, value
        const std::vector<std::string> fields = foundation::components(item->data, "\t");
        if (fields.size() < 7 || fields[0].starts_with("#HttpOnly_")) {
            continue;
        }
        std::string domain = foundation::lowercase(fields[0]);
        if (domain.starts_with('.')) {
            domain.erase(0, 1);
        }
        const bool subdomains = fields[1] == "TRUE";
        const long long expiry = std::atoll(fields[4].c_str());
        if ((subdomains ? !domainMatches(host, domain) : host != domain) ||
            !pathMatches(path, fields[2]) || (fields[3] == "TRUE" && !secure) ||
            (expiry != 0 && expiry <= now)) {
            continue;
        }
        header += (header.empty() ? "" : "; ") + fields[5] + "=" + fields[6];
    }
    jar.lib->curl_slist_free_all(list);
    return header;
}

bool CookieJar::setCookieFromDocument(const foundation::URL& url, const std::string& line) {
    const std::string host = foundation::lowercase(url.host().value_or(""));
    const std::vector<std::string> parts = foundation::components(line, ";");
    const auto equals = parts.empty() ? std::string::npos : parts[0].find('=');
    if (host.empty() || equals == std::string::npos) {
        return false;
    }
    const std::string name = foundation::trimWhitespaceAndNewlines(parts[0].substr(0, equals));
    const std::string value = foundation::trimWhitespaceAndNewlines(parts[0].substr(equals + 1));
    if (name.empty() || name.find_first_of("\t\r\n") != std::string::npos ||
        value.find_first_of("\t\r\n") != std::string::npos) {
        return false;
    }
    JarHandle jar;
    if (jar.curl == nullptr) {
        return false;
    }
    std::string domain = host;
    bool subdomains = false;
    std::string path = defaultPath(url);
    bool secure = false;
    long long expiry = 0;
    bool hasMaxAge = false;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const auto eq = parts[i].find('=');
        const std::string key =
            foundation::lowercase(foundation::trimWhitespaceAndNewlines(parts[i].substr(0, eq)));
        const std::string text =
            eq == std::string::npos
                ? std::string()
                : foundation::trimWhitespaceAndNewlines(parts[i].substr(eq + 1));
        if (key == "httponly") {
            return false;
        }
        if (key == "secure") {
            secure = true;
        } else if (key == "path" && text.starts_with('/')) {
            path = text;
        } else if (key == "domain" && !text.empty()) {
            std::string wanted = foundation::lowercase(text);
            if (wanted.starts_with('.')) {
                wanted.erase(0, 1);
            }
            if (!domainMatches(host, wanted)) {
                return false;
            }
            domain = wanted;
            subdomains = true;
        } else if (key == "max-age" && !text.empty()) {
            hasMaxAge = true;
            const long long seconds = std::atoll(text.c_str());
            expiry = seconds <= 0 ? 1 : static_cast<long long>(std::time(nullptr)) + seconds;
        } else if (key == "expires" && !hasMaxAge) {
            const time_t when = jar.lib->curl_getdate(text.c_str(), nullptr);
            if (when > 0) {
                expiry = when;
            }
        }
    }
    if (secure && foundation::lowercase(url.scheme()) != "https") {
        return false;
    }
    const std::string record = (subdomains ? "." : "") + domain + "\t" +
                               (subdomains ? "TRUE" : "FALSE") + "\t" + path + "\t" +
                               (secure ? "TRUE" : "FALSE") + "\t" + std::to_string(expiry) + "\t" +
                               name + "\t" + value;
    return jar.lib->curl_easy_setopt(jar.curl, CURLOPT_COOKIELIST, record.c_str()) == CURLE_OK;
}

}  // namespace net
