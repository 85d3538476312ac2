// Reading the string forms of points, sizes and rectangles back.

#include <gtest/gtest.h>

#include "platform/graphics/GeometryFromString.h"

namespace {

using graphics::Point;
using graphics::Rect;
using graphics::Size;

TEST(GeometryFromString, ReadsWhatToStringWrites) {
    const Rect rects[] = {{0, 0, 0, 0}, {10, 20, 320, 216}, {-5.5, 0.25, 1e3, 7}};
    for (const auto& rect : rects) {
        SCOPED_TRACE(graphics::toString(rect));
        EXPECT_EQ(graphics::rectFromString(graphics::toString(rect)), rect);
        EXPECT_EQ(graphics::pointFromString(graphics::toString(rect.origin)), rect.origin);
        EXPECT_EQ(graphics::sizeFromString(graphics::toString(rect.size)), rect.size);
    }
}

TEST(GeometryFromString, WhatCannotBeReadIsZero) {
    struct Case {
        const char* text;
        Rect rect;
    };
    const Case cases[] = {
        {"", {}},
        {"garbage", {}},
        {"{1, 2}", {}},                      // a point is no rectangle
        {"{{1, 2}}", {1, 2, 0, 0}},          // no size
        {"{{1, x}, {3, 4}}", {1, 0, 3, 4}},  // an unreadable number
        {"{{1, 2}, {3", {1, 2, 3, 0}},       // cut short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(graphics::rectFromString(c.text), c.rect);
    }
    EXPECT_EQ(graphics::pointFromString("{7"), (Point{7, 0}));
    EXPECT_EQ(graphics::sizeFromString("nothing"), (Size{0, 0}));
}

}  // namespace
