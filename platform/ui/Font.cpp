#include "platform/ui/Font.h"

#include <utility>

#include "platform/foundation/UTF16.h"

namespace ui {

namespace {

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

bool isZeroWidth(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || c == 0x200B || c == 0x200C || c == 0x200D ||
           c == 0xFEFF || (c >= 0xFE00 && c <= 0xFE0F);
}

std::string familyOf(const std::string& name) {
    auto dash = name.find('-');
    return dash == std::string::npos ? name : name.substr(0, dash);
}

}  // namespace

Font::Font(std::string name, double pointSize, bool bold)
    : name_(std::move(name)), family_(familyOf(name_)), size_(pointSize), bold_(bold) {}

Font Font::systemFontOfSize(double size) {
    return Font("System", size);
}

Font Font::boldSystemFontOfSize(double size) {
    return Font("System-Bold", size, true);
}

Font Font::italicSystemFontOfSize(double size) {
    return Font("System-Italic", size);
}

Font Font::fontWithName(std::string name, double size) {
    bool bold = name.find("Bold") != std::string::npos;
    return Font(std::move(name), size, bold);
}

Font Font::fontWithSize(double size) const {
    Font copy = *this;
    copy.size_ = size;
    return copy;
}

double Font::advanceOf(char32_t c) const {
    if (isZeroWidth(c)) {
        return 0;
    }
    double advance = isWide(c) ? size_ : size_ * 0.5;
    return bold_ ? advance * 1.1 : advance;
}

double Font::widthOf(std::string_view utf8) const {
    double width = 0;
    for (char32_t c : codePointsOf(utf8)) {
        width += advanceOf(c);
    }
    return width;
}

std::vector<char32_t> Font::codePointsOf(std::string_view utf8) {
    auto units = foundation::utf16::toUTF16(utf8);
    std::vector<char32_t> out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        out.push_back(c);
    }
    return out;
}

std::string Font::textOf(const std::vector<char32_t>& codePoints) {
    std::u16string units;
    for (char32_t c : codePoints) {
        if (c >= 0x10000) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }
    return foundation::utf16::fromUTF16(units).value_or(std::string());
}

}  // namespace ui
