#pragma once

// An image view's highlighted image from a URL, without placeholder or
// activity indicator.

#include <optional>

#include "platform/foundation/URL.h"
#include "platform/ui/ImageView.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIImageViewHighlightedWebCache {

inline constexpr const char* kHighlightedImageKey = "highlightedImage";

void sd_setHighlightedImageWithURL(const ui::ImageView::Ptr& view,
                                   const std::optional<foundation::URL>& url,
                                   SDWebImageLoadOptions options = 0,
                                   SDWebImageDownloaderProgressBlock progressBlock = nullptr,
                                   SDWebImageCompletionBlock completedBlock = nullptr);
void sd_cancelCurrentHighlightedImageLoad(const ui::ImageView& view);

}  // namespace UIImageViewHighlightedWebCache
