#pragma once

// Pixel facts for render tests: which pixels of an area differ from the
// background, their bounding box and their number.

#include <algorithm>
#include <cstdlib>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

struct Ink {
    graphics::Rect bounds = graphics::Rect::null();
    int count = 0;
};

// Whether two pixels differ by at most `tolerance` in every channel.
inline bool nearPixel(const graphics::Rgba8& a, const graphics::Rgba8& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

// The pixels of `area` that differ from `background` by more than `tolerance`.
inline Ink inkIn(const graphics::Bitmap& bitmap, const graphics::Rect& area,
                 const graphics::Rgba8& background, int tolerance = 0) {
    Ink ink;
    for (int y = std::max(0, static_cast<int>(area.minY()));
         y < std::min(bitmap.height(), static_cast<int>(area.maxY())); ++y) {
        for (int x = std::max(0, static_cast<int>(area.minX()));
             x < std::min(bitmap.width(), static_cast<int>(area.maxX())); ++x) {
            if (!nearPixel(bitmap.pixel(x, y), background, tolerance)) {
                ++ink.count;
                ink.bounds = ink.bounds.unionWith(graphics::Rect(x, y, 1, 1));
            }
        }
    }
    return ink;
}

// How many pixels of `area` are within `tolerance` of `color`.
inline int countNear(const graphics::Bitmap& bitmap, const graphics::Rect& area,
                     const graphics::Rgba8& color, int tolerance = 40) {
    int count = 0;
    for (int y = std::max(0, static_cast<int>(area.minY()));
         y < std::min(bitmap.height(), static_cast<int>(area.maxY())); ++y) {
        for (int x = std::max(0, static_cast<int>(area.minX()));
             x < std::min(bitmap.width(), static_cast<int>(area.maxX())); ++x) {
            count += nearPixel(bitmap.pixel(x, y), color, tolerance) ? 1 : 0;
        }
    }
    return count;
}
