#include "platform/graphics/ImageSource.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/graphics/BMPCodec.h"
#include "platform/graphics/GIFCodec.h"
#include "platform/graphics/JPEGCodec.h"
#include "platform/graphics/PNGCodec.h"

namespace graphics {

ImageType imageTypeOfData(const foundation::Data& data) {
    static const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data.size() >= 8 && std::memcmp(data.data(), png, 8) == 0) {
        return ImageType::png;
    }
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        return ImageType::jpeg;
    }
    if (data.size() >= 4 && std::memcmp(data.data(), "GIF8", 4) == 0) {
        return ImageType::gif;
    }
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
        return ImageType::bmp;
    }
    return ImageType::unknown;
}

namespace {

std::uint32_t bigEndian(const foundation::Data& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value << 8 | data[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::uint32_t littleEndian(const foundation::Data& data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | data[at + static_cast<std::size_t>(i)];
    }
    return value;
}

}  // namespace

std::optional<std::pair<int, int>> ImageSource::declaredPixelSize(const foundation::Data& data) {
    auto pair = [](std::uint32_t width, std::uint32_t height) {
        return std::make_pair(static_cast<int>(std::min<std::uint32_t>(width, INT32_MAX)),
                              static_cast<int>(std::min<std::uint32_t>(height, INT32_MAX)));
    };
    switch (imageTypeOfData(data)) {
        case ImageType::png:
            if (data.size() >= 24 && std::memcmp(data.data() + 12, "IHDR", 4) == 0) {
                return pair(bigEndian(data, 16, 4), bigEndian(data, 20, 4));
            }
            return std::nullopt;
        case ImageType::gif:
            if (data.size() >= 10) {
                return pair(littleEndian(data, 6, 2), littleEndian(data, 8, 2));
            }
            return std::nullopt;
        case ImageType::bmp:
            if (data.size() >= 26) {
                const auto height = static_cast<std::int32_t>(littleEndian(data, 22, 4));
                return pair(
                    littleEndian(data, 18, 4),
                    static_cast<std::uint32_t>(height < 0 ? -std::int64_t{height} : height));
            }
            return std::nullopt;
        case ImageType::jpeg:
            return JPEGCodec::frameSize(data);
        case ImageType::unknown:
            break;
    }
    return std::nullopt;
}

ImageSource::ImageSource(foundation::Data data) : data_(std::move(data)), final_(true) {}

void ImageSource::updateData(const foundation::Data& data, bool final) {
    data_ = data;
    final_ = final;
    decodedValid_ = false;
    decoded_.reset();
}

ImageType ImageSource::type() const {
    return imageTypeOfData(data_);
}

const std::optional<DecodedImage>& ImageSource::decoded() const {
    if (!decodedValid_) {
        decodedValid_ = true;
        switch (type()) {
            case ImageType::png:
                decoded_ = PNGCodec::decode(data_, !final_);
                break;
            case ImageType::jpeg:
                decoded_ = JPEGCodec::decode(data_, !final_);
                break;
            case ImageType::gif:
                decoded_ = GIFCodec::decode(data_);
                break;
            case ImageType::bmp:
                decoded_ = BMPCodec::decode(data_);
                break;
            case ImageType::unknown:
                decoded_.reset();
                break;
        }
    }
    return decoded_;
}

std::size_t ImageSource::count() const {
    const auto& d = decoded();
    return d ? d->frames.size() : 0;
}

std::optional<ImageProperties> ImageSource::propertiesAtIndex(std::size_t index) const {
    const auto& d = decoded();
    if (!d || index >= d->frames.size()) {
        return std::nullopt;
    }
    ImageProperties p;
    p.pixelWidth = d->width;
    p.pixelHeight = d->height;
    if (index == 0) {
        p.orientation = d->exifOrientation;
    }
    p.gifDelayTime = d->frames[index].delayTime;
    p.gifUnclampedDelayTime = d->frames[index].unclampedDelayTime;
    return p;
}

std::shared_ptr<Bitmap> ImageSource::imageAtIndex(std::size_t index) const {
    const auto& d = decoded();
    if (!d || index >= d->frames.size()) {
        return nullptr;
    }
    return d->frames[index].bitmap;
}

bool ImageSource::isComplete() const {
    const auto& d = decoded();
    return final_ && d && d->complete;
}

}  // namespace graphics
