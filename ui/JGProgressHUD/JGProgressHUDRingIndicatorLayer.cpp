#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorLayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/Path.h"

bool JGProgressHUDRingIndicatorLayer::needsDisplayForKey(std::string_view key) {
    return key == "progress" || key == "ringColor" || key == "ringBackgroundColor" ||
           key == "roundProgressLine" || key == "ringWidth";
}

void JGProgressHUDRingIndicatorLayer::setRingColor(std::optional<graphics::Color> color) {
    ringColor_ = color;
    changed("ringColor");
}

void JGProgressHUDRingIndicatorLayer::setRingBackgroundColor(std::optional<graphics::Color> color) {
    ringBackgroundColor_ = color;
    changed("ringBackgroundColor");
}

void JGProgressHUDRingIndicatorLayer::setRoundProgressLine(bool round) {
    roundProgressLine_ = round;
    changed("roundProgressLine");
}

void JGProgressHUDRingIndicatorLayer::setRingWidth(double width) {
    ringWidth_ = width;
    changed("ringWidth");
}

void JGProgressHUDRingIndicatorLayer::draw(graphics::BitmapContext& context) const {
    const auto b = bounds();
    const double halfHeight = std::floor(b.height() / 2);
    const graphics::Point center{b.minX() + halfHeight, b.minY() + halfHeight};
    const double radius = std::floor(std::min(b.width(), b.height()) / 2) - ringWidth_;
    const double top = -std::numbers::pi / 2;

    context.setLineWidth(ringWidth_);
    if (ringBackgroundColor_) {
        graphics::Path circle;
        circle.addArc(center, radius, 0, 2 * std::numbers::pi, true);
        context.setStrokeColor(*ringBackgroundColor_);
        context.beginPath();
        context.addPath(circle);
        context.strokePath();
    }

    const double progress = presentationProgress();
    if (progress > 0 && ringColor_) {
        graphics::Path arc;
        arc.addArc(center, radius, top, top + 2 * std::numbers::pi * progress, true);
        context.setLineCap(roundProgressLine_ ? graphics::LineCap::round
                                              : graphics::LineCap::square);
        context.setStrokeColor(*ringColor_);
        context.beginPath();
        context.addPath(arc);
        context.strokePath();
    }
}
