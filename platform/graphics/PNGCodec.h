#pragma once

// PNG decoding and encoding through libpng. Corrupt, truncated or oversized data
// decodes to nothing (or, when asked for, to the rows that arrived).

#include <optional>

#include "platform/foundation/Data.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DecodedImage.h"

namespace graphics {

class PNGCodec {
  public:
    // With `allowPartial`, data that ends early gives the rows read so far (the
    // rest transparent) and `complete` false; otherwise it gives nothing.
    static std::optional<DecodedImage> decode(const foundation::Data& data,
                                              bool allowPartial = false);
    // 8-bit RGBA, or RGB when the bitmap has no alpha; nullopt on failure.
    static std::optional<foundation::Data> encode(const Bitmap& bitmap);
};

}  // namespace graphics
