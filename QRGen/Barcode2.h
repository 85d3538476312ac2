#pragma once

// Makes code images: a QR code of a text (encoded at level M, written as
// "qR.png" in the application's support folder, read back with a transparent
// background and a two-module margin), and EAN-13, EAN-8 and Code 128 bar
// codes as in-memory 24-bit BMP images.

#include <array>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/graphics/Image.h"

class Barcode2 {
  public:
    // Builds the EAN and Code 128 pattern tables.
    Barcode2();

    // Makes qRBarcode from `text`; when the text cannot be encoded or the file
    // cannot be written or read, qRBarcode is null and no "qR.png" is left.
    void setupQRCode(const std::string& text);
    // Keeps `digits` as oneDimCode and makes oneDimBarcode: EAN-13 for type 1,
    // Code 128 for any other type.
    void setupOneDimBarcode(const std::string& digits, int type);
    void setupBarcodes(const std::string& text);

    // The EAN module pattern of the first `length` (13 or 8) digits, or "" when
    // the text is shorter or holds a non-digit among them.
    std::string getDigit(const std::string& text, int length) const;
    // The Code 128 module pattern (start, data, checksum, stop, final bar), or ""
    // when a character is outside printable ASCII.
    std::string getDigit128(const std::string& text) const;
    // The first `length` characters followed by the weighted mod-10 value.
    std::string compute(const std::string& text, int length) const;
    int charToInt(char c) const { return c - 48; }
    // Ten light modules on each side.
    std::string addQuietZone(const std::string& pattern) const;
    // The BMP of a pattern: two pixels per module, 140 rows.
    foundation::Data digitToBmpRenderer(const std::string& pattern) const;

    const graphics::Image::Ptr& oneDimBarcode() const { return oneDimBarcode_; }
    const graphics::Image::Ptr& qRBarcode() const { return qRBarcode_; }
    const std::string& oneDimCode() const { return oneDimCode_; }

    // "<Application Support>/iOSVelnor/qR.png".
    static std::string qrImagePath();

  private:
    // The image with near-white pixels made transparent, drawn flipped into an
    // image context so that it comes out upright.
    static graphics::Image::Ptr transparentCopy(const graphics::Image& image);

    // Per digit its L, G and R patterns.
    std::vector<std::array<std::string, 3>> encoding;
    // Per leading digit the EAN-13 parity of digits 2-7 ("0" L, "1" G).
    std::vector<std::string> first;
    // Code 128 patterns of values 0-106.
    std::vector<std::string> code128Encoding;
    graphics::Image::Ptr oneDimBarcode_;
    graphics::Image::Ptr qRBarcode_;
    std::string oneDimCode_;
};
