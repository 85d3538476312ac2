#include "platform/ui/Transform3D.h"

#include <cmath>

namespace ui {

Transform3D Transform3D::makeTranslation(double tx, double ty, double tz) {
    Transform3D t;
    t.m[12] = tx;
    t.m[13] = ty;
    t.m[14] = tz;
    return t;
}

Transform3D Transform3D::makeScale(double sx, double sy, double sz) {
    Transform3D t;
    t.m[0] = sx;
    t.m[5] = sy;
    t.m[10] = sz;
    return t;
}

Transform3D Transform3D::makeRotation(double angle, double x, double y, double z) {
    double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) {
        return {};
    }
    x /= length;
    y /= length;
    z /= length;
    double c = std::cos(angle);
    double s = std::sin(angle);
    double k = 1 - c;
    Transform3D t;
    t.m = {x * x * k + c,
           x * y * k + z * s,
           x * z * k - y * s,
           0,
           y * x * k - z * s,
           y * y * k + c,
           y * z * k + x * s,
           0,
           z * x * k + y * s,
           z * y * k - x * s,
           z * z * k + c,
           0,
           0,
           0,
           0,
           1};
    return t;
}

Transform3D Transform3D::makeAffine(const graphics::AffineTransform& a) {
    Transform3D t;
    t.m = {a.a, a.b, 0, 0, a.c, a.d, 0, 0, 0, 0, 1, 0, a.tx, a.ty, 0, 1};
    return t;
}

bool Transform3D::isAffine() const {
    return m[2] == 0 && m[3] == 0 && m[6] == 0 && m[7] == 0 && m[8] == 0 && m[9] == 0 &&
           m[10] == 1 && m[11] == 0 && m[14] == 0 && m[15] == 1;
}

graphics::AffineTransform Transform3D::affine() const {
    return graphics::AffineTransform{m[0], m[1], m[4], m[5], m[12], m[13]};
}

Transform3D Transform3D::concat(const Transform3D& other) const {
    Transform3D r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += at(i, k) * other.at(k, j);
            }
            r.m[static_cast<std::size_t>(i * 4 + j)] = sum;
        }
    }
    return r;
}

Transform3D Transform3D::translate(double tx, double ty, double tz) const {
    return makeTranslation(tx, ty, tz).concat(*this);
}

Transform3D Transform3D::scale(double sx, double sy, double sz) const {
    return makeScale(sx, sy, sz).concat(*this);
}

Transform3D Transform3D::rotate(double angle, double x, double y, double z) const {
    return makeRotation(angle, x, y, z).concat(*this);
}

}  // namespace ui
