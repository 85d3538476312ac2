#include "platform/graphics/Geometry.h"

#include <algorithm>
#include <cstdio>

namespace graphics {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The platform's infinite rectangle spans half the largest double on each side,
// so that its width still fits a double.
constexpr double kHalfMax = std::numeric_limits<double>::max() / 2;

std::string formatNumber(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

}  // namespace

Rect Rect::null() {
    return Rect(kInfinity, kInfinity, 0, 0);
}

Rect Rect::infinite() {
    return Rect(-kHalfMax, -kHalfMax, std::numeric_limits<double>::max(),
                std::numeric_limits<double>::max());
}

bool Rect::isNull() const {
    return origin.x == kInfinity || origin.y == kInfinity;
}

bool Rect::isInfinite() const {
    return *this == infinite();
}

bool Rect::isEmpty() const {
    return isNull() || size.width == 0 || size.height == 0;
}

double Rect::minX() const {
    return std::min(origin.x, origin.x + size.width);
}
double Rect::maxX() const {
    return std::max(origin.x, origin.x + size.width);
}
double Rect::midX() const {
    return origin.x + size.width / 2;
}
double Rect::minY() const {
    return std::min(origin.y, origin.y + size.height);
}
double Rect::maxY() const {
    return std::max(origin.y, origin.y + size.height);
}
double Rect::midY() const {
    return origin.y + size.height / 2;
}

Rect Rect::standardized() const {
    if (isNull()) {
        return null();
    }
    return Rect(minX(), minY(), width(), height());
}

Rect Rect::integral() const {
    if (isNull()) {
        return null();
    }
    const double x = std::floor(minX());
    const double y = std::floor(minY());
    return Rect(x, y, std::ceil(maxX()) - x, std::ceil(maxY()) - y);
}

Rect Rect::insetBy(double dx, double dy) const {
    if (isNull()) {
        return null();
    }
    const Rect s = standardized();
    const Rect r(s.origin.x + dx, s.origin.y + dy, s.size.width - 2 * dx, s.size.height - 2 * dy);
    if (r.size.width < 0 || r.size.height < 0) {
        return null();
    }
    return r;
}

Rect Rect::offsetBy(double dx, double dy) const {
    if (isNull()) {
        return null();
    }
    return Rect(origin.x + dx, origin.y + dy, size.width, size.height);
}

Rect Rect::intersection(const Rect& other) const {
    if (isNull() || other.isNull()) {
        return null();
    }
    const double x1 = std::max(minX(), other.minX());
    const double x2 = std::min(maxX(), other.maxX());
    const double y1 = std::max(minY(), other.minY());
    const double y2 = std::min(maxY(), other.maxY());
    if (x1 > x2 || y1 > y2) {
        return null();
    }
    return Rect(x1, y1, x2 - x1, y2 - y1);
}

Rect Rect::unionWith(const Rect& other) const {
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    const double x1 = std::min(minX(), other.minX());
    const double x2 = std::max(maxX(), other.maxX());
    const double y1 = std::min(minY(), other.minY());
    const double y2 = std::max(maxY(), other.maxY());
    return Rect(x1, y1, x2 - x1, y2 - y1);
}

bool Rect::intersects(const Rect& other) const {
    return !intersection(other).isEmpty();
}

bool Rect::contains(Point p) const {
    if (isNull()) {
        return false;
    }
    return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
}

bool Rect::contains(const Rect& other) const {
    if (isNull()) {
        return false;
    }
    if (other.isNull()) {
        return true;
    }
    return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() &&
           other.maxY() <= maxY();
}

bool Rect::equalTo(const Rect& other) const {
    if (isNull() || other.isNull()) {
        return isNull() && other.isNull();
    }
    return standardized() == other.standardized();
}

void divideRect(const Rect& rect, Rect& slice, Rect& remainder, double amount, RectEdge edge) {
    if (rect.isNull()) {
        slice = remainder = Rect::null();
        return;
    }
    const Rect r = rect.standardized();
    const double w = r.size.width;
    const double h = r.size.height;
    switch (edge) {
        case RectEdge::minX: {
            const double a = std::clamp(amount, 0.0, w);
            slice = Rect(r.origin.x, r.origin.y, a, h);
            remainder = Rect(r.origin.x + a, r.origin.y, w - a, h);
            break;
        }
        case RectEdge::maxX: {
            const double a = std::clamp(amount, 0.0, w);
            slice = Rect(r.maxX() - a, r.origin.y, a, h);
            remainder = Rect(r.origin.x, r.origin.y, w - a, h);
            break;
        }
        case RectEdge::minY: {
            const double a = std::clamp(amount, 0.0, h);
            slice = Rect(r.origin.x, r.origin.y, w, a);
            remainder = Rect(r.origin.x, r.origin.y + a, w, h - a);
            break;
        }
        case RectEdge::maxY: {
            const double a = std::clamp(amount, 0.0, h);
            slice = Rect(r.origin.x, r.maxY() - a, w, a);
            remainder = Rect(r.origin.x, r.origin.y, w, h - a);
            break;
        }
    }
}

Rect insetRect(const Rect& rect, const EdgeInsets& insets) {
    return Rect(rect.origin.x + insets.left, rect.origin.y + insets.top,
                rect.size.width - insets.left - insets.right,
                rect.size.height - insets.top - insets.bottom);
}

AffineTransform AffineTransform::makeTranslation(double tx, double ty) {
    return {1, 0, 0, 1, tx, ty};
}

AffineTransform AffineTransform::makeScale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

AffineTransform AffineTransform::makeRotation(double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c, s, -s, c, 0, 0};
}

AffineTransform AffineTransform::concat(const AffineTransform& o) const {
    return {a * o.a + b * o.c, a * o.b + b * o.d,          c * o.a + d * o.c,
            c * o.b + d * o.d, tx * o.a + ty * o.c + o.tx, tx * o.b + ty * o.d + o.ty};
}

AffineTransform AffineTransform::translate(double x, double y) const {
    return makeTranslation(x, y).concat(*this);
}

AffineTransform AffineTransform::scale(double sx, double sy) const {
    return makeScale(sx, sy).concat(*this);
}

AffineTransform AffineTransform::rotate(double angle) const {
    return makeRotation(angle).concat(*this);
}

AffineTransform AffineTransform::invert() const {
    const double det = a * d - b * c;
    if (det == 0) {
        return *this;
    }
    AffineTransform r;
    r.a = d / det;
    r.b = -b / det;
    r.c = -c / det;
    r.d = a / det;
    r.tx = (c * ty - d * tx) / det;
    r.ty = (b * tx - a * ty) / det;
    return r;
}

Point AffineTransform::apply(Point p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

Size AffineTransform::apply(Size s) const {
    return {a * s.width + c * s.height, b * s.width + d * s.height};
}

Rect AffineTransform::apply(const Rect& r) const {
    if (r.isNull()) {
        return Rect::null();
    }
    const Point corners[4] = {apply(Point{r.minX(), r.minY()}), apply(Point{r.maxX(), r.minY()}),
                              apply(Point{r.minX(), r.maxY()}), apply(Point{r.maxX(), r.maxY()})};
    double x1 = corners[0].x, x2 = corners[0].x, y1 = corners[0].y, y2 = corners[0].y;
    for (const Point& p : corners) {
        x1 = std::min(x1, p.x);
        x2 = std::max(x2, p.x);
        y1 = std::min(y1, p.y);
        y2 = std::max(y2, p.y);
    }
    return Rect(x1, y1, x2 - x1, y2 - y1);
}

std::string toString(Point p) {
    return "{" + formatNumber(p.x) + ", " + formatNumber(p.y) + "}";
}

std::string toString(Size s) {
    return "{" + formatNumber(s.width) + ", " + formatNumber(s.height) + "}";
}

std::string toString(const Rect& r) {
    return "{" + toString(r.origin) + ", " + toString(r.size) + "}";
}

}  // namespace graphics
