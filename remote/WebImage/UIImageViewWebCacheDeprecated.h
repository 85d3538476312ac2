#pragma once

// The older names of the image views' web-cache calls; each forwards to its
// sd_ counterpart, completions without the URL.

#include <optional>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIImageViewWebCacheDeprecated {

std::optional<foundation::URL> imageURL(const ui::ImageView& view);
void setImageWithURL(const ui::ImageView::Ptr& view, const std::optional<foundation::URL>& url,
                     graphics::Image::Ptr placeholder = nullptr, SDWebImageLoadOptions options = 0,
                     SDWebImageDownloaderProgressBlock progressBlock = nullptr,
                     SDWebImageCompletedBlock completedBlock = nullptr);
void setAnimationImagesWithURLs(const ui::ImageView::Ptr& view,
                                const std::vector<foundation::URL>& urls);
void cancelCurrentArrayLoad(const ui::ImageView& view);
void cancelCurrentImageLoad(const ui::ImageView& view);

}  // namespace UIImageViewWebCacheDeprecated
