#include "platform/graphics/GeometryFromString.h"

#include <cstdlib>
#include <string>

namespace graphics {

namespace {

// The two numbers of "{a, b}"; each stays 0 when it cannot be read, and the
// second is not read when the first is missing.
void readPair(std::string_view text, double& first, double& second) {
    first = 0;
    second = 0;
    std::string copy(text);
    const char* cursor = copy.c_str();
    while (*cursor == ' ') {
        ++cursor;
    }
    if (*cursor != '{') {
        return;
    }
    ++cursor;
    char* end = nullptr;
    double a = std::strtod(cursor, &end);
    if (end == cursor) {
        return;
    }
    first = a;
    cursor = end;
    while (*cursor == ' ') {
        ++cursor;
    }
    if (*cursor != ',') {
        return;
    }
    ++cursor;
    double b = std::strtod(cursor, &end);
    if (end == cursor) {
        return;
    }
    second = b;
}

}  // namespace

Size sizeFromString(std::string_view text) {
    Size size;
    readPair(text, size.width, size.height);
    return size;
}

Point pointFromString(std::string_view text) {
    Point point;
    readPair(text, point.x, point.y);
    return point;
}

Rect rectFromString(std::string_view text) {
    // The origin's pair starts at the second "{", the size's at the first "{"
    // after the origin's closing "}".
    const auto outer = text.find('{');
    const auto origin = outer == std::string_view::npos ? outer : text.find('{', outer + 1);
    if (origin == std::string_view::npos) {
        return {};
    }
    Rect rect;
    rect.origin = pointFromString(text.substr(origin));
    const auto close = text.find('}', origin);
    const auto size = close == std::string_view::npos ? close : text.find('{', close);
    if (size != std::string_view::npos) {
        rect.size = sizeFromString(text.substr(size));
    }
    return rect;
}

}  // namespace graphics
