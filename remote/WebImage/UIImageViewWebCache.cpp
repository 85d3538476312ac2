#include "remote/WebImage/UIImageViewWebCache.h"

#include "remote/WebImage/SDWebImageManager.h"
#include "remote/WebImage/UIViewWebCacheOperation.h"
#include "remote/WebImage/WebCacheMainThread.h"

namespace UIImageViewWebCache {

using UIViewWebCacheOperation::stateOf;

void sd_setImageWithURL(const ui::ImageView::Ptr& view, const std::optional<foundation::URL>& url,
                        graphics::Image::Ptr placeholder, SDWebImageLoadOptions options,
                        SDWebImageDownloaderProgressBlock progressBlock,
                        SDWebImageCompletionBlock completedBlock) {
    if (!view) {
        return;
    }
    sd_cancelCurrentImageLoad(*view);
    stateOf(*view).imageURL = url;
    std::weak_ptr<ui::ImageView> weak = view;
    if ((options & SDWebImageLoadOption::delayPlaceholder) == 0) {
        WebCacheMainThread::async([weak, placeholder] {
            if (auto shown = weak.lock()) {
                shown->setImage(placeholder);
            }
        });
    }
    if (!url) {
        WebCacheMainThread::async([weak, completedBlock] {
            if (auto shown = weak.lock()) {
                removeActivityIndicator(*shown);
            }
            if (completedBlock) {
                completedBlock(nullptr, SDWebImageNilURLError(), SDImageCacheSource::none,
                               std::nullopt);
            }
        });
        return;
    }
    if (showActivityIndicatorView(*view)) {
        addActivityIndicator(view);
    }
    auto operation = SDWebImageManager::sharedManager()->downloadImageWithURL(
        url, options, std::move(progressBlock),
        [weak, options, placeholder, completedBlock](
            graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
            SDImageCacheSource source, bool finished,
            const std::optional<foundation::URL>& imageURL) {
            auto shown = weak.lock();
            if (!shown) {
                return;
            }
            removeActivityIndicator(*shown);
            WebCacheMainThread::deliver(
                image, error, source, finished, imageURL, options, completedBlock,
                [&](const graphics::Image::Ptr& shownImage) {
                    if (shownImage) {
                        shown->setImage(shownImage);
                        shown->setNeedsLayout();
                    } else if ((options & SDWebImageLoadOption::delayPlaceholder) != 0) {
                        shown->setImage(placeholder);
                        shown->setNeedsLayout();
                    }
                });
        });
    UIViewWebCacheOperation::sd_setImageLoadOperation(*view, operation, kImageLoadKey);
}

void sd_setImageWithPreviousCachedImageWithURL(const ui::ImageView::Ptr& view,
                                               const std::optional<foundation::URL>& url,
                                               graphics::Image::Ptr placeholder,
                                               SDWebImageLoadOptions options,
                                               SDWebImageDownloaderProgressBlock progressBlock,
                                               SDWebImageCompletionBlock completedBlock) {
    const auto& manager = SDWebImageManager::sharedManager();
    auto cached = manager->imageCache()->imageFromDiskCacheForKey(manager->cacheKeyForURL(url));
    sd_setImageWithURL(view, url, cached ? cached : placeholder, options, std::move(progressBlock),
                       std::move(completedBlock));
}

void sd_setAnimationImagesWithURLs(const ui::ImageView::Ptr& view,
                                   const std::vector<foundation::URL>& urls) {
    if (!view) {
        return;
    }
    sd_cancelCurrentAnimationImagesLoad(*view);
    std::weak_ptr<ui::ImageView> weak = view;
    std::vector<std::shared_ptr<SDWebImageOperation>> operations;
    for (const auto& url : urls) {
        operations.push_back(SDWebImageManager::sharedManager()->downloadImageWithURL(
            url, 0, nullptr,
            [weak](graphics::Image::Ptr image, const std::optional<foundation::Error>&,
                   SDImageCacheSource, bool, const std::optional<foundation::URL>&) {
                auto shown = weak.lock();
                if (!shown) {
                    return;
                }
                WebCacheMainThread::sync([&] {
                    shown->stopAnimating();
                    if (image) {
                        auto images = shown->animationImages();
                        images.push_back(image);
                        shown->setAnimationImages(std::move(images));
                        shown->setNeedsLayout();
                    }
                    shown->startAnimating();
                });
            }));
    }
    UIViewWebCacheOperation::sd_setImageLoadOperation(*view, std::move(operations),
                                                      kAnimationImagesKey);
}

std::optional<foundation::URL> sd_imageURL(const ui::ImageView& view) {
    return stateOf(view).imageURL;
}

void sd_cancelCurrentImageLoad(const ui::ImageView& view) {
    UIViewWebCacheOperation::sd_cancelImageLoadOperationWithKey(view, kImageLoadKey);
}

void sd_cancelCurrentAnimationImagesLoad(const ui::ImageView& view) {
    UIViewWebCacheOperation::sd_cancelImageLoadOperationWithKey(view, kAnimationImagesKey);
}

void setShowActivityIndicatorView(const ui::ImageView& view, bool show) {
    stateOf(view).showActivityIndicatorView = show;
}

bool showActivityIndicatorView(const ui::ImageView& view) {
    return stateOf(view).showActivityIndicatorView;
}

void setIndicatorStyle(const ui::ImageView& view, ui::ActivityIndicatorViewStyle style) {
    stateOf(view).indicatorStyle = style;
}

std::shared_ptr<ui::ActivityIndicatorView> activityIndicator(const ui::ImageView& view) {
    return stateOf(view).activityIndicator;
}

void addActivityIndicator(const ui::ImageView::Ptr& view) {
    auto& state = stateOf(*view);
    if (!state.activityIndicator) {
        state.activityIndicator = std::make_shared<ui::ActivityIndicatorView>(state.indicatorStyle);
        // Margins that share every change of the view's size keep the
        // indicator at its centre.
        state.activityIndicator->setAutoresizingMask(
            ui::Autoresizing::flexibleLeftMargin | ui::Autoresizing::flexibleRightMargin |
            ui::Autoresizing::flexibleTopMargin | ui::Autoresizing::flexibleBottomMargin);
    }
    auto indicator = state.activityIndicator;
    std::weak_ptr<ui::ImageView> weak = view;
    WebCacheMainThread::async([weak, indicator] {
        auto shown = weak.lock();
        if (!shown) {
            return;
        }
        shown->addSubview(indicator);
        const auto bounds = shown->bounds();
        indicator->setCenter({bounds.midX(), bounds.midY()});
        indicator->startAnimating();
    });
}

void removeActivityIndicator(const ui::ImageView& view) {
    auto& state = stateOf(view);
    if (state.activityIndicator) {
        state.activityIndicator->removeFromSuperview();
        state.activityIndicator.reset();
    }
}

}  // namespace UIImageViewWebCache
