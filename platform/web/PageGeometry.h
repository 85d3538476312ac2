#pragma once

// What a page's scripts read of its layout: each element's border box,
// borders and the extent of what it holds, taken from the painter's boxes
// (an element without a box has none), and the element under a point, the
// one the painter draws topmost there.

#include <string>

#include "platform/web/LayoutBox.h"
#include "platform/web/PageNode.h"

namespace web {

class PageGeometry {
  public:
    // JSON text {"width", "height", "elements": [...]}: the canvas size and,
    // by element index, null for an element without a box or [x, y, width,
    // height, top, right, bottom and left border, right and bottom edge of
    // everything in it, whether the box is its own (not a union of the text
    // it holds), position ("static", "relative", "absolute", "fixed")].
    static std::string describe(const PageDocument& document, const LayoutBox& canvas);
    // The index of the document's element drawn topmost at `point` (a
    // frame's element for a point in the frame); -1 when there is none.
    static int elementAt(const LayoutBox& canvas, graphics::Point point);
};

}  // namespace web
