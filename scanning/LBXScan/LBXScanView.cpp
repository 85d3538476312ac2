#include "scanning/LBXScan/LBXScanView.h"

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/ImageContext.h"

namespace {

struct FrameGeometry {
    double left;
    double top;
    double width;
    double height;
};

// The scan frame in a view of `size`: margins of the offset's whole part, the
// height from the width and the ratio, the centre raised by centerUpOffset.
FrameGeometry frameIn(graphics::Size size, const LBXScanViewStyle& style) {
    const int left = static_cast<int>(style.xScanRetangleOffset);
    const double width = size.width - 2 * left;
    double height = size.width - 2 * left;
    if (style.whRatio != 1) {
        height = static_cast<double>(static_cast<long long>(width / style.whRatio));
    }
    const double top = size.height / 2 - height / 2 - style.centerUpOffset;
    return {static_cast<double>(left), top, width, height};
}

void strokeLine(graphics::BitmapContext& context, double x0, double y0, double x1, double y1) {
    context.beginPath();
    context.moveToPoint(x0, y0);
    context.addLineToPoint(x1, y1);
    context.strokePath();
}

}  // namespace

LBXScanView::LBXScanView(const graphics::Rect& frame, std::shared_ptr<LBXScanViewStyle> style)
    : ui::View(frame), viewStyle_(std::move(style)) {
    if (!viewStyle_) {
        viewStyle_ = std::make_shared<LBXScanViewStyle>();
    }
    setBackgroundColor(graphics::Color::clearColor());
    setOpaque(false);
}

void LBXScanView::drawRect(const graphics::Rect&) const {
    drawScanRect();
}

void LBXScanView::drawScanRect() const {
    const auto& style = *viewStyle_;
    const auto size = bounds().size;
    const auto g = frameIn(size, style);
    scanRetangleRect_ = {g.left, g.top, g.width, g.height};

    auto* context = graphics::currentContext();
    if (!context) {
        return;
    }
    const double W = size.width;
    const double H = size.height;
    context->saveGState();

    context->setFillColor(
        graphics::Color::rgb(style.red_notRecoginitonArea, style.green_notRecoginitonArea,
                             style.blue_notRecoginitonArea, style.alpa_notRecoginitonArea));
    context->fillRect({0, 0, W, g.top});
    context->fillRect({0, g.top, g.left, g.height});
    context->fillRect({W - g.left, g.top, g.left, g.height});
    context->fillRect({0, g.top + g.height, W, H - g.top - g.height});

    if (style.isNeedShowRetangle) {
        context->setStrokeColor(style.colorRetangleLine);
        context->setLineWidth(1);
        context->strokeRect(scanRetangleRect_);
    }

    const double lineW = style.photoframeLineW;
    double offset = lineW / 3;
    if (style.photoframeAngleStyle == 0) {
        offset = -lineW / 2;
    } else if (style.photoframeAngleStyle == 2) {
        offset = 0;
    }
    const double angleW = static_cast<int>(style.photoframeAngleW);
    const double angleH = static_cast<int>(style.photoframeAngleH);
    const double leftX = g.left - offset;
    const double topY = g.top - offset;
    const double rightX = W - g.left + offset;
    const double bottomY = g.top + g.height + offset;
    const double half = lineW / 2;

    context->setStrokeColor(style.colorAngle);
    context->setLineWidth(lineW);
    // Each corner: a stroke along the horizontal edge and one along the
    // vertical edge, both starting half a line width beyond the corner.
    strokeLine(*context, leftX - half, topY, leftX + angleW, topY);
    strokeLine(*context, leftX, topY - half, leftX, topY + angleH);
    strokeLine(*context, leftX - half, bottomY, leftX + angleW, bottomY);
    strokeLine(*context, leftX, bottomY + half, leftX, bottomY - angleH);
    strokeLine(*context, rightX + half, topY, rightX - angleW, topY);
    strokeLine(*context, rightX, topY - half, rightX, topY + angleH);
    strokeLine(*context, rightX + half, bottomY, rightX - angleW, bottomY);
    strokeLine(*context, rightX, bottomY + half, rightX, bottomY - angleH);

    context->restoreGState();
}

graphics::Rect LBXScanView::getScanRectWithPreView(const ui::View& preView,
                                                   const LBXScanViewStyle& style) {
    const auto g = frameIn(preView.frame().size, style);
    const double w = preView.bounds().width();
    const double h = preView.bounds().height();
    if (w <= 0 || h <= 0) {
        return {};
    }
    if (h / w >= 16.0 / 9.0) {
        const double t = h * 1080.0 / 1920.0;
        return {g.top / h, (g.left + (t - w) / 2) / t, g.height / h, g.width / t};
    }
    const double o = w * 1920.0 / 1080.0;
    return {(g.top + (o - h) / 2) / o, g.left / w, g.height / o, g.width / w};
}

void LBXScanView::startDeviceReadyingWithText(const std::string& text) {
    if (activityView_) {
        return;
    }
    const auto& style = *viewStyle_;
    const auto g = frameIn(bounds().size, style);
    activityView_ =
        std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::whiteLarge);
    activityView_->setFrame({0, 0, 30, 30});
    activityView_->setCenter(
        {g.left + g.width / 2 - 50, bounds().height() / 2 - style.centerUpOffset});
    addSubview(activityView_);
    activityView_->startAnimating();

    const auto spinner = activityView_->frame();
    labelReadying_ =
        std::make_shared<ui::Label>(graphics::Rect(spinner.maxX() + 10, spinner.minY(), 100, 30));
    labelReadying_->setBackgroundColor(graphics::Color::clearColor());
    labelReadying_->setTextColor(graphics::Color::whiteColor());
    labelReadying_->setFont(ui::Font::systemFontOfSize(18));
    labelReadying_->setText(text);
    addSubview(labelReadying_);
}

void LBXScanView::stopDeviceReadying() {
    if (activityView_) {
        activityView_->stopAnimating();
        activityView_->removeFromSuperview();
        activityView_.reset();
    }
    if (labelReadying_) {
        labelReadying_->removeFromSuperview();
        labelReadying_.reset();
    }
}

void LBXScanView::startScanAnimation() {
    const auto& style = *viewStyle_;
    if (screenCaptureMode_ && screenCaptureMode_() == 1) {
        auto icon = std::make_shared<ui::ImageView>(graphics::Rect{});
        icon->setImage(graphics::Image::imageNamed("icon-76"));
        icon->setContentMode(ui::ContentMode::scaleAspectFit);
        const double inset = scanRetangleRect_.width() / 4;
        icon->setFrame(scanRetangleRect_.insetBy(inset, inset));
        addSubview(icon);
        if (auto parent = superview()) {
            parent->setBackgroundColor(graphics::Color::blackColor());
        }
        return;
    }
    const auto& r = scanRetangleRect_;
    switch (style.anmiationStyle) {
        case 2:
            if (!scanLineStill_) {
                scanLineStill_ = std::make_shared<ui::ImageView>(
                    graphics::Rect(r.minX() + 20, r.minY() + r.height() / 2, r.width() - 40, 2));
                scanLineStill_->setImage(style.animationImage);
            }
            addSubview(scanLineStill_);
            break;
        case 1:
            if (!scanNetAnimation_) {
                scanNetAnimation_ = std::make_shared<LBXScanNetAnimation>();
            }
            scanNetAnimation_->startAnimatingWithRect(r, *this, style.animationImage);
            break;
        case 0:
            if (!scanLineAnimation_) {
                scanLineAnimation_ = std::make_shared<LBXScanLineAnimation>();
            }
            scanLineAnimation_->startAnimatingWithRect(r, *this, style.animationImage);
            break;
        default:
            break;
    }
}

void LBXScanView::stopScanAnimation() {
    if (scanLineAnimation_) {
        scanLineAnimation_->stopAnimating();
    }
    if (scanNetAnimation_) {
        scanNetAnimation_->stopAnimating();
    }
    if (scanLineStill_) {
        scanLineStill_->removeFromSuperview();
    }
}
