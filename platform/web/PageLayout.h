#pragma once

// Lays a page out as boxes in normal flow: block elements stacked down their
// container, inline content (texts, inline elements, images, inline blocks)
// broken into lines at the container's width, sizes and offsets from the
// computed styles, relative offsets, absolute and fixed boxes placed in their
// containing block, and frames laid out inside their element's box. Floats,
// tables, flex and grid layout are laid out as plain blocks. Content in flow
// a few screens below the viewport is not laid out.

#include <functional>
#include <string>

#include "platform/web/ComputedStyle.h"
#include "platform/web/LayoutBox.h"
#include "platform/web/PageNode.h"

namespace web {

class PageLayout {
  public:
    // The image at a URL as written in the page and the URL of the document
    // it is written in; nullptr when it is not at hand.
    using ImageLoader =
        std::function<graphics::Image::Ptr(const std::string& url, const std::string& document)>;

    // The canvas box (viewport wide, at least viewport high) with the page's
    // background, holding the root element's box.
    static LayoutBox layout(const PageDocument& document, graphics::Size viewport,
                            const ImageLoader& images);
};

}  // namespace web
