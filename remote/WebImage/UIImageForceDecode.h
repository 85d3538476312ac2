#pragma once

// Decoding an image ahead of display: an opaque image is drawn once into a
// fresh bitmap so that showing it later costs no decoding.

#include "platform/graphics/Image.h"

namespace UIImageForceDecode {

// Animated images and images with alpha come back unchanged; nullptr stays
// nullptr.
graphics::Image::Ptr decodedImageWithImage(const graphics::Image::Ptr& image);

}  // namespace UIImageForceDecode
