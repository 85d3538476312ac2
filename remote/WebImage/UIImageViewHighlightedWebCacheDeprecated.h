#pragma once

// The older names of the highlighted-image calls; each forwards to its sd_
// counterpart, completions without the URL.

#include <optional>

#include "platform/foundation/URL.h"
#include "platform/ui/ImageView.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIImageViewHighlightedWebCacheDeprecated {

void setHighlightedImageWithURL(const ui::ImageView::Ptr& view,
                                const std::optional<foundation::URL>& url,
                                SDWebImageLoadOptions options = 0,
                                SDWebImageDownloaderProgressBlock progressBlock = nullptr,
                                SDWebImageCompletedBlock completedBlock = nullptr);
void cancelCurrentHighlightedImageLoad(const ui::ImageView& view);

}  // namespace UIImageViewHighlightedWebCacheDeprecated
