#pragma once

// Turns downloaded or cached bytes into an image: GIF data becomes an animated
// image, other data a still image turned as its EXIF orientation says.

#include <cstdint>

#include "platform/foundation/Data.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageOrientation.h"

namespace UIImageMultiFormat {

// nullptr for no data (a null pointer) and for data that is not an image.
graphics::Image::Ptr sd_imageWithData(const foundation::Data* data);
// The orientation of the first image's EXIF property; up when there is none.
graphics::ImageOrientation sd_imageOrientationFromImageData(const foundation::Data& data);
graphics::ImageOrientation sd_exifOrientationToiOSOrientation(std::int32_t exifOrientation);

}  // namespace UIImageMultiFormat
