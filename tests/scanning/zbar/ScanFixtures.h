#pragma once

// Frames and scanners for the scanning tests: barcodes drawn by the writer,
// turned into camera buffers, and a scanner set up as the application sets
// its own (UPC-A, UPC-E and ISBN-13 on, I2/5 off).

#include <memory>
#include <string>

#include "platform/media/GeneratedFrame.h"
#include "platform/media/PixelBuffer.h"
#include "platform/media/SampleBuffer.h"
#include "scanning/zbar/ZBarImageScanner.h"

namespace scanfixtures {

std::shared_ptr<ZBarImageScanner> applicationScanner();

std::shared_ptr<graphics::Bitmap> drawCode(media::BarcodeFormat format, const std::string& text,
                                           int width = 640, int height = 480,
                                           bool rawBytes = false);

// A '420v' camera frame of the picture, luma rows `padding` bytes longer than
// the width.
media::SampleBuffer cameraFrame(const graphics::Bitmap& picture, std::size_t padding = 0);

}  // namespace scanfixtures
