#include "platform/graphics/ImageOrientation.h"

namespace graphics {

ImageOrientation orientationFromExif(int exifValue) {
    switch (exifValue) {
        case 2:
            return ImageOrientation::upMirrored;
        case 3:
            return ImageOrientation::down;
        case 4:
            return ImageOrientation::downMirrored;
        case 5:
            return ImageOrientation::leftMirrored;
        case 6:
            return ImageOrientation::right;
        case 7:
            return ImageOrientation::rightMirrored;
        case 8:
            return ImageOrientation::left;
        default:
            return ImageOrientation::up;
    }
}

}  // namespace graphics
