#include "remote/WebImage/UIImageViewHighlightedWebCache.h"

#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/UIViewWebCacheOperation.h"
#include "remote/WebImage/WebCacheMainThread.h"

namespace UIImageViewHighlightedWebCache {

void sd_setHighlightedImageWithURL(const ui::ImageView::Ptr& view,
                                   const std::optional<foundation::URL>& url,
                                   SDWebImageLoadOptions options,
                                   SDWebImageDownloaderProgressBlock progressBlock,
                                   SDWebImageCompletionBlock completedBlock) {
    if (!view) {
        return;
    }
    sd_cancelCurrentHighlightedImageLoad(*view);
    if (!url) {
        WebCacheMainThread::async([completedBlock] {
            if (completedBlock) {
                completedBlock(nullptr, SDWebImageNilURLError(), SDImageCacheSource::none,
                               std::nullopt);
            }
        });
        return;
    }
    std::weak_ptr<ui::ImageView> weak = view;
    auto operation = SDWebImageManager::sharedManager()->downloadImageWithURL(
        url, options, std::move(progressBlock),
        [weak, options, completedBlock](graphics::Image::Ptr image,
                                        const std::optional<foundation::Error>& error,
                                        SDImageCacheSource source, bool finished,
                                        const std::optional<foundation::URL>& imageURL) {
            auto shown = weak.lock();
            if (!shown) {
                return;
            }
            WebCacheMainThread::deliver(image, error, source, finished, imageURL, options,
                                        completedBlock,
                                        [&](const graphics::Image::Ptr& shownImage) {
                                            if (shownImage) {
                                                shown->setHighlightedImage(shownImage);
                                                shown->setNeedsLayout();
                                            }
                                        });
        });
    UIViewWebCacheOperation::sd_setImageLoadOperation(*view, operation, kHighlightedImageKey);
}

void sd_cancelCurrentHighlightedImageLoad(const ui::ImageView& view) {
    UIViewWebCacheOperation::sd_cancelImageLoadOperationWithKey(view, kHighlightedImageKey);
}

}  // namespace UIImageViewHighlightedWebCache
