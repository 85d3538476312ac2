#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorLayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/Path.h"

bool JGProgressHUDPieIndicatorLayer::needsDisplayForKey(std::string_view key) {
    return key == "progress" || key == "color" || key == "fillColor";
}

void JGProgressHUDPieIndicatorLayer::setColor(std::optional<graphics::Color> color) {
    color_ = color;
    changed("color");
}

void JGProgressHUDPieIndicatorLayer::setFillColor(std::optional<graphics::Color> color) {
    fillColor_ = color;
    changed("fillColor");
}

void JGProgressHUDPieIndicatorLayer::draw(graphics::BitmapContext& context) const {
    const auto b = bounds();
    const double halfHeight = std::floor(b.height() / 2);
    const graphics::Point center{b.minX() + halfHeight, b.minY() + halfHeight};
    const double radius = std::floor(std::min(b.width(), b.height()) / 2) - 2;
    const double top = -std::numbers::pi / 2;

    graphics::Path circle;
    circle.addArc(center, radius, 0, 2 * std::numbers::pi, true);
    context.setLineWidth(2);
    if (fillColor_) {
        context.setFillColor(*fillColor_);
        context.beginPath();
        context.addPath(circle);
        context.fillPath();
    }
    if (color_) {
        context.setStrokeColor(*color_);
        context.setFillColor(*color_);
        context.beginPath();
        context.addPath(circle);
        context.strokePath();
    }

    const double progress = presentationProgress();
    if (progress > 0 && color_) {
        // A stroke as wide as the radius along half the radius fills the
        // wedge from the centre to the outline.
        graphics::Path wedge;
        wedge.addArc(center, radius / 2, top, top + 2 * std::numbers::pi * progress, true);
        context.setLineWidth(radius);
        context.beginPath();
        context.addPath(wedge);
        context.strokePath();
    }
}
