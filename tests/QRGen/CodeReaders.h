#pragma once

// Reads codes back out of test images with both decoders, so the tests check
// what a scanner sees rather than how the images were made.

#include <optional>
#include <string>

#include "platform/graphics/Bitmap.h"

namespace qrgen_test {

enum class Symbology { qr, ean13, ean8, code128 };

// The bytes of the first symbol zbar finds (QR read in binary mode).
std::optional<std::string> readWithZbar(const graphics::Bitmap& image, Symbology symbology);
// The bytes of the symbol zxing-cpp finds, and its error-correction level.
struct ZxingRead {
    std::string bytes;
    std::string ecLevel;
};
std::optional<ZxingRead> readWithZxing(const graphics::Bitmap& image, Symbology symbology);

// A module matrix as a grey image: `scale` pixels per module, four light
// modules of quiet zone on each side.
graphics::Bitmap renderMatrix(const unsigned char* modules, int moduleCount, int scale);

}  // namespace qrgen_test
