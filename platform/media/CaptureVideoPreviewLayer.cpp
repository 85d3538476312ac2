#include "platform/media/CaptureVideoPreviewLayer.h"

#include "platform/ui/ViewPainter.h"

namespace media {

std::shared_ptr<CaptureVideoPreviewLayer> CaptureVideoPreviewLayer::make(
    std::shared_ptr<CaptureSession> session) {
    return std::make_shared<CaptureVideoPreviewLayer>(std::move(session));
}

void CaptureVideoPreviewLayer::drawInContext(graphics::BitmapContext& context) const {
    const auto frame = session_ ? session_->previewFrame() : nullptr;
    if (!frame || frame->width() == 0 || frame->height() == 0) {
        return;
    }
    const auto b = bounds();
    const auto mode = gravity_ == VideoGravity::resizeAspectFill ? ui::ContentMode::scaleAspectFill
                      : gravity_ == VideoGravity::resizeAspect   ? ui::ContentMode::scaleAspectFit
                                                                 : ui::ContentMode::scaleToFill;
    const auto rect = ui::ViewPainter::imageRect(
        mode, {static_cast<double>(frame->width()), static_cast<double>(frame->height())}, b);
    auto place = graphics::AffineTransform::makeScale(rect.size.width / frame->width(),
                                                      rect.size.height / frame->height());
    place.tx = rect.origin.x;
    place.ty = rect.origin.y;
    context.saveGState();
    context.clipToRect(b);
    context.drawBitmap(*frame, place);
    context.restoreGState();
}

}  // namespace media
