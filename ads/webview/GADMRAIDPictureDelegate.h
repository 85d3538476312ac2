#pragma once

// What the owner of an MRAID picture hears when it was stored or not.

#include <string>

#include "platform/foundation/URL.h"

class GADMRAIDPicture;

class GADMRAIDPictureDelegate {
  public:
    virtual ~GADMRAIDPictureDelegate() = default;
    virtual void MRAIDPictureDidStorePictureWithURL(GADMRAIDPicture& picture,
                                                    const foundation::URL& url) {}
    virtual void MRAIDPictureFailedToStorePictureWithURL(GADMRAIDPicture& picture,
                                                         const foundation::URL& url,
                                                         const std::string& message) {}
};
