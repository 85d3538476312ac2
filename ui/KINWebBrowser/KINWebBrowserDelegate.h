#pragma once

// What the in-app browser tells its delegate; every method is optional.

#include "platform/foundation/URL.h"
#include "platform/net/URLError.h"

#include <optional>

class KINWebBrowserViewController;

class KINWebBrowserDelegate {
  public:
    virtual ~KINWebBrowserDelegate() = default;

    virtual void webBrowserDidStartLoadingURL(KINWebBrowserViewController& browser,
                                              const std::optional<foundation::URL>& url) {}
    virtual void webBrowserDidFinishLoadingURL(KINWebBrowserViewController& browser,
                                               const std::optional<foundation::URL>& url) {}
    virtual void webBrowserDidFailToLoadURL(KINWebBrowserViewController& browser,
                                            const std::optional<foundation::URL>& url,
                                            const net::URLError& error) {}
    virtual void webBrowserViewControllerWillDismiss(KINWebBrowserViewController& browser) {}
};
