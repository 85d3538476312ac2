#include "platform/net/Curl.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace net {

namespace {

std::optional<Curl> load() {
    foundation::SharedLibrary library;
    if (!library.open(NET_CURL_LIBRARY, "net")) {
        return std::nullopt;
    }
    Curl curl;
    bool complete = true;
#define NET_CURL_LOOKUP(name) complete = library.find(#name, curl.name) && complete;
    NET_CURL_FUNCTIONS(NET_CURL_LOOKUP)
#undef NET_CURL_LOOKUP
    if (!complete || curl.curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        return std::nullopt;
    }
    return curl;
}

}  // namespace

const Curl* Curl::functions() {
    static const std::optional<Curl> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace net
