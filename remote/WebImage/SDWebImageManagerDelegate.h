#pragma once

// What the owner of an image manager may decide: whether an image is
// downloaded at all, and what a downloaded image becomes. nullopt means the
// delegate does not answer that question; a delegate transforms images only
// when respondsToTransformDownloadedImage() says so, as the manager decides
// before it asks.

#include <optional>

#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"

class SDWebImageManager;

class SDWebImageManagerDelegate {
  public:
    virtual ~SDWebImageManagerDelegate() = default;
    virtual std::optional<bool> imageManagerShouldDownloadImageForURL(SDWebImageManager& manager,
                                                                      const foundation::URL& url) {
        return std::nullopt;
    }
    // Whether the delegate implements imageManagerTransformDownloadedImage:
    // only then do downloaded images go through it, on another queue.
    virtual bool respondsToTransformDownloadedImage() const { return false; }
    // Runs on a global queue of high priority.
    virtual std::optional<graphics::Image::Ptr> imageManagerTransformDownloadedImage(
        SDWebImageManager& manager, const graphics::Image::Ptr& image, const foundation::URL& url) {
        return std::nullopt;
    }
};
