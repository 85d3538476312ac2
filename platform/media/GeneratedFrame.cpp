#include "platform/media/GeneratedFrame.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/foundation/Log.h"

namespace media {

namespace {

ZXing::BarcodeFormat writerFormat(BarcodeFormat format) {
    switch (format) {
        case BarcodeFormat::ean8:
            return ZXing::BarcodeFormat::EAN8;
        case BarcodeFormat::ean13:
            return ZXing::BarcodeFormat::EAN13;
        case BarcodeFormat::upca:
            return ZXing::BarcodeFormat::UPCA;
        case BarcodeFormat::upce:
            return ZXing::BarcodeFormat::UPCE;
        case BarcodeFormat::code39:
            return ZXing::BarcodeFormat::Code39;
        case BarcodeFormat::code128:
            return ZXing::BarcodeFormat::Code128;
        case BarcodeFormat::itf:
            return ZXing::BarcodeFormat::ITF;
        case BarcodeFormat::qrCode:
            return ZXing::BarcodeFormat::QRCode;
    }
    return ZXing::BarcodeFormat::QRCode;
}

graphics::Rect defaultCodeRect(const GeneratedFrame& frame) {
    if (frame.format == BarcodeFormat::qrCode) {
        const double side = std::floor(std::min(frame.width, frame.height) * 0.5);
        return {std::floor((frame.width - side) / 2), std::floor((frame.height - side) / 2), side,
                side};
    }
    const double w = std::floor(frame.width * 0.6);
    const double h = std::floor(frame.height * 0.3);
    return {std::floor((frame.width - w) / 2), std::floor((frame.height - h) / 2), w, h};
}

}  // namespace

std::shared_ptr<graphics::Bitmap> GeneratedFrame::draw() const {
    auto frame = graphics::Bitmap::make(width, height, {0, 0, 0, 255});
    if (!frame) {
        foundation::Log::write("GeneratedFrame", "empty or oversized frame");
        return nullptr;
    }
    if (photo && photo->width() > 0 && photo->height() > 0) {
        if (auto scaled = photo->scaled(width, height)) {
            frame = scaled;
        }
    } else {
        unsigned state = seed * 2654435761u + 12345u;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                state = state * 1664525u + 1013904223u;
                const auto grey = static_cast<std::uint8_t>(64 + ((state >> 24) & 0x7F));
                frame->setPixel(x, y, {grey, grey, grey, 255});
            }
        }
    }
    const graphics::Rect rect = (codeRect.isEmpty() ? defaultCodeRect(*this) : codeRect).integral();
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(writerFormat(format));
        writer.setMargin(10);
        const int w = static_cast<int>(rect.width());
        const int h = static_cast<int>(rect.height());
        if (rawBytes && format == BarcodeFormat::qrCode) {
            // Each byte becomes one ISO-8859-1 character, which the writer
            // stores as that byte without a character-set mark.
            std::wstring bytes;
            for (unsigned char c : text) {
                bytes.push_back(static_cast<wchar_t>(c));
            }
            matrix = writer.encode(bytes, w, h);
        } else {
            matrix = writer.encode(text, w, h);
        }
    } catch (const std::exception& e) {
        foundation::Log::write("GeneratedFrame", std::string("cannot draw the code: ") + e.what());
        return nullptr;
    }
    const int left = static_cast<int>(rect.minX());
    const int top = static_cast<int>(rect.minY());
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            const int fx = left + x;
            const int fy = top + y;
            if (fx < 0 || fy < 0 || fx >= width || fy >= height) {
                continue;
            }
            const std::uint8_t v = matrix.get(x, y) ? 0 : 255;
            frame->setPixel(fx, fy, {v, v, v, 255});
        }
    }
    return frame;
}

}  // namespace media
