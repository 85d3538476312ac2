#pragma once

// A vector path (move, line, arc, rectangle, ellipse, close) kept as a list of
// elements, so views can build shapes without a context and contexts can fill
// or stroke them later.

#include <vector>

#include "platform/graphics/Geometry.h"

namespace graphics {

class Path {
  public:
    enum class Kind { move, line, arc, rect, ellipse, close };

    struct Element {
        Kind kind;
        Point point;        // move, line: the point; arc: the centre
        Rect rect;          // rect, ellipse
        double radius = 0;  // arc
        double startAngle = 0;
        double endAngle = 0;
        bool increasing = true;  // arc: true when the angle grows along the arc
    };

    static Path rect(const Rect& r);
    static Path ovalInRect(const Rect& r);

    void moveTo(Point p);
    void lineTo(Point p);
    // An arc around `center` from `startAngle` to `endAngle` (radians); with
    // `increasing` the angle grows along the arc (clockwise on a y-down
    // screen), otherwise it shrinks.
    void addArc(Point center, double radius, double startAngle, double endAngle, bool increasing);
    void addRect(const Rect& r);
    void addEllipse(const Rect& r);
    void close();

    bool isEmpty() const { return elements_.empty(); }
    const std::vector<Element>& elements() const { return elements_; }
    // The box around the path's points, rectangles and full arc circles.
    Rect bounds() const;

  private:
    std::vector<Element> elements_;
};

}  // namespace graphics
