#include "remote/WebImage/UIImageViewHighlightedWebCacheDeprecated.h"

#include "remote/WebImage/UIImageViewHighlightedWebCache.h"

namespace UIImageViewHighlightedWebCacheDeprecated {

void setHighlightedImageWithURL(const ui::ImageView::Ptr& view,
                                const std::optional<foundation::URL>& url,
                                SDWebImageLoadOptions options,
                                SDWebImageDownloaderProgressBlock progressBlock,
                                SDWebImageCompletedBlock completedBlock) {
    UIImageViewHighlightedWebCache::sd_setHighlightedImageWithURL(
        view, url, options, std::move(progressBlock),
        SDWebImageCompletionWithoutURL(std::move(completedBlock)));
}

void cancelCurrentHighlightedImageLoad(const ui::ImageView& view) {
    UIImageViewHighlightedWebCache::sd_cancelCurrentHighlightedImageLoad(view);
}

}  // namespace UIImageViewHighlightedWebCacheDeprecated
