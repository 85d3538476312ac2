#include "ScanFixtures.h"

#include "platform/media/FourCharCode.h"

namespace scanfixtures {

std::shared_ptr<ZBarImageScanner> applicationScanner() {
    auto scanner = std::make_shared<ZBarImageScanner>();
    scanner->setSymbology(12, ZBarImageScanner::kEnable, 1);
    scanner->setSymbology(9, ZBarImageScanner::kEnable, 1);
    scanner->setSymbology(14, ZBarImageScanner::kEnable, 1);
    scanner->setSymbology(25, ZBarImageScanner::kEnable, 0);
    return scanner;
}

std::shared_ptr<graphics::Bitmap> drawCode(media::BarcodeFormat format, const std::string& text,
                                           int width, int height, bool rawBytes) {
    media::GeneratedFrame frame;
    frame.format = format;
    frame.text = text;
    frame.width = width;
    frame.height = height;
    frame.rawBytes = rawBytes;
    return frame.draw();
}

media::SampleBuffer cameraFrame(const graphics::Bitmap& picture, std::size_t padding) {
    media::SampleBuffer sample;
    sample.imageBuffer = media::PixelBuffer::fromBitmap(
        picture, media::kPixelFormat420YpCbCr8BiPlanarVideoRange, padding);
    return sample;
}

}  // namespace scanfixtures
