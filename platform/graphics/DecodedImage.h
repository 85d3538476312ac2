#pragma once

// What a decoder hands back: the kind of data, its frames with their GIF delays,
// and the EXIF orientation of the first image.

#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"

namespace graphics {

enum class ImageType { unknown, png, jpeg, gif, bmp };

// The kind of image data by its first bytes.
ImageType imageTypeOfData(const foundation::Data& data);

struct DecodedFrame {
    std::shared_ptr<Bitmap> bitmap;
    // GIF frames with a graphic control block: the declared delay in seconds,
    // and the same delay with values of 0.01 s and below raised to 0.1 s.
    std::optional<double> unclampedDelayTime;
    std::optional<double> delayTime;
};

struct DecodedImage {
    ImageType type = ImageType::unknown;
    int width = 0;
    int height = 0;
    std::vector<DecodedFrame> frames;
    // The EXIF orientation value (1-8 and others, as stored), when present.
    std::optional<int> exifOrientation;
    // False when the data ended early and only part of the image was decoded.
    bool complete = true;
};

}  // namespace graphics
