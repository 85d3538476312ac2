#pragma once

// The image type of some bytes, told by their first byte, as a MIME type.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"

namespace NSDataImageContentType {

// "image/jpeg", "image/png", "image/gif", "image/tiff" or "image/webp"; nullopt
// for empty data and anything else.
std::optional<std::string> sd_contentTypeForImageData(const foundation::Data& data);

}  // namespace NSDataImageContentType
