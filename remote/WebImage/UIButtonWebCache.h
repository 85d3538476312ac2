#pragma once

// Buttons that show, per control state, an image or a background image from
// a URL: the placeholder at once, the image when the shared image manager
// has it. A new request for a state cancels that state's previous one.

#include <optional>

#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "platform/ui/Button.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace UIButtonWebCache {

void sd_setImageWithURL(const ui::Button::Ptr& button, const std::optional<foundation::URL>& url,
                        unsigned state, graphics::Image::Ptr placeholder = nullptr,
                        SDWebImageLoadOptions options = 0,
                        SDWebImageCompletionBlock completedBlock = nullptr);
void sd_setBackgroundImageWithURL(const ui::Button::Ptr& button,
                                  const std::optional<foundation::URL>& url, unsigned state,
                                  graphics::Image::Ptr placeholder = nullptr,
                                  SDWebImageLoadOptions options = 0,
                                  SDWebImageCompletionBlock completedBlock = nullptr);
// The URL of the button's current state, else that of the normal state.
std::optional<foundation::URL> sd_currentImageURL(const ui::Button& button);
std::optional<foundation::URL> sd_imageURLForState(const ui::Button& button, unsigned state);
void sd_cancelImageLoadForState(const ui::Button& button, unsigned state);
void sd_cancelBackgroundImageLoadForState(const ui::Button& button, unsigned state);

}  // namespace UIButtonWebCache
