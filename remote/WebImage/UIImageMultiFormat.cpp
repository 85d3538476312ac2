#include "remote/WebImage/UIImageMultiFormat.h"

#include "platform/graphics/ImageSource.h"
#include "remote/WebImage/NSDataImageContentType.h"
#include "remote/WebImage/UIImageGIF.h"

namespace UIImageMultiFormat {

graphics::Image::Ptr sd_imageWithData(const foundation::Data* data) {
    if (data == nullptr) {
        return nullptr;
    }
    if (NSDataImageContentType::sd_contentTypeForImageData(*data) == "image/gif") {
        return UIImageGIF::sd_animatedGIFWithData(data);
    }
    graphics::Image::Ptr image = graphics::Image::imageWithData(*data);
    if (!image) {
        return nullptr;
    }
    const graphics::ImageOrientation orientation = sd_imageOrientationFromImageData(*data);
    if (orientation != graphics::ImageOrientation::up) {
        image = graphics::Image::make(image->bitmap(), image->scale(), orientation);
    }
    return image;
}

graphics::ImageOrientation sd_imageOrientationFromImageData(const foundation::Data& data) {
    const graphics::ImageSource source(data);
    const auto properties = source.propertiesAtIndex(0);
    if (!properties || !properties->orientation) {
        return graphics::ImageOrientation::up;
    }
    return sd_exifOrientationToiOSOrientation(*properties->orientation);
}

graphics::ImageOrientation sd_exifOrientationToiOSOrientation(std::int32_t exifOrientation) {
    return graphics::orientationFromExif(exifOrientation);
}

}  // namespace UIImageMultiFormat
