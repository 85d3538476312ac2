#pragma once

// What a view's image load reports to its caller: the image or the error,
// where it came from, and the URL the caller gave.

#include <functional>
#include <optional>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Image.h"
#include "remote/WebImage/SDImageCacheSource.h"

using SDWebImageCompletionBlock =
    std::function<void(graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                       SDImageCacheSource source, const std::optional<foundation::URL>& imageURL)>;

// The older completion of the views' loads, without the URL.
using SDWebImageCompletedBlock =
    std::function<void(graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
                       SDImageCacheSource source)>;

// A completion that calls `completed`, when there is one, without the URL.
inline SDWebImageCompletionBlock SDWebImageCompletionWithoutURL(
    SDWebImageCompletedBlock completed) {
    return [completed = std::move(completed)](
               graphics::Image::Ptr image, const std::optional<foundation::Error>& error,
               SDImageCacheSource source, const std::optional<foundation::URL>&) {
        if (completed) {
            completed(std::move(image), error, source);
        }
    };
}

// The error a load of no URL reports.
inline foundation::Error SDWebImageNilURLError() {
    return foundation::Error{"SDWebImageErrorDomain", -1, "Trying to load a nil url"};
}
