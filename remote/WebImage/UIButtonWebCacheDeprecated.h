#pragma once

// The older names of the buttons' web-cache calls; each forwards to its sd_
// counterpart, completions without the URL.

#include <optional>

#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIButtonWebCacheDeprecated {

std::optional<foundation::URL> currentImageURL(const ui::Button& button);
std::optional<foundation::URL> imageURLForState(const ui::Button& button, unsigned state);
void setImageWithURL(const ui::Button::Ptr& button, const std::optional<foundation::URL>& url,
                     unsigned state, graphics::Image::Ptr placeholder = nullptr,
                     SDWebImageLoadOptions options = 0,
                     SDWebImageCompletedBlock completedBlock = nullptr);
void setBackgroundImageWithURL(const ui::Button::Ptr& button,
                               const std::optional<foundation::URL>& url, unsigned state,
                               graphics::Image::Ptr placeholder = nullptr,
                               SDWebImageLoadOptions options = 0,
                               SDWebImageCompletedBlock completedBlock = nullptr);
// Cancels the image load of the button's current state.
void cancelCurrentImageLoad(const ui::Button& button);
void cancelBackgroundImageLoadForState(const ui::Button& button, unsigned state);

}  // namespace UIButtonWebCacheDeprecated
