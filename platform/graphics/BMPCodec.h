#pragma once

// Decoding of uncompressed 24- and 32-bit BMP data (the kind the code images
// are built as).

#include <optional>

#include "platform/foundation/Data.h"
#include "platform/graphics/DecodedImage.h"

namespace graphics {

class BMPCodec {
  public:
    static std::optional<DecodedImage> decode(const foundation::Data& data);
};

}  // namespace graphics
