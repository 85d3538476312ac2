#pragma once

// The part of a server that one set of credentials opens: its host, port and
// scheme, the realm it names and how it authenticates.

#include <optional>
#include <string>

namespace net {

enum class URLAuthenticationMethod {
    // HTTP Basic: a user name and password sent with the request.
    httpBasic,
    // The server's certificate, which failed the check.
    serverTrust,
};

struct URLProtectionSpace {
    std::string host;
    int port = 0;
    std::string protocol;
    std::optional<std::string> realm;
    URLAuthenticationMethod authenticationMethod = URLAuthenticationMethod::httpBasic;

    friend bool operator==(const URLProtectionSpace&, const URLProtectionSpace&) = default;
};

}  // namespace net
