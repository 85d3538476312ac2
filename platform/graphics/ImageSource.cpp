#include "platform/graphics/ImageSource.h"

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
