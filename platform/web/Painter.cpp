#include "platform/web/Painter.h"

#include "platform/crypto/Base64.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/URL.h"
#include "platform/web/DocumentReader.h"
#include "platform/web/PageLayout.h"
#include "platform/web/WebView.h"

namespace web {

namespace {

void drawBitmap(graphics::BitmapContext& context, const graphics::Image& image,
                const graphics::Rect& rect, double alpha) {
    auto bitmap = image.uprightBitmap();
    if (!bitmap || bitmap->width() == 0 || bitmap->height() == 0 || rect.isEmpty()) {
        return;
    }
    auto t = graphics::AffineTransform::makeScale(rect.size.width / bitmap->width(),
                                                  rect.size.height / bitmap->height());
    t.tx = rect.origin.x;
    t.ty = rect.origin.y;
    context.drawBitmap(*bitmap, t, alpha);
}

void drawBorders(graphics::BitmapContext& context, const LayoutBox& box) {
    const auto& f = box.frame;
    const auto& b = box.border;
    if (b[0] <= 0 && b[1] <= 0 && b[2] <= 0 && b[3] <= 0) {
        return;
    }
    context.setFillColor(box.borderColor);
    context.fillRect({f.origin.x, f.origin.y, f.size.width, b[0]});
    context.fillRect({f.maxX() - b[1], f.origin.y, b[1], f.size.height});
    context.fillRect({f.origin.x, f.maxY() - b[2], f.size.width, b[2]});
    context.fillRect({f.origin.x, f.origin.y, b[3], f.size.height});
}

// Gives canvas boxes the pixels their canvas holds now.
void attachCanvases(LayoutBox& box, const CanvasBindings& canvases) {
    if (box.canvas != 0) {
        box.image = canvases.image(box.canvas);
    }
    for (auto& child : box.children) {
        attachCanvases(child, canvases);
    }
}

}  // namespace

void Painter::paint(graphics::BitmapContext& context, const LayoutBox& box, double alpha) {
    alpha *= box.opacity;
    if (alpha <= 0.001) {
        return;
    }
    context.saveGState();
    context.setAlpha(alpha);
    if (!box.hidden) {
        if (box.background && box.background->alpha() > 0) {
            context.setFillColor(*box.background);
            context.fillRect(box.frame);
        }
        if (box.backgroundImage) {
            context.saveGState();
            context.clipToRect(box.frame);
            drawBitmap(context, *box.backgroundImage,
                       {box.frame.origin, box.backgroundImage->size()}, alpha);
            context.restoreGState();
        }
        drawBorders(context, box);
        if (box.image) {
            drawBitmap(context, *box.image, box.content, alpha);
        }
        if (!box.text.empty()) {
            context.setFillColor(box.color);
            double fontHeight = box.font.measure("").height;
            context.drawText(
                box.text,
                {box.frame.origin.x, box.frame.origin.y + (box.frame.size.height - fontHeight) / 2},
                box.font);
        }
    }
    if (box.clips) {
        context.clipToRect(box.frame);
    }
    for (const auto& child : box.children) {
        paint(context, child, alpha);
    }
    context.restoreGState();
}

const LayoutBox* Painter::boxAtPoint(const LayoutBox& root, graphics::Point point) {
    if (root.clips && !root.frame.contains(point)) {
        return nullptr;
    }
    for (auto it = root.children.rbegin(); it != root.children.rend(); ++it) {
        if (const auto* found = boxAtPoint(*it, point)) {
            return found;
        }
    }
    if (!root.element.empty() && !root.hidden && root.frame.contains(point)) {
        return &root;
    }
    return nullptr;
}

std::optional<LayoutBox> Painter::layoutPage(WebView& view) {
    auto json = view.stringByEvaluatingJavaScriptFromString(std::string(DocumentReader::script()));
    auto document = DocumentReader::parse(json);
    if (!document) {
        return std::nullopt;
    }
    // Images the page loaded, else those at hand without a load.
    auto images = [&view](const std::string& src, const std::string& documentURL) {
        auto base = foundation::URL::fromString(documentURL);
        auto url = base ? foundation::URL::fromString(src, *base) : std::nullopt;
        if (auto image = url ? view.loadedImage(url->absoluteString()) : nullptr) {
            return image;
        }
        return loadImage(src, documentURL);
    };
    auto page = PageLayout::layout(*document, view.bounds().size, images);
    attachCanvases(page, view.canvases());
    return page;
}

void Painter::drawPage(graphics::BitmapContext& context, WebView& view) {
    auto b = view.bounds();
    context.saveGState();
    context.clipToRect(b);
    if (view.isOpaque()) {
        context.setFillColor(graphics::Color::whiteColor());
        context.fillRect(b);
    }
    if (auto page = layoutPage(view)) {
        context.translateCTM(b.origin.x, b.origin.y);
        paint(context, *page);
    }
    context.restoreGState();
}

graphics::Image::Ptr Painter::snapshot(WebView& view) {
    auto context = graphics::BitmapContext::createImageContext(view.bounds().size, false, 1);
    if (!context) {
        return nullptr;
    }
    auto b = view.bounds();
    context->translateCTM(-b.origin.x, -b.origin.y);
    if (auto background = view.backgroundColor()) {
        context->setFillColor(*background);
        context->fillRect(b);
    }
    drawPage(*context, view);
    return context->makeImage();
}

graphics::Image::Ptr Painter::loadImage(const std::string& url, const std::string& document) {
    if (url.rfind("data:", 0) == 0) {
        auto comma = url.find(',');
        if (comma == std::string::npos) {
            return nullptr;
        }
        std::string header = url.substr(5, comma - 5);
        std::string payload = url.substr(comma + 1);
        std::optional<foundation::Data> bytes;
        if (header.size() >= 7 && header.compare(header.size() - 7, 7, ";base64") == 0) {
            bytes =
                crypto::Base64::decode(payload, crypto::Base64::Decoding::IgnoreUnknownCharacters);
        } else if (auto text = foundation::removingPercentEncoding(payload)) {
            bytes = foundation::Data(text->begin(), text->end());
        }
        return bytes ? graphics::Image::imageWithData(*bytes) : nullptr;
    }
    auto base = foundation::URL::fromString(document);
    if (!base || !base->isFileURL()) {
        return nullptr;
    }
    auto resolved = foundation::URL::fromString(url, *base);
    if (!resolved || !resolved->isFileURL()) {
        return nullptr;
    }
    return graphics::Image::imageWithContentsOfFile(resolved->path());
}

}  // namespace web
