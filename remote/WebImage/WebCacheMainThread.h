#pragma once

// How the view categories reach the main thread: at once when already there,
// else later (async) or waiting for it (sync).

#include <functional>
#include <optional>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "remote/WebImage/SDImageCacheSource.h"
#include "remote/WebImage/SDWebImageCompletionBlock.h"
#include "remote/WebImage/SDWebImageLoadOptions.h"

namespace WebCacheMainThread {

void async(std::function<void()> block);
void sync(const std::function<void()>& block);

// Hands the outcome of a view's load over on the main thread: with
// avoidAutoSetImage and a block, an image goes to the block alone;
// otherwise `show` gets the image (nullptr when none came) and the block
// hears of a finished load.
void deliver(const graphics::Image::Ptr& image, const std::optional<foundation::Error>& error,
             SDImageCacheSource source, bool finished,
             const std::optional<foundation::URL>& imageURL, SDWebImageLoadOptions options,
             const SDWebImageCompletionBlock& completedBlock,
             const std::function<void(const graphics::Image::Ptr&)>& show);

}  // namespace WebCacheMainThread
