#pragma once

// The libcurl functions the network layer calls, looked up in the library by
// the first HTTP load or cookie (on the thread that needs them): launching the
// program does not wait for libcurl and the TLS libraries behind it.

// The calls go through the table below, which the argument-checking macros
// of curl.h would rewrite.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

#define NET_CURL_FUNCTIONS(X) \
    X(curl_easy_cleanup)      \
    X(curl_easy_getinfo)      \
    X(curl_easy_init)         \
    X(curl_easy_perform)      \
    X(curl_easy_setopt)       \
    X(curl_getdate)           \
    X(curl_global_init)       \
    X(curl_share_init)        \
    X(curl_share_setopt)      \
    X(curl_slist_append)      \
    X(curl_slist_free_all)

namespace net {

struct Curl {
#define NET_CURL_MEMBER(name) decltype(&::name) name = nullptr;
    NET_CURL_FUNCTIONS(NET_CURL_MEMBER)
#undef NET_CURL_MEMBER

    // The functions, the library loaded and initialised on the first call;
    // null (logged once) when the library or one of its functions is missing.
    static const Curl* functions();
};

}  // namespace net
