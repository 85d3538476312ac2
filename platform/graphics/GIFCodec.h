#pragma once

// GIF decoding through giflib: every frame composed onto the logical screen as
// the disposal methods say, with the delays of the graphic control blocks.

#include <optional>

#include "platform/foundation/Data.h"
#include "platform/graphics/DecodedImage.h"

namespace graphics {

class GIFCodec {
  public:
    // The frames that were read completely; nothing when not even the first one
    // was, or when the frames would exceed the pixel budget of Bitmap.
    static std::optional<DecodedImage> decode(const foundation::Data& data);
};

}  // namespace graphics
