// libFuzzer harness of the picture decoders (PNG, JPEG, GIF, BMP): any bytes
// as a picture.

#include <cstddef>
#include <cstdint>

#include "platform/graphics/Image.h"
#include "platform/graphics/ImageSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const foundation::Data bytes(data, data + size);
    graphics::ImageSource::declaredPixelSize(bytes);
    graphics::Image::imageWithData(bytes);
    return 0;
}
