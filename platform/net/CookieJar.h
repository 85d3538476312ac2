#pragma once

// The process's cookie jar: the cookies every HTTP load shares (libcurl's
// cookie engine behind one share handle), also read and written the way
// pages do through document.cookie. Safe from any thread.

#include <string>

#include "platform/foundation/URL.h"

namespace net {

class CookieJar {
  public:
    // The libcurl share handle (a CURLSH*) that loads attach to.
    static void* shareHandle();

    // "a=1; b=2": the cookies a page at `url` sees (those a request to it
    // would send, without HttpOnly ones); "" without a host.
    static std::string cookiesForDocument(const foundation::URL& url);
    // Stores one cookie as a page's script sets it ("name=value; path=/;
    // max-age=60; domain=...; secure"). A cookie for a domain that does not
    // cover the page's host, one marked HttpOnly or one without a name is
    // refused; answers whether it was stored.
    static bool setCookieFromDocument(const foundation::URL& url, const std::string& line);
};

}  // namespace net
