#include <zbar.h>
// zbar before any ZXing header: ZXing defines a macro that breaks zbar's header.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include "tests/QRGen/CodeReaders.h"

#include <vector>

namespace qrgen_test {

namespace {

// Luminance of the image laid over white (transparent pixels read as white).
std::vector<std::uint8_t> greyOverWhite(const graphics::Bitmap& image) {
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const graphics::Rgba8 p = image.pixel(x, y);
            const int luma = (p.r * 77 + p.g * 150 + p.b * 29) >> 8;
            grey[static_cast<std::size_t>(y) * image.width() + x] =
                static_cast<std::uint8_t>((luma * p.a + 255 * (255 - p.a)) / 255);
        }
    }
    return grey;
}

zbar::zbar_symbol_type_t zbarType(Symbology s) {
    switch (s) {
        case Symbology::qr:
            return zbar::ZBAR_QRCODE;
        case Symbology::ean13:
            return zbar::ZBAR_EAN13;
        case Symbology::ean8:
            return zbar::ZBAR_EAN8;
        default:
            return zbar::ZBAR_CODE128;
    }
}

}  // namespace

std::optional<std::string> readWithZbar(const graphics::Bitmap& image, Symbology symbology) {
    std::vector<std::uint8_t> grey = greyOverWhite(image);
    zbar::zbar_image_scanner_t* scanner = zbar::zbar_image_scanner_create();
    zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
    zbar::zbar_image_scanner_set_config(scanner, zbarType(symbology), zbar::ZBAR_CFG_ENABLE, 1);
    if (symbology == Symbology::qr) {
        zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_BINARY, 1);
    }
    zbar::zbar_image_t* zimage = zbar::zbar_image_create();
    zbar::zbar_image_set_format(zimage, zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(zimage, static_cast<unsigned>(image.width()),
                              static_cast<unsigned>(image.height()));
    zbar::zbar_image_set_data(zimage, grey.data(), grey.size(), nullptr);
    std::optional<std::string> result;
    if (zbar::zbar_scan_image(scanner, zimage) > 0) {
        const zbar::zbar_symbol_t* symbol = zbar::zbar_image_first_symbol(zimage);
        result = std::string(zbar::zbar_symbol_get_data(symbol),
                             zbar::zbar_symbol_get_data_length(symbol));
    }
    zbar::zbar_image_destroy(zimage);
    zbar::zbar_image_scanner_destroy(scanner);
    return result;
}

std::optional<ZxingRead> readWithZxing(const graphics::Bitmap& image, Symbology symbology) {
    const std::vector<std::uint8_t> grey = greyOverWhite(image);
    ZXing::DecodeHints hints;
    switch (symbology) {
        case Symbology::qr:
            hints.setFormats(ZXing::BarcodeFormat::QRCode);
            break;
        case Symbology::ean13:
            hints.setFormats(ZXing::BarcodeFormat::EAN13);
            break;
        case Symbology::ean8:
            hints.setFormats(ZXing::BarcodeFormat::EAN8);
            break;
        case Symbology::code128:
            hints.setFormats(ZXing::BarcodeFormat::Code128);
            break;
    }
    const ZXing::ImageView view(grey.data(), image.width(), image.height(),
                                ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) {
        return std::nullopt;
    }
    const auto& bytes = result.bytes();
    return ZxingRead{std::string(bytes.begin(), bytes.end()), result.ecLevel()};
}

graphics::Bitmap renderMatrix(const unsigned char* modules, int moduleCount, int scale) {
    const int side = (moduleCount + 8) * scale;
    graphics::Bitmap image(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int mx = x / scale - 4;
            const int my = y / scale - 4;
            const bool dark = mx >= 0 && my >= 0 && mx < moduleCount && my < moduleCount &&
                              modules[mx * 177 + my] != 0;
            const std::uint8_t v = dark ? 0 : 255;
            image.setPixel(x, y, graphics::Rgba8{v, v, v, 255});
        }
    }
    return image;
}

}  // namespace qrgen_test
