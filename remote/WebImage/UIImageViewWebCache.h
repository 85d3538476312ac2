#pragma once

// Image views that show an image from a URL in one call: the placeholder at
// once, the image when the shared image manager has it, an optional activity
// indicator meanwhile. A new request cancels the view's previous one.

#include <optional>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/ImageView.h"
#include "remote/WebImage/SDImageDownloadBlocks.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIImageViewWebCache {

inline constexpr const char* kImageLoadKey = "UIImageViewImageLoad";
inline constexpr const char* kAnimationImagesKey = "UIImageViewAnimationImages";

void sd_setImageWithURL(const ui::ImageView::Ptr& view, const std::optional<foundation::URL>& url,
                        graphics::Image::Ptr placeholder = nullptr,
                        SDWebImageLoadOptions options = 0,
                        SDWebImageDownloaderProgressBlock progressBlock = nullptr,
                        SDWebImageCompletionBlock completedBlock = nullptr);
// The placeholder is the disk cache's image of the URL when it has one.
void sd_setImageWithPreviousCachedImageWithURL(
    const ui::ImageView::Ptr& view, const std::optional<foundation::URL>& url,
    graphics::Image::Ptr placeholder = nullptr, SDWebImageLoadOptions options = 0,
    SDWebImageDownloaderProgressBlock progressBlock = nullptr,
    SDWebImageCompletionBlock completedBlock = nullptr);
// Images join the animation in the order their loads end.
void sd_setAnimationImagesWithURLs(const ui::ImageView::Ptr& view,
                                   const std::vector<foundation::URL>& urls);
std::optional<foundation::URL> sd_imageURL(const ui::ImageView& view);
void sd_cancelCurrentImageLoad(const ui::ImageView& view);
void sd_cancelCurrentAnimationImagesLoad(const ui::ImageView& view);

void setShowActivityIndicatorView(const ui::ImageView& view, bool show);
bool showActivityIndicatorView(const ui::ImageView& view);
void setIndicatorStyle(const ui::ImageView& view, ui::ActivityIndicatorViewStyle style);
std::shared_ptr<ui::ActivityIndicatorView> activityIndicator(const ui::ImageView& view);
void addActivityIndicator(const ui::ImageView::Ptr& view);
void removeActivityIndicator(const ui::ImageView& view);

}  // namespace UIImageViewWebCache
