#include "platform/net/Curl.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace net {

const Curl* Curl::functions() {
    static const std::optional<Curl> loaded = [] {
        auto curl = foundation::SharedLibrary::loadTable<Curl>(
            NET_CURL_LIBRARY, "net",
            [](auto find, Curl& table) { NET_CURL_FUNCTIONS(FOUNDATION_FIND_FUNCTION) });
        // The library is initialised once, before any handle is made.
        if (curl && curl->curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
            return std::optional<Curl>();
        }
        return curl;
    }();
    return loaded ? &*loaded : nullptr;
}

}  // namespace net
