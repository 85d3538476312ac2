#pragma once

// Pictures and scanners for the reader-screen tests: codes drawn by the
// barcode writer, photos without a code, turned pictures, photo files, and a
// scanner set up as the application sets its own.

#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/media/GeneratedFrame.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "tests/scanning/zbar/ScanFixtures.h"

namespace readerfixtures {

// The scanner set up as the application sets its own, and codes drawn by the
// barcode writer: the scanning tests' own.
using scanfixtures::applicationScanner;
using scanfixtures::drawCode;

// A photo without any code: soft shading with some texture.
std::shared_ptr<graphics::Bitmap> plainPhoto(int width, int height);
std::shared_ptr<graphics::Bitmap> rotated90(const graphics::Bitmap& source);
std::shared_ptr<graphics::Bitmap> rotated180(const graphics::Bitmap& source);

enum class FileType { png, jpeg };
// Writes the picture into the test's temporary folder; answers the path.
std::string writePhoto(const graphics::Bitmap& bitmap, FileType type, const std::string& name,
                       int exifOrientation = 1);

}  // namespace readerfixtures
