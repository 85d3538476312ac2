#pragma once

// How a stored raster is turned to show it upright, numbered as the platform
// numbers its image orientations.

namespace graphics {

enum class ImageOrientation {
    up = 0,
    down = 1,
    left = 2,
    right = 3,
    upMirrored = 4,
    downMirrored = 5,
    leftMirrored = 6,
    rightMirrored = 7,
};

// The orientation an EXIF orientation value (1-8) stands for; any other value is up.
ImageOrientation orientationFromExif(int exifValue);

}  // namespace graphics
