#pragma once

// The process-wide map from an ad's URL, in canonical form, to the ad web
// view showing it; URL-loading threads read it to find the view a request
// comes from. Views are held weakly, so a view that is gone is never handed
// out. Safe from any thread.

#include <memory>
#include <optional>

#include "platform/foundation/URL.h"

class GADWebView;

class GADAdURLStash {
  public:
    static void add(const std::optional<foundation::URL>& url,
                    const std::shared_ptr<GADWebView>& view);
    // Removes the URL's entry only while it still maps to `view`: a view that
    // took the same URL since keeps it.
    static void remove(const std::optional<foundation::URL>& url, const GADWebView* view);
    static std::shared_ptr<GADWebView> viewForURL(const std::optional<foundation::URL>& url);
    static bool hasStashedURLs();

    // A URL with an explicit port or without a host is its own canonical
    // form; otherwise every occurrence of the host gets ":80" after it, the
    // text is cut at its last "#" and one trailing "/" is dropped.
    static std::optional<foundation::URL> canonicalURLForURL(
        const std::optional<foundation::URL>& url);
};
