#include "remote/WebImage/UIImageViewWebCacheDeprecated.h"

#include "remote/WebImage/UIImageViewWebCache.h"

namespace UIImageViewWebCacheDeprecated {

std::optional<foundation::URL> imageURL(const ui::ImageView& view) {
    return UIImageViewWebCache::sd_imageURL(view);
}

void setImageWithURL(const ui::ImageView::Ptr& view, const std::optional<foundation::URL>& url,
                     graphics::Image::Ptr placeholder, SDWebImageLoadOptions options,
                     SDWebImageDownloaderProgressBlock progressBlock,
                     SDWebImageCompletedBlock completedBlock) {
    UIImageViewWebCache::sd_setImageWithURL(
        view, url, std::move(placeholder), options, std::move(progressBlock),
        SDWebImageCompletionWithoutURL(std::move(completedBlock)));
}

void setAnimationImagesWithURLs(const ui::ImageView::Ptr& view,
                                const std::vector<foundation::URL>& urls) {
    UIImageViewWebCache::sd_setAnimationImagesWithURLs(view, urls);
}

void cancelCurrentArrayLoad(const ui::ImageView& view) {
    UIImageViewWebCache::sd_cancelCurrentAnimationImagesLoad(view);
}

void cancelCurrentImageLoad(const ui::ImageView& view) {
    UIImageViewWebCache::sd_cancelCurrentImageLoad(view);
}

}  // namespace UIImageViewWebCacheDeprecated
