#pragma once

// A layer's 4x4 transform (row-vector convention, as AffineTransform), made
// from and reduced to an affine transform where it stays in the plane.

#include <array>

#include "platform/graphics/Geometry.h"

namespace ui {

struct Transform3D {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static Transform3D identity() { return {}; }
    static Transform3D makeTranslation(double tx, double ty, double tz);
    static Transform3D makeScale(double sx, double sy, double sz);
    static Transform3D makeRotation(double angle, double x, double y, double z);
    static Transform3D makeAffine(const graphics::AffineTransform& t);

    bool isIdentity() const { return *this == Transform3D{}; }
    // True when the transform maps the plane onto itself.
    bool isAffine() const;
    graphics::AffineTransform affine() const;

    // The transform that applies `*this` first, then `other`.
    Transform3D concat(const Transform3D& other) const;
    // Each applies the new operation first, then `*this`.
    Transform3D translate(double tx, double ty, double tz) const;
    Transform3D scale(double sx, double sy, double sz) const;
    Transform3D rotate(double angle, double x, double y, double z) const;

    double at(int row, int column) const { return m[static_cast<std::size_t>(row * 4 + column)]; }

    friend bool operator==(const Transform3D&, const Transform3D&) = default;
};

}  // namespace ui
