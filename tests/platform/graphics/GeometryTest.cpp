#include "platform/graphics/Geometry.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

using graphics::AffineTransform;
using graphics::EdgeInsets;
using graphics::Point;
using graphics::Rect;
using graphics::Size;

void expectNear(Point a, Point b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

TEST(GeometryTest, RectanglesFollowThePlatformRules) {
    const Rect a(0, 0, 10, 10);
    // Intersections: overlap, touching edges (empty but not null), apart (null).
    EXPECT_EQ(a.intersection(Rect(5, 5, 10, 10)), Rect(5, 5, 5, 5));
    EXPECT_TRUE(a.intersection(Rect(10, 0, 5, 5)).isEmpty());
    EXPECT_FALSE(a.intersection(Rect(10, 0, 5, 5)).isNull());
    EXPECT_FALSE(a.intersects(Rect(10, 0, 5, 5)));
    EXPECT_TRUE(a.intersection(Rect(20, 20, 1, 1)).isNull());
    EXPECT_TRUE(Rect::null().intersection(a).isNull());
    // The null rectangle is neutral for unions.
    EXPECT_EQ(Rect::null().unionWith(a), a);
    EXPECT_EQ(a.unionWith(Rect(20, -5, 1, 1)), Rect(0, -5, 21, 15));
    // Negative sizes are standardized.
    const Rect negative(10, 10, -4, -6);
    EXPECT_EQ(negative.standardized(), Rect(6, 4, 4, 6));
    EXPECT_EQ(negative.minX(), 6);
    EXPECT_EQ(negative.maxY(), 10);
    EXPECT_TRUE(negative.equalTo(Rect(6, 4, 4, 6)));
    // Insets that eat the rectangle give the null rectangle.
    EXPECT_EQ(a.insetBy(2, 3), Rect(2, 3, 6, 4));
    EXPECT_TRUE(a.insetBy(6, 0).isNull());
    // Containment: minimum edges inside, maximum edges outside.
    EXPECT_TRUE(a.contains(Point{0, 0}));
    EXPECT_FALSE(a.contains(Point{10, 5}));
    EXPECT_TRUE(a.contains(Rect(0, 0, 10, 10)));
    EXPECT_FALSE(a.contains(Rect(1, 1, 10, 1)));
    EXPECT_FALSE(Rect::null().contains(Point{0, 0}));
    EXPECT_EQ(Rect(0.5, 1.2, 2.2, 3.9).integral(), Rect(0, 1, 3, 5));
    EXPECT_TRUE(Rect(1, 1, 0, 5).isEmpty());
    EXPECT_EQ(graphics::toString(Rect(1, 2, 3.5, 4)), "{{1, 2}, {3.5, 4}}");
}

TEST(GeometryTest, DivideAndInsets) {
    Rect slice, remainder;
    graphics::divideRect(Rect(0, 0, 100, 50), slice, remainder, 30, graphics::RectEdge::maxX);
    EXPECT_EQ(slice, Rect(70, 0, 30, 50));
    EXPECT_EQ(remainder, Rect(0, 0, 70, 50));
    graphics::divideRect(Rect(0, 0, 100, 50), slice, remainder, 80, graphics::RectEdge::minY);
    EXPECT_EQ(slice, Rect(0, 0, 100, 50));
    EXPECT_EQ(remainder, Rect(0, 50, 100, 0));
    EXPECT_EQ(graphics::insetRect(Rect(0, 0, 100, 50), EdgeInsets{1, 2, 3, 4}), Rect(2, 1, 94, 46));
}

TEST(GeometryTest, TransformsComposeInThePlatformOrder) {
    // translate() applies the translation first, then the existing transform.
    const AffineTransform scaleThenMove =
        AffineTransform::makeScale(2, 3).concat(AffineTransform::makeTranslation(10, 20));
    expectNear(scaleThenMove.apply(Point{1, 1}), Point{12, 23});
    const AffineTransform moveThenScale = AffineTransform::makeScale(2, 3).translate(10, 20);
    expectNear(moveThenScale.apply(Point{1, 1}), Point{22, 63});

    const AffineTransform quarter = AffineTransform::makeRotation(std::numbers::pi / 2);
    expectNear(quarter.apply(Point{1, 0}), Point{0, 1});
    const Rect box = quarter.apply(Rect(0, 0, 4, 2));
    EXPECT_NEAR(box.minX(), -2, 1e-9);
    EXPECT_NEAR(box.width(), 2, 1e-9);
    EXPECT_NEAR(box.height(), 4, 1e-9);

    const AffineTransform t = AffineTransform::makeRotation(0.3).scale(2, 5).translate(7, -3);
    expectNear(t.invert().apply(t.apply(Point{3, 4})), Point{3, 4});
    const AffineTransform singular = AffineTransform::makeScale(0, 1);
    EXPECT_EQ(singular.invert(), singular);
    EXPECT_TRUE(AffineTransform::identity().isIdentity());
    EXPECT_EQ(AffineTransform::makeScale(2, 2).apply(Size{3, 4}), (Size{6, 8}));
}

}  // namespace
