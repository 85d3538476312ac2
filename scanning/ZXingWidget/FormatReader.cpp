#include "scanning/ZXingWidget/FormatReader.h"

#include <mutex>
#include <vector>

#include <ZXing/ReadBarcode.h>

namespace {

using ZXing::BarcodeFormat;

std::mutex registryMutex;

std::vector<std::shared_ptr<FormatReader>>& registeredReaders() {
    static auto* readers = new std::vector<std::shared_ptr<FormatReader>>();
    return *readers;
}

}  // namespace

ZXing::BarcodeFormats readableFormats() {
    return BarcodeFormat::Aztec | BarcodeFormat::Codabar | BarcodeFormat::Code39 |
           BarcodeFormat::Code93 | BarcodeFormat::Code128 | BarcodeFormat::DataMatrix |
           BarcodeFormat::EAN8 | BarcodeFormat::EAN13 | BarcodeFormat::ITF |
           BarcodeFormat::MaxiCode | BarcodeFormat::PDF417 | BarcodeFormat::QRCode |
           BarcodeFormat::UPCA | BarcodeFormat::UPCE | BarcodeFormat::MicroQRCode;
}

FormatReader::FormatReader(ZXing::BarcodeFormats formats) {
    hints_.setFormats(formats & readableFormats());
    hints_.setBinarizer(ZXing::Binarizer::LocalAverage);
}

void FormatReader::registerFormatReader(std::shared_ptr<FormatReader> reader) {
    std::lock_guard lock(registryMutex);
    registeredReaders().push_back(std::move(reader));
}

std::vector<std::shared_ptr<FormatReader>> FormatReader::registeredFormatReaders() {
    std::lock_guard lock(registryMutex);
    return registeredReaders();
}

ZXing::Result FormatReader::decode(const ZXing::ImageView& image) const {
    return ZXing::ReadBarcode(image, hints_);
}

ZXing::Result FormatReader::decode(const ZXing::ImageView& image,
                                   ResultPointCallback& callback) const {
    auto result = decode(image);
    if (result.isValid()) {
        for (const auto& corner : result.position()) {
            callback.foundPossibleResultPoint(corner.x, corner.y);
        }
    }
    return result;
}

MultiFormatReader::MultiFormatReader() : FormatReader(readableFormats()) {}

QRCodeReader::QRCodeReader() : FormatReader(BarcodeFormat::QRCode) {}

DataMatrixReader::DataMatrixReader() : FormatReader(BarcodeFormat::DataMatrix) {}

MultiFormatOneDReader::MultiFormatOneDReader() : FormatReader(BarcodeFormat::LinearCodes) {}

MultiFormatUPCEANReader::MultiFormatUPCEANReader()
    : FormatReader(BarcodeFormat::EAN8 | BarcodeFormat::EAN13 | BarcodeFormat::UPCA |
                   BarcodeFormat::UPCE) {}

AztecReader::AztecReader() : FormatReader(BarcodeFormat::Aztec) {}

ZXing::Result AztecReader::decode(const ZXing::ImageView& image, ResultPointCallback&) const {
    return decode(image);
}

void registerFormatReaders() {
    static std::once_flag once;
    std::call_once(
        once, [] { FormatReader::registerFormatReader(std::make_shared<MultiFormatReader>()); });
}

namespace {

// The registration a class-load hook makes: in place before main runs.
[[maybe_unused]] const bool formatReadersRegistered = (registerFormatReaders(), true);

}  // namespace
