#include "platform/graphics/BMPCodec.h"

#include <cstdlib>

namespace graphics {

namespace {

std::uint32_t read32(const foundation::Data& d, std::size_t at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

std::uint16_t read16(const foundation::Data& d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | d[at + 1] << 8);
}

}  // namespace

std::optional<DecodedImage> BMPCodec::decode(const foundation::Data& data) {
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    const std::uint32_t pixelOffset = read32(data, 10);
    const std::uint32_t headerSize = read32(data, 14);
    const auto width = static_cast<std::int32_t>(read32(data, 18));
    const auto rawHeight = static_cast<std::int32_t>(read32(data, 22));
    const std::uint16_t planes = read16(data, 26);
    const std::uint16_t bitsPerPixel = read16(data, 28);
    const std::uint32_t compression = read32(data, 30);
    if (headerSize < 40 || planes != 1 || compression != 0 ||
        (bitsPerPixel != 24 && bitsPerPixel != 32) || rawHeight == INT32_MIN) {
        return std::nullopt;
    }
    const bool topDown = rawHeight < 0;
    const std::int32_t height = std::abs(rawHeight);
    if (!Bitmap::sizeAllowed(width, height)) {
        return std::nullopt;
    }
    const int bytesPerPixel = bitsPerPixel / 8;
    const std::size_t rowSize = (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (pixelOffset > data.size() || rowSize * height > data.size() - pixelOffset) {
        return std::nullopt;
    }
    auto bitmap = std::make_shared<Bitmap>(width, height);
    bitmap->setColorSpaceModel(ColorSpaceModel::rgb);
    bitmap->setAlphaInfo(AlphaInfo::none);
    for (int y = 0; y < height; ++y) {
        const int sourceRow = topDown ? y : height - 1 - y;
        const std::uint8_t* in = data.data() + pixelOffset + rowSize * sourceRow;
        for (int x = 0; x < width; ++x, in += bytesPerPixel) {
            bitmap->setPixel(x, y, Rgba8{in[2], in[1], in[0], 255});
        }
    }
    DecodedImage image;
    image.type = ImageType::bmp;
    image.width = width;
    image.height = height;
    image.frames.push_back(DecodedFrame{bitmap, std::nullopt, std::nullopt});
    return image;
}

}  // namespace graphics
