#pragma once

// What a cached file tells of each fetch: it asks before following a
// redirect, then reports once that the stored copy is current or that the
// fetch ended without one.

#include <optional>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"

class GADCachedFile;

class GADCachedFileDelegate {
  public:
    virtual ~GADCachedFileDelegate() = default;

    // An error refuses the redirect and ends the fetch with that error.
    virtual std::optional<foundation::Error> cachedFileShouldRedirectToURL(
        GADCachedFile& file, const foundation::URL& url) = 0;
    // The copy on disk is current: written anew, or confirmed by a 304.
    virtual void cachedFileDownloadDidEnd(GADCachedFile& file) = 0;
    virtual void cachedFileDownloadDidFail(GADCachedFile& file,
                                           const std::optional<foundation::Error>& error) = 0;
};
