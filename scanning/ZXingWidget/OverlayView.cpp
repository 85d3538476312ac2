#include "scanning/ZXingWidget/OverlayView.h"

#include <cmath>
#include <numbers>

#include "platform/foundation/Bundle.h"
#include "platform/graphics/ImageContext.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/TextMeasurement.h"

namespace {

std::string localized(const char* key, const char* value) {
    return foundation::Bundle::main().localizedString(key, value);
}

}  // namespace

std::shared_ptr<OverlayView> OverlayView::make(const graphics::Rect& frame, bool cancelEnabled,
                                               bool oneDMode, bool showLicense) {
    auto view = std::make_shared<OverlayView>(frame, cancelEnabled, oneDMode);
    view->addButtons(showLicense);
    return view;
}

OverlayView::OverlayView(const graphics::Rect& frame, bool cancelEnabled, bool oneDMode)
    : ui::View(frame), oneDMode_(oneDMode), cancelEnabled_(cancelEnabled) {
    const double width = frame.size.width - 20;
    cropRect_ = oneDMode ? graphics::Rect(10, 10, width, frame.size.height - 20)
                         : graphics::Rect(10, (frame.size.height - width) / 2, width, width);
    setBackgroundColor(graphics::Color::clearColor());
}

void OverlayView::addButtons(bool showLicense) {
    std::weak_ptr<OverlayView> weak = std::static_pointer_cast<OverlayView>(
        std::static_pointer_cast<ui::View>(shared_from_this()));
    if (showLicense) {
        licenseButton_ = ui::Button::buttonWithType(ui::ButtonType::infoLight);
        licenseButton_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
            if (auto self = weak.lock()) {
                self->showLicenseAlert();
            }
        });
        licenseButton_->setHidden(true);
        addSubview(licenseButton_);
    }
    if (cancelEnabled_) {
        cancelButton_ = ui::Button::buttonWithType(ui::ButtonType::roundedRect);
        cancelButton_->setTitle(!cancelButtonTitle_.empty()
                                    ? cancelButtonTitle_
                                    : localized("OverlayView cancel button title", "Cancel"));
        cancelButton_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
            if (auto self = weak.lock()) {
                self->cancel();
            }
        });
        cancelButton_->setHidden(true);
        addSubview(cancelButton_);
    }
}

void OverlayView::cancel() {
    if (auto d = delegate()) {
        d->cancelled();
    }
}

void OverlayView::showLicenseAlert() {
    auto alert = ui::AlertView::make(
        localized("OverlayView license alert title", "License"),
        localized("OverlayView license alert message",
                  "Scanning functionality provided by ZXing library, licensed under Apache 2.0 "
                  "license."),
        std::static_pointer_cast<OverlayView>(
            std::static_pointer_cast<ui::View>(shared_from_this())),
        localized("OverlayView license alert cancel title", "OK"),
        {localized("OverlayView license alert view title", "View License")});
    selfWhileAlerting_ = std::static_pointer_cast<OverlayView>(
        std::static_pointer_cast<ui::View>(shared_from_this()));
    alert->show();
}

void OverlayView::alertViewDidDismissWithButtonIndex(ui::AlertView& alert, int index) {
    if (index == 1) {
        ui::Application::shared().openURL(kLicenseURL);
    }
    selfWhileAlerting_.reset();
}

void OverlayView::setPoints(const std::optional<std::vector<graphics::Point>>& points) {
    points_ = points.value_or(std::vector<graphics::Point>());
    if (points) {
        setBackgroundColor(graphics::Color::white(1, 0.25));
    }
    setNeedsDisplay();
}

void OverlayView::setPoint(graphics::Point point) {
    if (points_.size() > 3) {
        points_.erase(points_.begin());
    }
    points_.push_back(point);
    setNeedsDisplay();
}

graphics::Point OverlayView::map(graphics::Point point) const {
    const double cx = cropRect_.size.width / 2;
    const double cy = cropRect_.size.height / 2;
    return {cx - (point.y - cy), cy + (point.x - cx)};
}

void OverlayView::layoutSubviews() {
    if (!cancelButton_) {
        return;
    }
    if (oneDMode_) {
        cancelButton_->setTransform(graphics::AffineTransform::identity());
        cancelButton_->setFrame({20, 175, 45, 130});
        cancelButton_->setTransform(graphics::AffineTransform::makeRotation(-std::numbers::pi / 2));
    } else {
        const double width = frame().size.width;
        cancelButton_->setFrame(
            {(width - 100) / 2, cropRect_.origin.y + cropRect_.size.height + 20, 100, 50});
    }
}

void OverlayView::drawRect(const graphics::Rect& rect) const {
    if (auto* context = graphics::currentContext()) {
        drawRect(rect, *context);
    }
}

void OverlayView::drawRect(const graphics::Rect& rect, graphics::BitmapContext& context) const {
    if (!displayedMessage_) {
        displayedMessage_ =
            localized("OverlayView displayed message",
                      "Place a barcode inside the viewfinder rectangle to scan it.");
    }
    context.saveGState();
    context.setStrokeColor(graphics::Color::whiteColor());
    context.setFillColor(graphics::Color::whiteColor());
    context.strokeRect(cropRect_);
    if (oneDMode_) {
        const std::string text = localized("OverlayView 1d instructions",
                                           "Place a red line over the bar code to be scanned.");
        const ui::Font font = ui::Font::fontWithName("Helvetica", 15);
        const double textWidth = ui::TextMeasurement::sizeWithFont(text, font).width;
        context.saveGState();
        context.rotateCTM(std::numbers::pi / 2);
        ui::drawStringInRect(text,
                             {bounds().size.height / 2 - textWidth / 2, 20 - bounds().size.width,
                              textWidth, font.lineHeight()},
                             font);
        context.restoreGState();
    } else {
        const ui::Font font = ui::Font::systemFontOfSize(18);
        const auto size = ui::TextMeasurement::boundingSize(
            *displayedMessage_, font, {rect.size.width - 20, cropRect_.origin.y});
        ui::drawStringInRect(*displayedMessage_,
                             {(rect.size.width - size.width) / 2, cropRect_.origin.y - size.height,
                              size.width, size.height},
                             font, ui::LineBreakMode::wordWrap, ui::TextAlignment::center);
    }
    if (oneDMode_) {
        const double x = rect.origin.x + std::floor(rect.size.width / 2);
        context.setStrokeColor(graphics::Color::redColor());
        context.beginPath();
        context.moveToPoint(x, rect.origin.y + 10);
        context.addLineToPoint(x, rect.origin.y + rect.size.height - 10);
        context.strokePath();
    }
    if (!points_.empty()) {
        context.setStrokeColor(graphics::Color::greenColor());
        if (oneDMode_ && points_.size() > 1) {
            const double x = std::floor(rect.size.width / 2);
            context.beginPath();
            context.moveToPoint(x, map(points_[0]).x);
            context.addLineToPoint(x, map(points_[1]).x);
            context.strokePath();
        } else if (!oneDMode_) {
            for (const auto& point : points_) {
                const auto mapped = map(point);
                context.strokeRect(
                    {mapped.x + cropRect_.origin.x - 5, mapped.y + cropRect_.origin.y - 5, 10, 10});
            }
        }
    }
    context.restoreGState();
}
