#pragma once

// Animated images from GIF data: every frame at the screen's scale, shown for
// its own delay; and scaling such an image to fill a size.

#include <cstddef>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageSource.h"

namespace UIImageGIF {

// nullptr for no data; data with at most one frame gives a still image.
graphics::Image::Ptr sd_animatedGIFWithData(const foundation::Data* data);
// The frame's unclamped delay, else its delay, else 0.1 s; below 0.011 s, 0.1 s.
float sd_frameDurationAtIndex(std::size_t index, const graphics::ImageSource& source);
// The bundle's "<name>@2x.gif" on screens above scale 1, else "<name>.gif",
// else the image named `name`.
graphics::Image::Ptr sd_animatedGIFNamed(const std::string& name);
// Scales every frame to fill `size` (centred, the overhang cut off); the image
// itself when the size is its own or zero.
graphics::Image::Ptr sd_animatedImageByScalingAndCroppingToSize(const graphics::Image::Ptr& image,
                                                                graphics::Size size);

}  // namespace UIImageGIF
