#pragma once

// The blocks a download reports through: progress (received and expected
// sizes; expected -1 before the response), the outcome (partial images come
// with finished false), and cancellation.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"
#include "platform/graphics/Image.h"

using SDWebImageDownloaderProgressBlock =
    std::function<void(std::int64_t receivedSize, std::int64_t expectedSize)>;
using SDWebImageDownloaderCompletedBlock =
    std::function<void(graphics::Image::Ptr image, std::shared_ptr<const foundation::Data> data,
                       const std::optional<foundation::Error>& error, bool finished)>;
using SDWebImageNoParamsBlock = std::function<void()>;
