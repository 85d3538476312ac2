#pragma once

// A camera frame made for tests and demonstrations: one barcode, drawn with
// its quiet zone by the barcode writer, on grey noise or on a photo.

#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

namespace media {

enum class BarcodeFormat { ean8, ean13, upca, upce, code39, code128, itf, qrCode };

struct GeneratedFrame {
    BarcodeFormat format = BarcodeFormat::qrCode;
    // The content; for EAN/UPC codes the digits (the check digit may be left
    // out).
    std::string text;
    // QR only: the text's bytes go into the code as they stand, with no mark
    // of their character set (as many generators write UTF-8). Otherwise the
    // writer picks the encoding.
    bool rawBytes = false;
    int width = 640;
    int height = 480;
    // Where the code goes, in pixels from the top left; empty: centred, 60%
    // of the width (square codes: half the shorter side).
    graphics::Rect codeRect;
    // Scaled to the frame when given; grey noise from `seed` otherwise.
    std::shared_ptr<const graphics::Bitmap> photo;
    unsigned seed = 1;

    // nullptr (with a log line) when the writer refuses the content or the
    // frame size is empty.
    std::shared_ptr<graphics::Bitmap> draw() const;
};

}  // namespace media
