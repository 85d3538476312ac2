#include "platform/graphics/Path.h"

namespace graphics {

Path Path::rect(const Rect& r) {
    Path p;
    p.addRect(r);
    return p;
}

Path Path::ovalInRect(const Rect& r) {
    Path p;
    p.addEllipse(r);
    return p;
}

void Path::moveTo(Point p) {
    elements_.push_back({Kind::move, p, {}});
}

void Path::lineTo(Point p) {
    elements_.push_back({Kind::line, p, {}});
}

void Path::addArc(Point center, double radius, double startAngle, double endAngle,
                  bool increasing) {
    elements_.push_back({Kind::arc, center, {}, radius, startAngle, endAngle, increasing});
}

void Path::addRect(const Rect& r) {
    elements_.push_back({Kind::rect, {}, r});
}

void Path::addEllipse(const Rect& r) {
    elements_.push_back({Kind::ellipse, {}, r});
}

void Path::close() {
    elements_.push_back({Kind::close, {}, {}});
}

Rect Path::bounds() const {
    Rect box = Rect::null();
    for (const Element& e : elements_) {
        switch (e.kind) {
            case Kind::move:
            case Kind::line:
                box = box.unionWith(Rect(e.point, Size{}));
                break;
            case Kind::arc:
                box = box.unionWith(
                    Rect(e.point.x - e.radius, e.point.y - e.radius, 2 * e.radius, 2 * e.radius));
                break;
            case Kind::rect:
            case Kind::ellipse:
                box = box.unionWith(e.rect);
                break;
            case Kind::close:
                break;
        }
    }
    return box;
}

}  // namespace graphics
