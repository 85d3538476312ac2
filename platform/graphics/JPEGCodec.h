#pragma once

// JPEG decoding and encoding through libjpeg-turbo, with the EXIF orientation
// read from (and written to) the APP1 segment.

#include <optional>
#include <utility>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DecodedImage.h"

namespace graphics {

class JPEGCodec {
  public:
    // With `allowPartial`, data that ends early gives what the decoder made of
    // it and `complete` false; otherwise it gives nothing.
    static std::optional<DecodedImage> decode(const foundation::Data& data,
                                              bool allowPartial = false);
    // `quality` from 0 to 1; an EXIF orientation other than 1 is written into an
    // APP1 segment. Transparent pixels come out as drawn over black.
    static std::optional<foundation::Data> encode(const Bitmap& bitmap, double quality,
                                                  int exifOrientation = 1);
    // The orientation value of the EXIF APP1 segment of JPEG data, if any.
    static std::optional<int> exifOrientation(const foundation::Data& data);
    // The width and height its frame header declares, without decoding.
    static std::optional<std::pair<int, int>> frameSize(const foundation::Data& data);
};

}  // namespace graphics
