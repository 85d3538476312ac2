#pragma once

// The web layer's small, honest painter: lays a page out (see PageLayout)
// and paints it — the page's background, then each visible box in order: its
// background colour and image, borders, replaced image and text. A blank page
// paints only its background. The boxes stay available to find the element
// under a point, and snapshots give the pixels of a web view as its layer
// would render them.

#include <optional>
#include <string>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Image.h"
#include "platform/web/LayoutBox.h"
#include "platform/web/PageNode.h"

namespace web {

class WebView;

class Painter {
  public:
    // Paints `box` and its children.
    static void paint(graphics::BitmapContext& context, const LayoutBox& box, double alpha = 1);
    // The innermost box traced to an element that contains `point`, the one
    // painted last where boxes overlap; nullptr when there is none.
    static const LayoutBox* boxAtPoint(const LayoutBox& root, graphics::Point point);

    // The page `view` shows, laid out in its bounds: the canvas box first.
    // nullopt while there is no document to read.
    static std::optional<LayoutBox> layoutPage(WebView& view);
    // A document of `view` laid out in `viewport`, with the images the view
    // loaded.
    static LayoutBox layoutDocument(const WebView& view, const PageDocument& document,
                                    graphics::Size viewport);
    // Paints the page of `view` in its bounds: over white when the view is
    // opaque, over nothing otherwise.
    static void drawPage(graphics::BitmapContext& context, WebView& view);
    // The view drawn at its size and scale 1, as the render check reads it:
    // its background colour and its page, also while the view is hidden;
    // what nothing paints stays transparent.
    static graphics::Image::Ptr snapshot(WebView& view);
    // Images a page can show without loading them: "data:" URLs, and
    // "file:" URLs in documents that are files themselves. Other images are
    // painted once the page has loaded them.
    static graphics::Image::Ptr loadImage(const std::string& url, const std::string& document);
};

}  // namespace web
