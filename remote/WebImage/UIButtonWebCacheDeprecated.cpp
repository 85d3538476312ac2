#include "remote/WebImage/UIButtonWebCacheDeprecated.h"

#include "remote/WebImage/UIButtonWebCache.h"

namespace UIButtonWebCacheDeprecated {

std::optional<foundation::URL> currentImageURL(const ui::Button& button) {
    return UIButtonWebCache::sd_currentImageURL(button);
}

std::optional<foundation::URL> imageURLForState(const ui::Button& button, unsigned state) {
    return UIButtonWebCache::sd_imageURLForState(button, state);
}

void setImageWithURL(const ui::Button::Ptr& button, const std::optional<foundation::URL>& url,
                     unsigned state, graphics::Image::Ptr placeholder,
                     SDWebImageLoadOptions options, SDWebImageCompletedBlock completedBlock) {
    UIButtonWebCache::sd_setImageWithURL(button, url, state, std::move(placeholder), options,
                                         SDWebImageCompletionWithoutURL(std::move(completedBlock)));
}

void setBackgroundImageWithURL(const ui::Button::Ptr& button,
                               const std::optional<foundation::URL>& url, unsigned state,
                               graphics::Image::Ptr placeholder, SDWebImageLoadOptions options,
                               SDWebImageCompletedBlock completedBlock) {
    UIButtonWebCache::sd_setBackgroundImageWithURL(
        button, url, state, std::move(placeholder), options,
        SDWebImageCompletionWithoutURL(std::move(completedBlock)));
}

void cancelCurrentImageLoad(const ui::Button& button) {
    UIButtonWebCache::sd_cancelImageLoadForState(button, button.state());
}

void cancelBackgroundImageLoadForState(const ui::Button& button, unsigned state) {
    UIButtonWebCache::sd_cancelBackgroundImageLoadForState(button, state);
}

}  // namespace UIButtonWebCacheDeprecated
