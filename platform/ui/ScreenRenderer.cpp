#include "platform/ui/ScreenRenderer.h"

#include <algorithm>
#include <fstream>
#include <numbers>
#include <optional>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/AlertPainter.h"
#include "platform/ui/ViewPainter.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {

void fillBackground(graphics::BitmapContext& context, const graphics::Rect& b,
                    const graphics::Color& color, double radius) {
    context.setFillColor(color);
    if (radius <= 0) {
        context.fillRect(b);
        return;
    }
    radius = std::min({radius, b.size.width / 2, b.size.height / 2});
    constexpr double pi = std::numbers::pi;
    context.beginPath();
    context.addArc(b.origin.x + radius, b.origin.y + radius, radius, pi, 1.5 * pi, false);
    context.addArc(b.maxX() - radius, b.origin.y + radius, radius, 1.5 * pi, 2 * pi, false);
    context.addArc(b.maxX() - radius, b.maxY() - radius, radius, 0, 0.5 * pi, false);
    context.addArc(b.origin.x + radius, b.maxY() - radius, radius, 0.5 * pi, pi, false);
    context.closePath();
    context.fillPath();
}

void drawView(graphics::BitmapContext& context, const View& view, double alpha);

// Draws a free-standing layer and its sublayers, in its superlayer's coordinates.
void drawLayer(graphics::BitmapContext& context, const Layer& layer, double alpha) {
    alpha *= layer.opacity();
    if (layer.isHidden() || alpha < 0.01) {
        return;
    }
    auto b = layer.bounds();
    auto anchor = layer.anchorPoint();
    context.saveGState();
    context.setAlpha(alpha);
    context.translateCTM(layer.position().x, layer.position().y);
    context.concatCTM(layer.transform().affine());
    context.translateCTM(-anchor.x * b.size.width - b.origin.x,
                         -anchor.y * b.size.height - b.origin.y);
    if (layer.masksToBounds()) {
        context.clipToRect(b);
    }
    layer.drawInContext(context);
    for (const auto& sublayer : layer.sublayers()) {
        drawLayer(context, *sublayer, alpha);
    }
    context.restoreGState();
}

// Draws a view that is not in the tree (a bar item's custom view) into `rect`.
void drawDetached(graphics::BitmapContext& context, const View& view, const graphics::Rect& rect,
                  double alpha) {
    auto b = view.bounds();
    context.saveGState();
    context.translateCTM(rect.origin.x - b.origin.x, rect.origin.y - b.origin.y);
    drawView(context, view, alpha);
    context.restoreGState();
}

void drawView(graphics::BitmapContext& context, const View& view, double alpha) {
    alpha *= view.alpha();
    if (view.isHidden() || alpha < 0.01) {
        return;
    }
    auto b = view.bounds();
    context.saveGState();
    context.setAlpha(alpha);
    if (auto alert = std::dynamic_pointer_cast<AlertController>(view.viewController())) {
        AlertPainter::draw(context, b, AlertPainter::contentOf(*alert));
        context.restoreGState();
        return;
    }
    const Layer& layer = view.layer();
    if (auto background = view.backgroundColor()) {
        fillBackground(context, b, *background, layer.cornerRadius());
    }
    if (layer.borderWidth() > 0) {
        context.setStrokeColor(layer.borderColor());
        context.setLineWidth(layer.borderWidth());
        context.strokeRect(b.insetBy(layer.borderWidth() / 2, layer.borderWidth() / 2));
    }
    if (view.clipsToBounds()) {
        context.clipToRect(b);
    }
    ViewPainter::drawContent(context, view, alpha,
                             [&context, alpha](const View& detached, const graphics::Rect& rect) {
                                 drawDetached(context, detached, rect, alpha);
                             });
    // Layers added to the view's own, under its subviews.
    for (const auto& sublayer : layer.sublayers()) {
        drawLayer(context, *sublayer, alpha);
    }
    for (const auto& subview : view.subviews()) {
        if (ViewPainter::drawsSubview(view, *subview)) {
            continue;
        }
        context.saveGState();
        auto c = subview->center();
        auto sb = subview->bounds();
        context.translateCTM(c.x, c.y);
        context.concatCTM(subview->transform());
        context.translateCTM(-sb.size.width / 2 - sb.origin.x, -sb.size.height / 2 - sb.origin.y);
        drawView(context, *subview, alpha);
        context.restoreGState();
    }
    context.restoreGState();
}

}  // namespace

graphics::Image::Ptr ScreenRenderer::render(const View& view, double scale) {
    auto size = view.bounds().size;
    auto context = graphics::BitmapContext::createImageContext(size, false, scale);
    if (!context) {
        return nullptr;
    }
    auto b = view.bounds();
    context->translateCTM(-b.origin.x, -b.origin.y);
    drawView(*context, view, 1);
    if (dynamic_cast<const Window*>(&view)) {
        for (const auto& alert : AlertCenter::shared().visibleAlerts()) {
            AlertPainter::draw(*context, b, AlertPainter::contentOf(*alert));
        }
    }
    return context->makeImage();
}

std::optional<foundation::Data> ScreenRenderer::renderPNG(const View& view, double scale) {
    auto image = render(view, scale);
    if (!image || !image->bitmap()) {
        return std::nullopt;
    }
    return graphics::PNGCodec::encode(*image->bitmap());
}

bool ScreenRenderer::writePNG(const View& view, const std::string& path, double scale) {
    auto png = renderPNG(view, scale);
    if (!png) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png->data()),
               static_cast<std::streamsize>(png->size()));
    return static_cast<bool>(file);
}

}  // namespace ui
