#pragma once

// Plane geometry in points: points, vectors, sizes, rectangles, edge insets and
// affine transforms, with the rectangle rules of the platform's drawing library
// (negative sizes are standardized, the null rectangle is the empty intersection).

#include <cmath>
#include <limits>
#include <string>

namespace graphics {

struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Vector {
    double dx = 0;
    double dy = 0;

    friend bool operator==(const Vector&, const Vector&) = default;
};

struct Size {
    double width = 0;
    double height = 0;

    bool isZero() const { return width == 0 && height == 0; }
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle as origin plus size. Every query works on the standardized form
// (non-negative width and height), as the platform's helpers do.
struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point o, Size s) : origin(o), size(s) {}
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    // The rectangle with an infinite origin: the result of intersecting
    // rectangles that do not meet. Unions and intersections with it behave as
    // with an empty set.
    static Rect null();
    // The rectangle that contains every point.
    static Rect infinite();

    bool isNull() const;
    bool isInfinite() const;
    // True for the null rectangle and for zero width or zero height.
    bool isEmpty() const;

    double minX() const;
    double midX() const;
    double maxX() const;
    double minY() const;
    double midY() const;
    double maxY() const;
    double width() const { return std::fabs(size.width); }
    double height() const { return std::fabs(size.height); }

    Rect standardized() const;
    // Smallest rectangle with integral coordinates that contains this one.
    Rect integral() const;
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
    Rect intersection(const Rect& other) const;
    Rect unionWith(const Rect& other) const;
    bool intersects(const Rect& other) const;
    // Points on the minimum edges are inside, points on the maximum edges are not.
    bool contains(Point p) const;
    bool contains(const Rect& other) const;
    // Compares the standardized rectangles, as the platform's equality does.
    bool equalTo(const Rect& other) const;

    friend bool operator==(const Rect& a, const Rect& b) {
        return a.origin == b.origin && a.size == b.size;
    }
};

// Splits `rect` at `amount` from `edge`: `slice` receives the part next to the
// edge, `remainder` the rest.
enum class RectEdge { minX, minY, maxX, maxY };
void divideRect(const Rect& rect, Rect& slice, Rect& remainder, double amount, RectEdge edge);

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// The rectangle shrunk by the insets (grown where they are negative).
Rect insetRect(const Rect& rect, const EdgeInsets& insets);

// An affine transform [a b 0; c d 0; tx ty 1] in row-vector convention:
// x' = a*x + c*y + tx, y' = b*x + d*y + ty.
struct AffineTransform {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform makeTranslation(double tx, double ty);
    static AffineTransform makeScale(double sx, double sy);
    static AffineTransform makeRotation(double angle);

    bool isIdentity() const { return *this == AffineTransform{}; }

    // The transform that applies `*this` first, then `other`.
    AffineTransform concat(const AffineTransform& other) const;
    // Each of these applies the new operation first, then `*this`, as the
    // platform's Translate/Scale/Rotate functions do.
    AffineTransform translate(double tx, double ty) const;
    AffineTransform scale(double sx, double sy) const;
    AffineTransform rotate(double angle) const;
    // The inverse, or the transform itself when it cannot be inverted.
    AffineTransform invert() const;

    Point apply(Point p) const;
    // Sizes transform without the translation.
    Size apply(Size s) const;
    // The bounding box of the transformed corners.
    Rect apply(const Rect& r) const;

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// "{{x, y}, {w, h}}" and friends, as the platform prints them.
std::string toString(Point p);
std::string toString(Size s);
std::string toString(const Rect& r);

}  // namespace graphics
