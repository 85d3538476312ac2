#include "platform/ui/ScreenRenderer.h"

#include <fstream>
#include <optional>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Toolbar.h"

namespace ui {

namespace {

graphics::Font drawingFont(const Font& font) {
    return graphics::Font{"DejaVu Sans", font.pointSize(), font.isBold()};
}

void drawImage(graphics::BitmapContext& context, const graphics::Image& image,
               const graphics::Rect& rect, double alpha) {
    auto bitmap = image.uprightBitmap();
    if (!bitmap || bitmap->width() == 0 || bitmap->height() == 0) {
        return;
    }
    auto t = graphics::AffineTransform::makeScale(rect.size.width / bitmap->width(),
                                                  rect.size.height / bitmap->height());
    t.tx = rect.origin.x;
    t.ty = rect.origin.y;
    context.drawBitmap(*bitmap, t, alpha);
}

void drawText(graphics::BitmapContext& context, const std::string& text, const Font& font,
              const graphics::Color& color, graphics::Point at) {
    if (text.empty()) {
        return;
    }
    context.setFillColor(color);
    context.drawText(text, at, drawingFont(font));
}

void drawBarText(graphics::BitmapContext& context, const std::string& text,
                 const graphics::Rect& b) {
    drawText(context, text, Font::systemFontOfSize(15), graphics::Color::blackColor(),
             {8, (b.size.height - Font::systemFontOfSize(15).lineHeight()) / 2});
}

void drawView(graphics::BitmapContext& context, const View& view, double alpha) {
    alpha *= view.alpha();
    if (view.isHidden() || alpha < 0.01) {
        return;
    }
    auto b = view.bounds();
    context.saveGState();
    context.setAlpha(alpha);
    if (auto background = view.backgroundColor()) {
        context.setFillColor(*background);
        context.fillRect(graphics::Rect(b.origin, b.size));
    }
    const Layer& layer = view.layer();
    if (layer.borderWidth() > 0) {
        context.setStrokeColor(layer.borderColor());
        context.setLineWidth(layer.borderWidth());
        context.strokeRect(b.insetBy(layer.borderWidth() / 2, layer.borderWidth() / 2));
    }
    if (auto label = dynamic_cast<const Label*>(&view)) {
        double y = b.origin.y;
        auto font = label->font().fontWithSize(label->displayedFontSize());
        auto lines = label->displayedLines();
        double total = font.lineHeight() * static_cast<double>(lines.size());
        y += (b.size.height - total) / 2;
        for (const auto& line : lines) {
            double width = font.widthOf(line);
            double x = b.origin.x;
            if (label->textAlignment() == TextAlignment::center) {
                x += (b.size.width - width) / 2;
            } else if (label->textAlignment() == TextAlignment::right) {
                x += b.size.width - width;
            }
            drawText(context, line, font, label->textColor(), {x, y});
            y += font.lineHeight();
        }
    } else if (auto imageView = dynamic_cast<const ImageView*>(&view)) {
        if (auto image = imageView->displayedImage()) {
            drawImage(context, *image, b, alpha);
        }
    } else if (auto button = dynamic_cast<const Button*>(&view)) {
        if (auto background = button->backgroundImageForState(button->state())) {
            drawImage(context, *background, b, alpha);
        }
    } else if (auto field = dynamic_cast<const TextField*>(&view)) {
        bool empty = field->text().empty();
        drawText(context, empty ? field->placeholder() : field->text(), field->font(),
                 empty ? graphics::Color::grayColor() : field->textColor(),
                 {b.origin.x + 4, b.origin.y + (b.size.height - field->font().lineHeight()) / 2});
    } else if (auto textView = dynamic_cast<const TextView*>(&view)) {
        drawText(context, textView->text(), textView->font(), textView->textColor(),
                 {b.origin.x + textView->lineFragmentPadding(),
                  b.origin.y + textView->textContainerInset().top});
    } else if (dynamic_cast<const NavigationBar*>(&view) || dynamic_cast<const Toolbar*>(&view)) {
        context.setFillColor(graphics::Color::white(0.97));
        context.fillRect(b);
        drawBarText(context, view.outlineText(), b);
    }
    if (view.clipsToBounds()) {
        context.clipToRect(b);
    }
    for (const auto& subview : view.subviews()) {
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
